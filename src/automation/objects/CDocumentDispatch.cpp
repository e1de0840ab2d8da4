#include "CDocumentDispatch.h"

#include "AutomationHost.h"
#include "AutomationModel.h"
#include "CApplication.h"
#include "playlist/CTaviDoc.h"

#include <QFileInfo>
#include <QMainWindow>

namespace tavi::automation {

namespace {
using T = Variant::Type;
}

CDocumentDispatch::CDocumentDispatch(AutomationModel& model, playlist::CTaviDoc* document)
    : m_model(model), m_document(document) {
    AddPathMembers();
    AddActions();
}

void CDocumentDispatch::AddPathMembers() {
    auto application = [this](const auto&) {
        return Variant::FromDispatch(m_model.MainApplication());
    };
    auto path = [this] { return m_document ? m_document->GetPathName() : QString(); };
    AddProperty(QStringLiteral("Application"), 1, T::Dispatch, application);
    AddProperty(QStringLiteral("FullName"), 2, T::String,
                [path](const auto&) { return Variant::FromString(path()); });
    AddProperty(QStringLiteral("Name"), 3, T::String, [path](const auto&) {
        return Variant::FromString(path().isEmpty() ? QString() : QFileInfo(path()).fileName());
    });
    AddProperty(QStringLiteral("Parent"), 4, T::Dispatch, application);
    AddProperty(QStringLiteral("Path"), 5, T::String, [path](const auto&) {
        return Variant::FromString(path().isEmpty() ? QString() : QFileInfo(path()).absolutePath());
    });
    AddProperty(
        QStringLiteral("Saved"), 6, T::Bool,
        [this](const auto&) { return Variant::FromBool(m_document && !m_document->IsModified()); },
        [this](const Variant& value) {
            if (m_document) {
                m_document->SetModifiedFlag(!value.ToBool());
            }
        });
    AddProperty(
        QStringLiteral("Title"), 12, T::String,
        [this](const auto&) {
            return Variant::FromString(m_document ? m_document->GetTitle() : QString());
        },
        [this](const Variant& value) {
            if (m_document) {
                m_document->SetTitle(value.ToString());
            }
        });
}

void CDocumentDispatch::AddActions() {
    // The single-document frame is no child window: there is nothing to activate.
    AddMethod(QStringLiteral("Activate"), 7, {}, T::Empty, [](const auto&) { return Variant(); });
    AddMethod(QStringLiteral("Close"), 8, {}, T::Empty, [this](const auto&) {
        if (QMainWindow* window = m_model.host().MainWindow()) {
            QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
        }
        return Variant();
    });
    AddMethod(QStringLiteral("Print"), 9, {}, T::Empty, [this](const auto&) {
        m_model.host().PostFrameCommand(kPrintCommand);
        return Variant();
    });
    AddMethod(QStringLiteral("Save"), 10, {}, T::Empty, [this](const auto&) {
        if (m_document) {
            m_document->Save();
        }
        return Variant();
    });
    AddMethod(QStringLiteral("SaveAs"), 11, {T::String}, T::Empty, [this](const auto& a) {
        const QString file = a[0].ToString();
        if (m_document && !file.isEmpty() && m_document->DoSave(file, false)) {
            m_document->SetPathName(file, false);  // not a recent file
        }
        return Variant();
    });
}

}  // namespace tavi::automation
