#pragma once

#include "CConsoleProcessCallback.h"
#include "ConsoleOutputQueue.h"

#include <QObject>
#include <QStringDecoder>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <sys/types.h>

namespace tavi::automation::console {

// One child program at a time with its standard output and standard error captured on two
// pipes. Reader threads queue what arrives; the UI thread hands it to the callback, then
// "finished" once the child has ended and both pipes are closed. The program is started
// directly (no shell) with the parameters split into words, in a process group of its own,
// so that a stop (SIGTERM, then SIGKILL after 1000 ms) reaches what it started too.
class CConsoleProcess : public QObject {
    Q_OBJECT
public:
    explicit CConsoleProcess(CConsoleProcessCallback& callback, QObject* parent = nullptr);
    ~CConsoleProcess() override;

    // Stops a running child first. False (and "Unable to start ..." as output) when the
    // program cannot be started. show has no meaning here: console programs have no window.
    bool StartConsoleProcess(const QString& command, const QString& parameters,
                             const QString& folder, bool show);
    // The same with the arguments already apart; parameters is what the start line shows.
    bool StartConsoleProcess(const QString& command, const QStringList& arguments,
                             const QString& parameters, const QString& folder);
    void StopConsoleProcess();
    bool IsConsoleProcessRunning() const;
    // How much output a flood made the queue drop before the window could show it.
    qsizetype DroppedBytes() const { return m_queue ? m_queue->DroppedBytes() : 0; }

private:
    bool Spawn(const QStringList& arguments, const QString& folder, int output, int error);
    void Read(int fd, ConsoleOutputQueue::Stream stream);
    void Wait(pid_t pid);
    void Wake();
    void Deliver();
    void DeliverQueued();
    void JoinThreads();

    CConsoleProcessCallback& m_callback;
    std::shared_ptr<ConsoleOutputQueue> m_queue;
    int m_stopPipe[2] = {-1, -1};
    std::thread m_outputReader;
    std::thread m_errorReader;
    std::thread m_waiter;
    pid_t m_pid = 0;
    mutable std::mutex m_mutex;
    std::condition_variable m_exitedSignal;
    bool m_exited = true;
    std::atomic<int> m_openStreams = 0;
    std::atomic<bool> m_wakePending = false;
    bool m_finishPending = false;
    QStringDecoder m_outputDecoder{QStringDecoder::System};
    QStringDecoder m_errorDecoder{QStringDecoder::System};
};

}  // namespace tavi::automation::console
