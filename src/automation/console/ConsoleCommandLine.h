#pragma once

#include "platform/process/ArgumentWords.h"

#include <QStringList>

#include <optional>

namespace tavi::automation::console {

// The command line a console process shows: the command, in double quotes when it has a
// space, one space, then the parameters as they are.
QString CommandLine(const QString& command, const QString& parameters);

// Parameters are split into words by the platform's splitter (no shell).
using process::SplitArguments;

}  // namespace tavi::automation::console
