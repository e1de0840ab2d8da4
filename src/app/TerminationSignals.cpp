#include "TerminationSignals.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <thread>

namespace tavi::app {

namespace {
int g_signalPipe[2] = {-1, -1};
volatile std::sig_atomic_t g_signalled = 0;
// The orderly quit saves first and then has this long to close before the process ends
// anyway: a logout must not wait on a stuck device or a dialog.
constexpr auto kQuitDeadline = std::chrono::milliseconds(1800);
}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
    struct sigaction action {};
    action.sa_handler = &TerminationSignals::onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        ::sigaction(signal, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        std::signal(signal, SIG_DFL);
    }
    for (int& fd : g_signalPipe) {
        if (fd >= 0) {
            ::close(fd);
            fd = -1;
        }
    }
}

// Runs in signal context: only async-signal-safe calls are allowed here. A second signal
// while the first is handled ends the process at once.
void TerminationSignals::onSignal(int signal) {
    if (g_signalled) {
        ::_exit(128 + signal);
    }
    g_signalled = 1;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
}

void TerminationSignals::readSignal() {
    char byte = 0;
    [[maybe_unused]] const ssize_t got = ::read(g_signalPipe[1], &byte, 1);
    Q_EMIT terminationRequested();  // the handlers save what must not be lost, then quit
    std::thread([] {
        std::this_thread::sleep_for(kQuitDeadline);
        static const char kMessage[] = "tavi: the quit took too long; ending now\n";
        [[maybe_unused]] const ssize_t written =
            ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
        ::_exit(0);
    }).detach();
}

}  // namespace tavi::app
