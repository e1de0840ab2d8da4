#include "GuardedApplication.h"

#include "platform/errors/CException.h"

#include <QTimer>

#include <cstdio>
#include <exception>

namespace tavi::app {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const errors::CException& error) {
        Report(error.GetErrorMessage());
    } catch (const std::exception& error) {
        Report(QString::fromLocal8Bit(error.what()));
    }
    return true;  // the event counts as handled: its handler ran as far as it could
}

void GuardedApplication::SetErrorReporter(std::function<void(const QString&)> reporter) {
    m_reporter = std::move(reporter);
}

// The message box opens from the loop, not inside the failed handler's stack.
void GuardedApplication::Report(const QString& message) {
    std::fprintf(stderr, "tavi: %s\n", qPrintable(message));
    if (m_reporter) {
        QTimer::singleShot(0, this, [this, message] {
            if (m_reporter) {
                m_reporter(message);
            }
        });
    }
}

}  // namespace tavi::app
