// taviext: the hand-off for any file manager's actions, and what the Nautilus module runs.
//   taviext --play FILES...   a new playlist with the files, played
//   taviext --add FILES...    the files appended to the playlist
// FILES are paths or file:// URIs. A failure is written to standard error, shown as a
// desktop notification inside a session, and ends the program with status 1.
#include "platform/dbus/BusTypes.h"
#include "shellext/FailureNotice.h"
#include "shellext/HandOffError.h"
#include "shellext/ShellFileList.h"
#include "shellext/ShellStrings.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <cstdio>

using namespace tavi::shellext;

namespace {

constexpr int kUsageStatus = 2;

int Usage() {
    std::fputs("usage: taviext --play FILES...\n       taviext --add FILES...\n", stderr);
    return kUsageStatus;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    tavi::platform::RegisterBusTypes();
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty()) {
        return Usage();
    }
    const QString command = arguments.takeFirst();
    const bool play = command == QLatin1String("--play");
    if (!play && command != QLatin1String("--add")) {
        return Usage();
    }
    if (!arguments.isEmpty() && arguments.front() == QLatin1String("--")) {
        arguments.removeFirst();
    }
    ShellFileList files;
    if (files.LoadFromArguments(arguments) != hresult::kOk) {
        std::fputs("taviext: no files\n", stderr);
        return kUsageStatus;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    const auto failure = play ? files.PlayInPlayer(bus) : files.AddToPlayer(bus);
    if (!failure) {
        return 0;
    }
    const ShellStrings strings = ShellStrings::ForEnvironment();
    FailureNotice::Show(bus, QString::fromStdString(strings.Text(ShellStrings::kCaption)),
                        failure->Text(strings), FailureNotice::InDesktopSession());
    return 1;
}
