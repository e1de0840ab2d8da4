#pragma once

#include "automation/objects/AutomationHost.h"
#include "automation/objects/CConsoleBar.h"

#include <QPointer>

namespace tavi::app {

class CTaviApp;

// The object model's view of the running application: its main window, view, document and
// the console dock it adds to the main window.
class AppAutomationHost : public automation::AutomationHost {
public:
    explicit AppAutomationHost(CTaviApp& app);

    QMainWindow* MainWindow() const override;
    playlist::PlaylistPlayer* ActivePlayer() const override;
    playlist::CTaviDoc* ActiveDocument() const override;
    automation::CConsoleBar* Console() const override { return m_console; }
    bool OpenDocumentFile(const QString& path) override;
    void NewDocument() override;
    void PostFrameCommand(int id) override;
    void ShowMessageBox(const QString& text) override;
    void ShowPropertiesDialog(const QString& caption, automation::DispatchObject* object) override;
    void ShowHtmlDialog(const QString& url) override;

private:
    CTaviApp& m_app;
    QPointer<automation::CConsoleBar> m_console;
};

}  // namespace tavi::app
