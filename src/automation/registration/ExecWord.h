#pragma once

#include <QString>

namespace tavi::automation {

// A program path as a desktop-entry Exec word or a file manager's command word: quoted, with
// '\' and '"' escaped, when it holds spaces.
inline QString ExecWord(const QString& program) {
    if (!program.contains(QLatin1Char(' '))) {
        return program;
    }
    QString quoted = program;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace tavi::automation
