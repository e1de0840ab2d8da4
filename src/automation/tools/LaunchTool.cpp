#include "LaunchTool.h"

#include "CTool.h"
#include "ToolExpansion.h"
#include "automation/console/CConsoleProcess.h"
#include "automation/console/ConsoleCommandLine.h"
#include "automation/objects/ShellExecute.h"

namespace tavi::automation::tools {

bool LaunchTool(const CTool& tool, const std::optional<QString>& file,
                console::CConsoleProcess* console) {
    const QString command = ExpandEnvironment(tool.commandLine);
    QString parameters = ExpandEnvironment(tool.parameters);
    QString folder = ExpandEnvironment(tool.startFolder);
    std::optional<QStringList> words = console::SplitArguments(parameters);
    if (file) {
        folder = ExpandFileFolder(folder, *file);
        parameters = ExpandFileParameters(parameters, *file);
        if (words) {
            for (QString& word : *words) {
                word = ExpandFileParameters(word, *file);
            }
        }
    }
    if (tool.useConsole) {
        if (!console) {
            return false;
        }
        return words ? console->StartConsoleProcess(command, *words, parameters, folder)
                     : console->StartConsoleProcess(command, parameters, folder, false);
    }
    return words && ShellExecute(QStringLiteral("open"), command, *words, folder) >= 32;
}

}  // namespace tavi::automation::tools
