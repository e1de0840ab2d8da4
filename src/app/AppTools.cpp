#include "AppTools.h"

#include "CTaviApp.h"
#include "app/settings/AppKey.h"
#include "app/settings/PlayerSettings.h"
#include "automation/objects/CConsoleBar.h"
#include "automation/tools/CTaviToolMenu.h"
#include "automation/tools/CToolDlg.h"
#include "automation/tools/CToolEditDlg.h"
#include "automation/tools/LaunchTool.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QStandardPaths>

namespace tavi::app {

namespace {

// The sixth popup of the menu bar, whatever its title in the active language.
QMenu* ProgramsPopup(QMainWindow* window) {
    constexpr int kProgramsIndex = 5;
    if (!window) {
        return nullptr;
    }
    const QList<QAction*> popups = window->menuBar()->actions();
    return popups.size() > kProgramsIndex ? popups[kProgramsIndex]->menu() : nullptr;
}

}  // namespace

AppTools::AppTools(CTaviApp& app, automation::CConsoleBar* console)
    : m_app(app), m_console(console) {
    QPointer<automation::CConsoleBar> bar(console);
    m_menu = std::make_unique<automation::tools::CTaviToolMenu>([bar] {
        if (bar) {
            bar->show();  // what a console tool writes is seen
        }
        return bar ? &bar->process() : nullptr;
    });
    reg::RegKey program = settings::openApplicationKey(reg::Registry::instance());
    m_menu->list().Load(program);
    if (m_menu->list().IsEmpty()) {
        m_menu->list().AddDefaultTools(
            settings::playerSettings().mixer,
            QStandardPaths::writableLocation(QStandardPaths::MusicLocation));
    }
    m_menu->Attach(ProgramsPopup(app.MainWindow()));
}

AppTools::~AppTools() {
    reg::RegKey program = settings::openApplicationKey(reg::Registry::instance());
    m_menu->list().Save(program);
}

void AppTools::EditPrograms() {
    using automation::tools::CTool;
    automation::tools::CToolEditDlg dialog(
        m_menu->list(),
        [](CTool& tool, QWidget* parent) {
            automation::tools::CToolDlg properties(tool, parent);
            if (properties.exec() != QDialog::Accepted) {
                return false;
            }
            tool = properties.Tool();
            return true;
        },
        [this](const CTool& tool) {
            automation::tools::LaunchTool(tool, std::nullopt, m_menu->Console());
        },
        m_app.MainWindow());
    if (dialog.exec() == QDialog::Accepted) {
        m_menu->list() = dialog.Result();
    }
}

}  // namespace tavi::app
