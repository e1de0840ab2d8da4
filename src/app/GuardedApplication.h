#pragma once

#include <QApplication>

#include <functional>

namespace tavi::app {

// The application object with a last guard around every event: a handler, slot, timer or
// bus call that lets a program error escape reports it as the failed command's error
// instead of ending the program. The places that call engines catch what they expect;
// this catches what slipped past them.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an escaped error; called from the event loop after the failing event. Until
    // one is set (and when it is cleared), errors go to standard error.
    void SetErrorReporter(std::function<void(const QString&)> reporter);

private:
    void Report(const QString& message);

    std::function<void(const QString&)> m_reporter;
};

}  // namespace tavi::app
