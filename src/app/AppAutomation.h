#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

namespace tavi::automation {
class AutomationBus;
class AutomationModel;
class CConsoleBar;
class StartupGate;
}  // namespace tavi::automation

namespace tavi::app {

class CTaviApp;
class AppAutomationHost;
class AppTools;

// The program as an automation server: the object model over the running application, its
// console dock in the main window, and the model on the session bus. Startup is raised once
// the event loop runs; Shutdown when the main window is asked to close.
class AppAutomation : public QObject {
    Q_OBJECT
public:
    // gate: the bus name claimed at the start (ClaimBus), whose held calls are answered
    // from now on; null: the name is asked for here.
    explicit AppAutomation(CTaviApp& app, std::unique_ptr<automation::StartupGate> gate = {});
    ~AppAutomation() override;

    // What a start does before the application object starts: "/Register" and
    // "/Unregister" write or remove the user's desktop files. Returns the exit code when the
    // process should end now.
    static std::optional<int> RunBeforeStart(const QStringList& arguments);
    // Takes the bus name before anything else starts, holding calls until the player is
    // ready. Null without a session bus or when another player has the name: a start made
    // by bus activation then has nothing to do, a desktop start ("-dde FILE...") has handed
    // its files to that player, and exitCode says so; a plain start runs as a second player.
    static std::unique_ptr<automation::StartupGate> ClaimBus(const QStringList& arguments,
                                                             std::optional<int>* exitCode);

    automation::AutomationModel& model() const { return *m_model; }
    bool OnBus() const { return m_onBus; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartScripts(CTaviApp& app);
    void StartMpris(CTaviApp& app, QDBusConnection bus);

    std::unique_ptr<AppAutomationHost> m_host;
    std::unique_ptr<AppTools> m_tools;
    std::unique_ptr<automation::AutomationModel> m_model;
    std::unique_ptr<automation::StartupGate> m_gate;
    automation::AutomationBus* m_bus = nullptr;
    bool m_onBus = false;
};

}  // namespace tavi::app
