#pragma once

#include <QString>

#include <optional>

namespace tavi::automation::console {
class CConsoleProcess;
}

namespace tavi::automation::tools {

class CTool;

// Starts a tool, on a file when one is given: a console tool as the output window's
// process, anything else as the desktop opens it (a program directly, a document or folder
// through its "open"). The parameters are split into words first and the placeholders
// replaced inside each word, so a file name is always one argument and never a command.
bool LaunchTool(const CTool& tool, const std::optional<QString>& file,
                console::CConsoleProcess* console);

}  // namespace tavi::automation::tools
