#include "CDocumentsCollection.h"

#include "AutomationHost.h"
#include "AutomationModel.h"
#include "CollectionKey.h"
#include "EnumVariant.h"
#include "ErrorTexts.h"
#include "playlist/CTaviDoc.h"

namespace tavi::automation {

namespace {
using T = Variant::Type;
constexpr DispId kNewEnum = -4;
}  // namespace

CDocumentsCollection::CDocumentsCollection(AutomationModel& model,
                                           std::shared_ptr<DispatchObject> creator)
    : m_model(model), m_creator(std::move(creator)) {
    AddProperty(QStringLiteral("Count"), 1, T::Int16,
                [this](const auto&) { return Variant::FromInt16(int16_t(Documents().size())); });
    AddProperty(QStringLiteral("Application"), 2, T::Dispatch,
                [this](const auto&) { return Variant::FromDispatch(m_creator); });
    AddProperty(QStringLiteral("Parent"), 3, T::Dispatch,
                [this](const auto&) { return Variant::FromDispatch(m_creator); });
    AddMethod(QStringLiteral("Item"), 4, {T::Empty}, T::Dispatch,
              [this](const auto& a) { return Item(a[0]); });
    AddMethod(QStringLiteral("Add"), 5, {}, T::Dispatch, [this](const auto&) {
        m_model.host().NewDocument();
        return Variant::FromDispatch(m_model.DocumentObject(m_model.host().ActiveDocument()));
    });
    // Closing the one document of a single-document program leaves a new, empty playlist
    // (after offering to save); the program goes on.
    AddMethod(QStringLiteral("Close"), 6, {}, T::Empty, [this](const auto&) {
        m_model.host().NewDocument();
        return Variant();
    });
    AddMethod(QStringLiteral("Open"), 7, {T::String}, T::Dispatch, [this](const auto& a) {
        if (!m_model.host().OpenDocumentFile(a[0].ToString())) {
            return Variant::FromDispatch(nullptr);
        }
        return Variant::FromDispatch(m_model.DocumentObject(m_model.host().ActiveDocument()));
    });
    AddProperty(QStringLiteral("_NewEnum"), kNewEnum, T::Unknown, [this](const auto&) {
        auto source = [documents = Documents()](int position) -> std::optional<Variant> {
            if (position >= int(documents.size())) {
                return std::nullopt;
            }
            return Variant::FromDispatch(documents[size_t(position)]);
        };
        return Variant::FromUnknown(
            std::make_shared<EnumVariant>(QStringLiteral("EnumDocuments"), std::move(source)));
    });
    SetDefaultMember(4);
}

std::vector<std::shared_ptr<DispatchObject>> CDocumentsCollection::Documents() const {
    std::vector<std::shared_ptr<DispatchObject>> documents;
    if (auto document = m_model.DocumentObject(m_model.host().ActiveDocument())) {
        documents.push_back(std::move(document));
    }
    return documents;
}

Variant CDocumentsCollection::Item(const Variant& key) const {
    const auto parsed = CollectionKey(key);
    playlist::CTaviDoc* document = m_model.host().ActiveDocument();
    if (const auto* name = std::get_if<QString>(&parsed)) {
        // The full path first, then the title, both exactly.
        const bool found =
            document && (document->GetPathName() == *name || document->GetTitle() == *name);
        if (!found) {
            throw DispatchException::Raised(errortext::DocumentNotFound());
        }
        return Variant::FromDispatch(m_model.DocumentObject(document));
    }
    const auto documents = Documents();
    const int index = std::max(0, std::get<int32_t>(parsed));  // below 1 takes the first
    if (index >= int(documents.size())) {
        throw DispatchException::Raised(errortext::DocumentIndexMissing());
    }
    return Variant::FromDispatch(documents[size_t(index)]);
}

}  // namespace tavi::automation
