#include "AppAutomation.h"

#include "AppAutomationHost.h"
#include "AppTools.h"
#include "CTaviApp.h"
#include "CommandLine.h"
#include "app/frame/CMainFrame.h"
#include "app/frame/FrameCommandIds.h"
#include "app/settings/AppKey.h"
#include "automation/dbus/AutomationBus.h"
#include "automation/dbus/StartupGate.h"
#include "automation/mpris/MprisPlayer.h"
#include "automation/mpris/MprisPlaylists.h"
#include "automation/mpris/MprisRoot.h"
#include "automation/mpris/MprisTrackList.h"
#include "automation/mpris/TrackIds.h"
#include "automation/objects/AutomationModel.h"
#include "automation/registration/DesktopRegistration.h"
#include "automation/registration/FileManagerRegistration.h"
#include "automation/script/CActiveScriptSite.h"
#include "automation/script/ScriptEngineBase.h"
#include "platform/fs/AbsoluteLocalPath.h"
#include "platform/fs/MediaLocation.h"
#include "playlist/CTaviDoc.h"
#include "playlist/PlaylistModel.h"
#include "ui/options/CMacrosPage.h"
#include "ui/optionsheet/OptionsPageRegistry.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QEvent>
#include <QMainWindow>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace tavi::app {

namespace {

int Registration(const CommandLine& line) {
    automation::DesktopRegistration registration(automation::DesktopRegistration::DefaultDataHome(),
                                                 QCoreApplication::applicationFilePath());
    automation::FileManagerRegistration fileManagers(
        automation::DesktopRegistration::DefaultDataHome(),
        automation::FileManagerRegistration::DefaultConfigHome(),
        automation::FileManagerRegistration::CommandBeside(
            QCoreApplication::applicationFilePath()));
    const bool add = line.command == CommandLine::Command::Register;
    QStringList errors = add ? registration.Register() : registration.Unregister();
    errors += add ? fileManagers.Register() : fileManagers.Unregister();
    for (const QString& error : errors) {
        std::fprintf(stderr, "tavi: %s\n", qPrintable(error));
    }
    return errors.isEmpty() ? 0 : 1;
}

// Hands the files to the player that owns the bus name: each through OpenFile in order
// (the player collects them into one batch), or an empty name to bring its window forward
// when there are none. A player still starting holds the calls until it is ready. False
// when no player took the first call.
bool HandOff(QDBusConnection bus, const QStringList& files) {
    QStringList paths;
    for (const QString& file : files) {
        paths.append(fs::IsStreamUrl(file) ? file : fs::AbsoluteLocalPath(file));
    }
    if (paths.isEmpty()) {
        paths.append(QString());
    }
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            automation::AutomationBus::kService, automation::AutomationBus::kRoot,
            automation::AutomationBus::kRootInterface, QStringLiteral("OpenFile"));
        call << paths.at(i);
        const QDBusReply<bool> reply = bus.call(call);
        if (!reply.isValid()) {
            if (i == 0) {
                return false;
            }
            std::fprintf(stderr, "tavi: %s: %s\n", qPrintable(paths.at(i)),
                         qPrintable(reply.error().message()));
        }
    }
    return true;
}

}  // namespace

std::optional<int> AppAutomation::RunBeforeStart(const QStringList& arguments) {
    const CommandLine line = CommandLine::Parse(arguments);
    if (line.command == CommandLine::Command::Register ||
        line.command == CommandLine::Command::Unregister) {
        return Registration(line);
    }
    return std::nullopt;
}

// The bus name decides which start is the player: of several starts at once only one gets
// it, and the others hand their files to that one. A desktop start (-dde) that finds the
// name taken hands off; if that player ends before it answered, the name is tried again.
std::unique_ptr<automation::StartupGate> AppAutomation::ClaimBus(const QStringList& arguments,
                                                                 std::optional<int>* exitCode) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const CommandLine line = CommandLine::Parse(arguments);
    const auto claimant = line.automation ? automation::StartupGate::Claimant::Activated
                                          : automation::StartupGate::Claimant::CommandLine;
    // A start that neither gets the name nor reaches its owner (the owner is ending, or a
    // loaded machine let the name change hands between the questions) waits a little
    // longer each time before it asks again: giving up would start a second player.
    constexpr int kAttempts = 8;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (attempt > 0) {
            QThread::msleep(50 * attempt);
        }
        if (auto gate = automation::StartupGate::Claim(bus, claimant)) {
            return gate;
        }
        if (!bus.isConnected() ||
            !bus.interface()->isServiceRegistered(automation::AutomationBus::kService)) {
            continue;  // the owner went between the two questions
        }
        if (line.automation) {
            // Started by bus activation while a player runs: that one takes the calls.
            *exitCode = 0;
            return nullptr;
        }
        if (!line.dde) {
            return nullptr;  // a plain command line starts a second player
        }
        if (HandOff(bus, line.files)) {
            *exitCode = 0;
            return nullptr;
        }
    }
    return nullptr;
}

