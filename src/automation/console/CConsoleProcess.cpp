#include "CConsoleProcess.h"

#include "ConsoleCommandLine.h"

#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>

extern char** environ;

namespace tavi::automation::console {

namespace {
constexpr auto kStopWait = std::chrono::milliseconds(1000);
constexpr qsizetype kReadSize = 64 * 1024;
// Shown in one turn of the event loop, so that a flood never holds the window long.
constexpr qsizetype kDeliverSize = 64 * 1024;

void CloseBoth(int fds[2]) {
    for (int i = 0; i < 2; ++i) {
        if (fds[i] >= 0) {
            ::close(fds[i]);
            fds[i] = -1;
        }
    }
}
}  // namespace

CConsoleProcess::CConsoleProcess(CConsoleProcessCallback& callback, QObject* parent)
    : QObject(parent), m_callback(callback) {}

CConsoleProcess::~CConsoleProcess() {
    StopConsoleProcess();
}

bool CConsoleProcess::StartConsoleProcess(const QString& command, const QString& parameters,
                                          const QString& folder, bool) {
    const std::optional<QStringList> words = SplitArguments(parameters);
    if (!words) {
        StopConsoleProcess();
        m_callback.ConsoleOutput(
            QCoreApplication::translate("CConsoleProcess", "Unable to start %1\n")
                .arg(CommandLine(command, parameters)));
        return false;
    }
    return StartConsoleProcess(command, *words, parameters, folder);
}

bool CConsoleProcess::StartConsoleProcess(const QString& command, const QStringList& arguments,
                                          const QString& parameters, const QString& folder) {
    StopConsoleProcess();
    const QString commandLine = CommandLine(command, parameters);
    int output[2] = {-1, -1};
    int error[2] = {-1, -1};
    const bool piped = ::pipe2(output, O_CLOEXEC) == 0 && ::pipe2(error, O_CLOEXEC) == 0 &&
                       ::pipe2(m_stopPipe, O_CLOEXEC) == 0;
    if (!piped || !Spawn(QStringList{command} + arguments, folder, output[1], error[1])) {
        CloseBoth(output);
        CloseBoth(error);
        CloseBoth(m_stopPipe);
        m_callback.ConsoleOutput(
            QCoreApplication::translate("CConsoleProcess", "Unable to start %1\n")
                .arg(commandLine));
        return false;
    }
    ::close(output[1]);
    ::close(error[1]);
    m_queue = std::make_shared<ConsoleOutputQueue>();
    m_outputDecoder.resetState();
    m_errorDecoder.resetState();
    m_exited = false;
    m_finishPending = true;
    m_openStreams = 2;
    m_outputReader =
        std::thread([this, fd = output[0]] { Read(fd, ConsoleOutputQueue::Stream::Output); });
    m_errorReader =
        std::thread([this, fd = error[0]] { Read(fd, ConsoleOutputQueue::Stream::Error); });
    m_waiter = std::thread([this, pid = m_pid] { Wait(pid); });
    m_callback.ConsoleStarted(commandLine);
    return true;
}

// posix_spawn reports a program that cannot be run (missing, not executable) as an error,
// so a failed start is known here and not only from the child's exit.
bool CConsoleProcess::Spawn(const QStringList& arguments, const QString& folder, int output,
                            int error) {
    std::vector<QByteArray> bytes;
    for (const QString& argument : arguments) {
        bytes.push_back(QFile::encodeName(argument));
    }
    std::vector<char*> argv;
    for (QByteArray& argument : bytes) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output, 1);
    posix_spawn_file_actions_adddup2(&actions, error, 2);
    const QByteArray directory = QFile::encodeName(folder);
    if (!folder.isEmpty()) {
        posix_spawn_file_actions_addchdir_np(&actions, directory.constData());
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    const bool searchPath = !arguments.front().contains(QLatin1Char('/'));
    const int result =
        searchPath ? posix_spawnp(&m_pid, argv[0], &actions, &attributes, argv.data(), environ)
                   : posix_spawn(&m_pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (result != 0) {
        m_pid = 0;
    }
    return result == 0;
}

void CConsoleProcess::Read(int fd, ConsoleOutputQueue::Stream stream) {
    pollfd fds[2] = {{fd, POLLIN, 0}, {m_stopPipe[0], POLLIN, 0}};
    QByteArray buffer;
    while (true) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (fds[1].revents) {
            break;  // stopped
        }
        buffer.resize(kReadSize);
        const ssize_t got = ::read(fd, buffer.data(), size_t(buffer.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;  // every writer closed the pipe, or it failed: nothing more comes
        }
        buffer.resize(got);
        if (m_queue->Put(stream, buffer)) {
            Wake();
        }
    }
    ::close(fd);
    --m_openStreams;
    Wake();
}

void CConsoleProcess::Wait(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    {
        std::scoped_lock lock(m_mutex);
        m_exited = true;
    }
    m_exitedSignal.notify_all();
    Wake();
}

void CConsoleProcess::Wake() {
    if (!m_wakePending.exchange(true)) {
        QMetaObject::invokeMethod(
            this, [this] { Deliver(); }, Qt::QueuedConnection);
    }
}

void CConsoleProcess::Deliver() {
    m_wakePending = false;
    if (!m_queue) {
        return;
    }
    bool more = false;
    for (const auto& chunk : m_queue->Take(kDeliverSize, &more)) {
        if (chunk.stream == ConsoleOutputQueue::Stream::Output) {
            m_callback.ConsoleOutput(m_outputDecoder.decode(chunk.bytes));
        } else {
            m_callback.ConsoleError(m_errorDecoder.decode(chunk.bytes));
        }
    }
    if (more) {
        Wake();
        return;
    }
    bool exited = false;
    {
        std::scoped_lock lock(m_mutex);
        exited = m_exited;
    }
    if (exited && m_openStreams == 0 && std::exchange(m_finishPending, false)) {
        m_callback.ConsoleFinished();
    }
}

bool CConsoleProcess::IsConsoleProcessRunning() const {
    std::scoped_lock lock(m_mutex);
    return m_pid > 0 && !m_exited;
}

void CConsoleProcess::StopConsoleProcess() {
    if (!m_waiter.joinable()) {
        return;
    }
    std::unique_lock lock(m_mutex);
    if (!m_exited) {
        ::kill(-m_pid, SIGTERM);
        if (!m_exitedSignal.wait_for(lock, kStopWait, [this] { return m_exited; })) {
            ::kill(-m_pid, SIGKILL);
            m_exitedSignal.wait(lock, [this] { return m_exited; });
        }
    }
    lock.unlock();
    // Whatever the group's other members still write is not waited for.
    const char stop = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_stopPipe[1], &stop, 1);
    JoinThreads();
    DeliverQueued();
    if (std::exchange(m_finishPending, false)) {
        m_callback.ConsoleFinished();
    }
    m_pid = 0;
}

void CConsoleProcess::JoinThreads() {
    for (std::thread* thread : {&m_waiter, &m_outputReader, &m_errorReader}) {
        if (thread->joinable()) {
            thread->join();
        }
    }
    CloseBoth(m_stopPipe);
}

// What was read before the stop is still shown, before "finished".
void CConsoleProcess::DeliverQueued() {
    for (bool more = true; more && m_queue;) {
        for (const auto& chunk : m_queue->Take(ConsoleOutputQueue::kMaxBytes, &more)) {
            if (chunk.stream == ConsoleOutputQueue::Stream::Output) {
                m_callback.ConsoleOutput(m_outputDecoder.decode(chunk.bytes));
            } else {
                m_callback.ConsoleError(m_errorDecoder.decode(chunk.bytes));
            }
        }
    }
    m_wakePending = false;
}

}  // namespace tavi::automation::console
