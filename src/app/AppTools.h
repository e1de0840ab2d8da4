#pragma once

#include <QObject>

#include <memory>

namespace tavi::automation {
class CConsoleBar;
}
namespace tavi::automation::tools {
class CToolMenu;
}

namespace tavi::app {

class CTaviApp;

// The user's tools in the main window's Programs popup: read from the registry when the
// window is made (the mixer and the music folder on a first start), edited with "Edit
// Programs", written back when the window goes. Console tools write into the output window.
class AppTools : public QObject {
    Q_OBJECT
public:
    AppTools(CTaviApp& app, automation::CConsoleBar* console);
    ~AppTools() override;

    automation::tools::CToolMenu& menu() { return *m_menu; }
    void EditPrograms();

private:
    CTaviApp& m_app;
    automation::CConsoleBar* m_console;
    std::unique_ptr<automation::tools::CToolMenu> m_menu;
};

}  // namespace tavi::app
