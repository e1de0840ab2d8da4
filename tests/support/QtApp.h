#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <functional>

namespace tavi::test {

// The application object the tests of one binary share; created at first use.
inline QCoreApplication& coreApplication() {
    static int argc = 1;
    static char name[] = "tavi-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? QCoreApplication::instance()
                                                                : new QCoreApplication(argc, argv);
    return *app;
}

// Runs the event loop until done() holds or the time runs out; returns done().
inline bool processEventsUntil(const std::function<bool()>& done, int timeoutMs) {
    coreApplication();
    QDeadlineTimer deadline(timeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return done();
}

inline void processEventsFor(int milliseconds) {
    processEventsUntil([] { return false; }, milliseconds);
}

}  // namespace tavi::test
