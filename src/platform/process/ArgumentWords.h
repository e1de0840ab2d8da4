#pragma once

#include <QStringList>

#include <optional>

namespace tavi::process {

// The parameters as the words a shell would pass, without the shell: blanks separate words,
// single quotes keep everything, double quotes keep everything but backslash escapes of
// '"', '\' and '$', a backslash outside quotes keeps the next character. Nothing is
// expanded or run: '$', ';', '|', '&', '*' and backticks are plain characters. nullopt
// when a quote is not closed.
std::optional<QStringList> SplitArguments(const QString& parameters);

}  // namespace tavi::process
