#include "ConsoleCommandLine.h"

namespace tavi::automation::console {

QString CommandLine(const QString& command, const QString& parameters) {
    const QString shown = command.contains(QLatin1Char(' '))
                              ? QLatin1Char('"') + command + QLatin1Char('"')
                              : command;
    return shown + QLatin1Char(' ') + parameters;
}

}  // namespace tavi::automation::console
