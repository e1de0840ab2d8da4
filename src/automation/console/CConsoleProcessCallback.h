#pragma once

#include <QString>

namespace tavi::automation::console {

// What the output window does with a console process's events, on the UI thread.
class CConsoleProcessCallback {
public:
    virtual ~CConsoleProcessCallback() = default;
    virtual void ConsoleStarted(const QString& commandLine) = 0;
    virtual void ConsoleOutput(const QString& text) = 0;
    virtual void ConsoleError(const QString& text) = 0;
    virtual void ConsoleFinished() = 0;
};

}  // namespace tavi::automation::console
