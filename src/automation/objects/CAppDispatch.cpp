#include "CAppDispatch.h"

#include "AutomationHost.h"
#include "AutomationModel.h"
#include "CDocumentsCollection.h"
#include "ErrorTexts.h"
#include "app/Version.h"

#include <QCoreApplication>
#include <QDir>
#include <QMainWindow>
#include <QStatusBar>
#include <QThread>

namespace tavi::automation {

namespace {
using T = Variant::Type;
const QString kTitle = QStringLiteral("Tavi");
}  // namespace

CAppDispatch::CAppDispatch(AutomationModel& model, QUuid coclass, QUuid dispatchInterface,
                           QUuid eventInterface)
    : CCmdTargetPlus(coclass, dispatchInterface, eventInterface), m_model(model) {
    AddWindowMembers();
    AddProgramMembers();
    AddMethods();
    SetDefaultMember(110);  // Name
}

Variant CAppDispatch::MacrosCollection() {
    throw DispatchException::Raised(Window() ? errortext::MacrosNotSupported()
                                             : errortext::NoMainWindow());
}

QMainWindow* CAppDispatch::Window() const {
    return m_model.host().MainWindow();
}

QRect CAppDispatch::Restored() const {
    QMainWindow* window = Window();
    if (!window) {
        return {};
    }
    const QRect normal = window->normalGeometry();
    return normal.isValid() ? normal : window->geometry();
}

void CAppDispatch::SetRestored(const QRect& rect) {
    if (QMainWindow* window = Window()) {
        window->setGeometry(rect);
    }
}

void CAppDispatch::AddWindowMembers() {
    auto edge = [this](QString name, DispId id, auto get, auto set) {
        AddProperty(
            std::move(name), id, T::Int32,
            [this, get](const auto&) { return Variant::FromInt32(get(Restored())); },
            [this, set](const Variant& value) {
                QRect rect = Restored();
                set(rect, value.ToInt32());
                SetRestored(rect);
            });
    };
    edge(
        QStringLiteral("Height"), 107, [](const QRect& r) { return r.height(); },
        [](QRect& r, int v) { r.setHeight(v); });
    edge(
        QStringLiteral("Left"), 109, [](const QRect& r) { return r.left(); },
        [](QRect& r, int v) { r.moveLeft(v); });
    edge(
        QStringLiteral("Top"), 114, [](const QRect& r) { return r.top(); },
        [](QRect& r, int v) { r.moveTop(v); });
    edge(
        QStringLiteral("Width"), 116, [](const QRect& r) { return r.width(); },
        [](QRect& r, int v) { r.setWidth(v); });
    AddProperty(
        QStringLiteral("Caption"), 103, T::String,
        [this](const auto&) {
            return Variant::FromString(Window() ? Window()->windowTitle() : QString());
        },
        [this](const Variant& value) {
            if (Window()) {
                Window()->setWindowTitle(value.ToString());
            }
        });
    AddProperty(
        QStringLiteral("Interactive"), 108, T::Bool,
        [this](const auto&) { return Variant::FromBool(Window() && Window()->isEnabled()); },
        [this](const Variant& value) {
            if (Window()) {
                Window()->setEnabled(value.ToBool());
            }
        });
    AddProperty(
        QStringLiteral("StatusBar"), 113, T::String,
        [this](const auto&) {
            const auto* bar = Window() ? Window()->findChild<QStatusBar*>() : nullptr;
            return Variant::FromString(bar ? bar->currentMessage() : QString());
        },
        [this](const Variant& value) {
            if (auto* bar = Window() ? Window()->findChild<QStatusBar*>() : nullptr) {
                bar->showMessage(value.ToString());
            }
        });
    AddProperty(
        QStringLiteral("Visible"), 115, T::Bool,
        [this](const auto&) { return Variant::FromBool(Window() && Window()->isVisible()); },
        [this](const Variant& value) {
            if (Window()) {
                Window()->setVisible(value.ToBool());
            }
        });
}

void CAppDispatch::AddProgramMembers() {
    AddProperty(QStringLiteral("ActiveDocument"), 101, T::Dispatch, [this](const auto&) {
        return Variant::FromDispatch(m_model.DocumentObject(m_model.host().ActiveDocument()));
    });
    AddProperty(QStringLiteral("Application"), 102, T::Dispatch,
                [this](const auto&) { return Variant::FromDispatch(shared_from_this()); });
    AddProperty(
        QStringLiteral("DefaultFilePath"), 104, T::String,
        [](const auto&) { return Variant::FromString(QDir::currentPath()); },
        [](const Variant& value) { QDir::setCurrent(value.ToString()); });
    AddProperty(QStringLiteral("Documents"), 105, T::Dispatch, [this](const auto&) {
        return Variant::FromDispatch(
            std::make_shared<CDocumentsCollection>(m_model, shared_from_this()));
    });
    AddProperty(QStringLiteral("FullName"), 106, T::String, [](const auto&) {
        return Variant::FromString(QCoreApplication::applicationFilePath());
    });
    AddProperty(QStringLiteral("Name"), 110, T::String,
                [](const auto&) { return Variant::FromString(kTitle); });
    AddProperty(QStringLiteral("Parent"), 111, T::Dispatch,
                [](const auto&) { return Variant::FromDispatch(nullptr); });
    AddProperty(QStringLiteral("Path"), 112, T::String, [](const auto&) {
        return Variant::FromString(QCoreApplication::applicationDirPath());
    });
    AddProperty(QStringLiteral("Version"), 117, T::String, [](const auto&) {
        return Variant::FromString(QStringLiteral(TAVI_VERSION_STRING));
    });
    AddProperty(QStringLiteral("Macros"), 118, T::Dispatch,
                [this](const auto&) { return MacrosCollection(); });
    AddProperty(QStringLiteral("HWND"), 119, T::Int32, [this](const auto&) {
        return Variant::FromInt32(Window() ? int32_t(Window()->winId()) : 0);
    });
}

void CAppDispatch::AddMethods() {
    AddMethod(QStringLiteral("Help"), 201, {}, T::Empty, [](const auto&) { return Variant(); });
    AddMethod(QStringLiteral("MessageBox"), 202, {T::String}, T::Empty, [this](const auto& a) {
        m_model.host().ShowMessageBox(a[0].ToString());
        return Variant();
    });
    AddMethod(QStringLiteral("Quit"), 203, {}, T::Empty, [this](const auto&) {
        if (QMainWindow* window = Window()) {
            QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
        }
        return Variant();
    });
    AddMethod(QStringLiteral("PropertiesDialog"), 204, {T::String, T::Dispatch}, T::Empty,
              [this](const auto& a) {
                  m_model.host().ShowPropertiesDialog(a[0].ToString(), a[1].ToObject().get());
                  return Variant();
              });
    AddMethod(QStringLiteral("HtmlDialog"), 205, {T::String}, T::Empty, [this](const auto& a) {
        m_model.host().ShowHtmlDialog(a[0].ToString());
        return Variant();
    });
    AddMethod(QStringLiteral("Sleep"), 206, {T::Int32}, T::Empty, [](const auto& a) {
        QThread::msleep(uint32_t(std::max(0, a[0].ToInt32())));
        return Variant();
    });
}

}  // namespace tavi::automation
