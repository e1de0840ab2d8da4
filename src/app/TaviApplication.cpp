#include "TaviApplication.h"

#include "AppAutomation.h"
#include "CTaviApp.h"
#include "GuardedApplication.h"
#include "TaviFrame.h"
#include "TerminationSignals.h"
#include "app/Version.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "automation/dbus/StartupGate.h"
#include "platform/fs/AbsoluteLocalPath.h"
#include "platform/fs/MediaLocation.h"
#include "platform/registry/Registry.h"
#include "playlist/CTaviDoc.h"
#include "playlist/EntryKinds.h"
#include "playlist/FolderWalk.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include <atomic>
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

// Names on the command line that are not there are said on standard error as well: the
// player's own message may go to a window another start shows, or to none.
void ReportMissingFiles(const CommandLine& line) {
    for (const QString& file : line.files) {
        if (!fs::IsStreamUrl(file) && !QFileInfo::exists(fs::AbsoluteLocalPath(file))) {
            std::fprintf(stderr, "tavi: %s: No such file or directory\n", qPrintable(file));
        }
    }
}

// --play-folder: the media files of the folder chosen, in the folder's order, appended to
// the arguments, so that they are listed and the first plays as when a file manager opens
// them; false when nothing was chosen.
bool AddChosenFolder(QStringList& arguments) {
    const QString start = settings::playerSettings().mediaDir;
    const QString folder = QFileDialog::getExistingDirectory(
        nullptr, QCoreApplication::translate("CommandLine", "Play folder with Tavi"),
        QFileInfo(start).isDir() ? start : QDir::homePath());
    if (folder.isEmpty()) {
        return false;
    }
    const std::atomic<bool> cancelled{false};
    QStringList media;
    playlist::FolderWalk::Run(folder, cancelled, [&media](const QStringList& files) {
        for (const QString& file : files) {
            if (playlist::IsMediaFile(file)) {
                media.append(file);
            }
        }
    });
    arguments += media.isEmpty() ? QStringList{folder} : media;
    return true;
}

}  // namespace

int runTavi(int argc, char** argv) {
    if (hasSwitch(argc, argv, "--version")) {
        std::printf("Tavi %s\n", TAVI_VERSION_STRING);
        return 0;
    }
    if (hasSwitch(argc, argv, "--help")) {
        std::fputs(qPrintable(CommandLine::Usage()), stdout);
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

    QStringList arguments = QApplication::arguments().mid(1);
    // Registration runs end here.
    if (const auto early = AppAutomation::RunBeforeStart(arguments)) {
        return *early;
    }
    if (CommandLine::Parse(arguments).chooseFolder && !AddChosenFolder(arguments)) {
        return 0;
    }
    ReportMissingFiles(CommandLine::Parse(arguments));

    // The bus name is ours before the window and the file: a query meanwhile waits for them.
    // A desktop start that finds another player hands it its files and ends here.
    std::optional<int> nothingToDo;
    auto gate = AppAutomation::ClaimBus(arguments, &nothingToDo);
    if (nothingToDo) {
        return *nothingToDo;
    }

    int exitCode = 0;
    {
        CTaviApp tavi;
        tavi.SetFrameFactory(CreateTaviFrame);
        if (!tavi.InitInstance(arguments)) {
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
