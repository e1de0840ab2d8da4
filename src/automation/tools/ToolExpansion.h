#pragma once

#include <QString>

namespace tavi::automation::tools {

// %NAME% replaced by the environment variable's value; names that are not set stay as they
// are, as the platform's expansion leaves them.
QString ExpandEnvironment(const QString& text);

// The placeholders of a file in a tool's parameters: $(FilePath) the whole path, $(FileDir)
// its folder with the trailing "/", $(FileName) the name without extension, $(FileExt) the
// extension with its dot, $(FileDrive) empty (Linux paths have no drive).
QString ExpandFileParameters(const QString& parameters, const QString& file);
// In a start folder only $(FileDir) and $(FileDrive) are replaced.
QString ExpandFileFolder(const QString& folder, const QString& file);

}  // namespace tavi::automation::tools
