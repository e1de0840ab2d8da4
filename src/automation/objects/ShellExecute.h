#pragma once

#include <QStringList>

namespace tavi::automation {

// Results as the platform reports them: above 32 is success.
namespace shellresult {
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kNoAssociation = 31;
inline constexpr int kSuccess = 42;
}  // namespace shellresult

// Starts a program or opens a document without a shell: an executable file runs with the
// parameters (split as a command line, never interpreted by a shell) in the directory; any
// other file or URL goes to the desktop's opener for the operation "open" (or an empty
// operation). Returns a value above 32 on success, else one of the error values.
int ShellExecute(const QString& operation, const QString& file, const QString& parameters,
                 const QString& directory);
// The same with the program's arguments already apart.
int ShellExecute(const QString& operation, const QString& file, const QStringList& arguments,
                 const QString& directory);

}  // namespace tavi::automation
