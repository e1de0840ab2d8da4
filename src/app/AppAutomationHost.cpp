#include "AppAutomationHost.h"

#include "CTaviApp.h"
#include "app/frame/CMainFrame.h"
#include "automation/objects/CConsoleBar.h"
#include "automation/objects/PropertyPagesDialog.h"
#include "playlist/view/CTaviView.h"

#include <QMessageBox>

namespace tavi::app {

AppAutomationHost::AppAutomationHost(CTaviApp& app) : m_app(app) {
    if (QMainWindow* window = app.MainWindow()) {
        // The console starts hidden; scripts and clients show it through Console.Visible.
        m_console = new automation::CConsoleBar(window);
        window->addDockWidget(Qt::BottomDockWidgetArea, m_console);
        m_console->hide();
    }
}

QMainWindow* AppAutomationHost::MainWindow() const {
    return m_app.MainWindow();
}

playlist::PlaylistPlayer* AppAutomationHost::ActivePlayer() const {
    playlist::CTaviView* view = m_app.View();
    return view ? &view->playlistPlayer() : nullptr;
}

playlist::CTaviDoc* AppAutomationHost::ActiveDocument() const {
    return m_app.Document();
}

bool AppAutomationHost::OpenDocumentFile(const QString& path) {
    return m_app.OpenDocumentFile(path);
}

void AppAutomationHost::NewDocument() {
    m_app.NewDocument();
}

void AppAutomationHost::PostFrameCommand(int id) {
    if (auto* frame = qobject_cast<frame::CMainFrame*>(m_app.MainWindow())) {
        frame->PostCommand(id);
    } else if (playlist::CTaviView* view = m_app.View()) {
        QMetaObject::invokeMethod(
            view, [view, id] { view->OnCommand(id); }, Qt::QueuedConnection);
    }
}

void AppAutomationHost::ShowMessageBox(const QString& text) {
    QMessageBox::information(m_app.MainWindow(), QStringLiteral("Tavi"), text);
}

void AppAutomationHost::ShowPropertiesDialog(const QString& caption,
                                             automation::DispatchObject* object) {
    automation::PropertyPagesDialog dialog(caption, object, m_app.MainWindow());
    dialog.exec();
}

void AppAutomationHost::ShowHtmlDialog(const QString& url) {
    automation::HtmlPageDialog dialog(url, m_app.MainWindow());
    dialog.exec();
}

}  // namespace tavi::app
