#include "CMacrosCollection.h"

#include "CMacroDispatch.h"
#include "CollectionKey.h"
#include "EnumVariant.h"
#include "ErrorTexts.h"
#include "automation/script/CMacroList.h"

namespace tavi::automation {

namespace {
using T = Variant::Type;
constexpr DispId kNewEnum = -4;
}  // namespace

CMacrosCollection::CMacrosCollection(CMacroList& list) : m_list(list) {
    AddProperty(QStringLiteral("Count"), 1, T::Int16,
                [this](const auto&) { return Variant::FromInt16(int16_t(m_list.Count())); });
    AddMethod(QStringLiteral("Add"), 2, {T::String}, T::Dispatch, [this](const auto& a) {
        auto macro = m_list.CreateMacro(a[0].ToString());
        if (!macro) {
            throw DispatchException::Raised(errortext::MacroNotCreated());
        }
        return Variant::FromDispatch(std::make_shared<CMacroDispatch>(macro));
    });
    AddMethod(QStringLiteral("Remove"), 3, {T::Empty}, T::Empty, [this](const auto& a) {
        Remove(a[0]);
        return Variant();
    });
    AddMethod(QStringLiteral("RemoveAll"), 4, {}, T::Empty, [this](const auto&) {
        m_list.RemoveAll();
        return Variant();
    });
    AddMethod(QStringLiteral("Item"), 5, {T::Empty}, T::Dispatch,
              [this](const auto& a) { return Item(a[0]); });
    AddProperty(QStringLiteral("_NewEnum"), kNewEnum, T::Unknown, [this](const auto&) {
        CMacroList* list = &m_list;
        auto source = [list](int position) -> std::optional<Variant> {
            auto macro = list->At(position);
            if (!macro) {
                return std::nullopt;
            }
            return Variant::FromDispatch(std::make_shared<CMacroDispatch>(macro));
        };
        return Variant::FromUnknown(
            std::make_shared<EnumVariant>(QStringLiteral("EnumMacros"), std::move(source)));
    });
    SetDefaultMember(5);
}

Variant CMacrosCollection::Item(const Variant& key) const {
    const auto parsed = CollectionKey(key);
    if (const auto* name = std::get_if<QString>(&parsed)) {
        auto macro = m_list.Find(*name);
        if (!macro) {
            throw DispatchException::Raised(errortext::MacroNameMissing(*name));
        }
        return Variant::FromDispatch(std::make_shared<CMacroDispatch>(macro));
    }
    const int index = std::get<int32_t>(parsed);
    auto macro = m_list.At(index);
    if (!macro) {
        throw DispatchException::Raised(errortext::MacroIndexMissing(index));
    }
    return Variant::FromDispatch(std::make_shared<CMacroDispatch>(macro));
}

void CMacrosCollection::Remove(const Variant& key) {
    const auto parsed = CollectionKey(key);
    if (const auto* name = std::get_if<QString>(&parsed)) {
        m_list.Remove(*name);
    } else {
        m_list.RemoveAt(std::get<int32_t>(parsed));
    }
}

}  // namespace tavi::automation
