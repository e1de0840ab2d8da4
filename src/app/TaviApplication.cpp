#include "TaviApplication.h"

#include "AppAutomation.h"
#include "CTaviApp.h"
#include "GuardedApplication.h"
#include "TaviFrame.h"
#include "TerminationSignals.h"
#include "app/Version.h"
#include "app/settings/SettingsKeys.h"
#include "automation/dbus/StartupGate.h"
#include "platform/registry/Registry.h"
#include "playlist/CTaviDoc.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace tavi::app {

namespace {

bool hasSwitch(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

int runTavi(int argc, char** argv) {
    if (hasSwitch(argc, argv, "--version")) {
        std::printf("Tavi %s\n", TAVI_VERSION_STRING);
        return 0;
    }
    GuardedApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavi"));
    QApplication::setOrganizationName(settings::keys::kCompany);
    QApplication::setApplicationVersion(QStringLiteral(TAVI_VERSION_STRING));
    QApplication::setDesktopFileName(QStringLiteral("org.kestrova.Tavi"));

    TerminationSignals terminationSignals;
    CTaviApp* running = nullptr;  // the player once it has started
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &application,
                     [&running] {
                         if (running) {
                             running->EndSession();
                         } else {
                             QCoreApplication::exit(0);
                         }
                     });

    // Registration runs and hand-offs to a running player end here.
    if (const auto early = AppAutomation::RunBeforeStart(QApplication::arguments().mid(1))) {
        return *early;
    }

    // The bus name is ours before the window and the file: a query meanwhile waits for them.
    std::optional<int> nothingToDo;
    auto gate = AppAutomation::ClaimBus(QApplication::arguments().mid(1), &nothingToDo);
    if (nothingToDo) {
        return *nothingToDo;
    }

    int exitCode = 0;
    {
        CTaviApp tavi;
        tavi.SetFrameFactory(CreateTaviFrame);
        if (!tavi.InitInstance(QApplication::arguments().mid(1))) {
            return 0;
        }
        running = &tavi;
        application.SetErrorReporter([&tavi](const QString& message) {
            if (tavi.Document() && tavi.Document()->prompts().reportError) {
                tavi.Document()->prompts().reportError(message);
            }
        });
        AppAutomation automation(tavi, std::move(gate));  // the object model on the session bus
        QObject::connect(&application, &QApplication::lastWindowClosed, &application,
                         &QApplication::quit);
        if (qEnvironmentVariableIsSet("TAVI_STARTUP_PROBE")) {
            // For the start-up benchmark: the wall-clock time once the window is up, then quit.
            QTimer::singleShot(0, &application, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("shown-at %lld\n",
                            static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                QApplication::quit();
            });
        }
        exitCode = QApplication::exec();
        application.SetErrorReporter(nullptr);
        tavi.CloseMainWindow();
        tavi.ExitInstance();
        running = nullptr;
    }
    reg::Registry::instance().flush();
    return exitCode;
}

}  // namespace tavi::app