AppAutomation::AppAutomation(CTaviApp& app, std::unique_ptr<automation::StartupGate> gate)
    : m_host(std::make_unique<AppAutomationHost>(app)),
      m_model(std::make_unique<automation::AutomationModel>(*m_host)),
      m_gate(std::move(gate)) {
    StartScripts(app);
    m_tools = std::make_unique<AppTools>(app, m_host->Console());
    app.SetEditPrograms([this] { m_tools->EditPrograms(); });
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected()) {
        m_bus = new automation::AutomationBus(
            *m_model, bus,
            [&app](const QString& path) {
                // Another start's file; an empty name asks only for the window.
                app.HandIn(path.isEmpty() ? QStringList() : QStringList{path}, true);
                return true;
            },
            this);
        if (m_gate) {
            m_onBus = m_gate->Attach(m_bus);
            if (!m_onBus && app.GetCommandLine().automation) {
                // A player started with a file took the name over: this one has no use.
                QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
            }
        } else {
            // A second player started from a command line runs without the bus name.
            m_onBus = m_bus->Register();
        }
        if (m_onBus) {
            StartMpris(app, bus);
        }
    }
    if (QMainWindow* window = app.MainWindow()) {
        window->installEventFilter(this);
    }
    // The window posts itself the start-up command once it is up; without one it runs now.
    app.SetStartupCommand([this] { m_model->RunStartup(); });
    QTimer::singleShot(0, this, [&app] {
        auto* frame = qobject_cast<frame::CMainFrame*>(app.MainWindow());
        if (!frame || !frame->OnCommand(frame::cmd::kStartup)) {
            app.RunStartupCommand();
        }
    });
}

// The macros listed under the program's key, loaded with the main window; their errors
// shown in a box that does not hold the window; the Add-ins page over them.
void AppAutomation::StartScripts(CTaviApp& app) {
    const reg::RegKey settings =
        settings::openApplicationKey(reg::Registry::instance(), QStringLiteral("Settings"));
    const uint32_t seconds = settings.dwordValue(QStringLiteral("ScriptTimeout")).value_or(10);
    automation::script::ScriptEngineBase::SetTimeLimit(std::chrono::seconds(seconds));
    automation::script::CActiveScriptSite::SetErrorPresenter(
        [&app](const QString& text, const QString& caption) {
            auto* box = new QMessageBox(QMessageBox::Critical, caption, text, QMessageBox::Ok,
                                        app.MainWindow());
            box->setAttribute(Qt::WA_DeleteOnClose);
            box->open();
        });
    ui::OptionsPageRegistry::instance().Register(
        QStringLiteral("Add-ins"),
        [this](QWidget* parent) { return new ui::CMacrosPage(m_model->macroList(), parent); });
    m_model->macroList().LoadAllMacros();
}

void AppAutomation::StartMpris(CTaviApp& app, QDBusConnection bus) {
    auto* mpris = new QObject(this);
    new automation::MprisRoot(*m_host, mpris);
    automation::TrackIds* ids = nullptr;
    if (playlist::CTaviDoc* document = m_host->ActiveDocument()) {
        ids = new automation::TrackIds(document->model(), mpris);
        new automation::MprisTrackList(*m_host, *ids, mpris);
    }
    new automation::MprisPlayer(*m_host, ids, mpris);
    new automation::MprisPlaylists(
        *m_host, [&app] { return app.RecentFiles().entries(); }, mpris);
    bus.registerObject(automation::MprisPlayer::kObjectPath, mpris,
                       QDBusConnection::ExportAdaptors);
    bus.registerService(automation::MprisPlayer::kService);
}

AppAutomation::~AppAutomation() {
    m_tools.reset();  // the tools are written back
    m_model->macroList().CloseAllMacros();
    ui::OptionsPageRegistry::instance().Unregister(QStringLiteral("Add-ins"));
    automation::script::CActiveScriptSite::SetErrorPresenter({});
    m_gate.reset();  // no call reaches the bus object once it is going
    delete m_bus;
    m_bus = nullptr;
}

bool AppAutomation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close) {
        m_model->FireShutdown();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tavi::app
