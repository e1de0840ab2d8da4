#include "ScriptErrorText.h"

#include <QCoreApplication>

namespace tavi::automation::script::scripterrortext {

QString MarkerLine(int character) {
    if (character <= 0 || character >= 255) {
        return QString();
    }
    return QString(character - 1, QLatin1Char('-')) + QLatin1Char('v');
}

QString Text(const QString& scriptFileName, const ScriptError& error) {
    const int code = error.code != 0 ? error.code : int32_t(error.scode);
    // One pass, so that a "%1" in a name or a text stays as it is.
    return QStringLiteral("%1(%2) : error %3\n\n%4\n%5\n%6")
        .arg(scriptFileName, QString::number(error.line), QString::number(code), error.description,
             MarkerLine(error.character), error.sourceLine);
}

QString Caption(const ScriptError& error) {
    return error.source.isEmpty() ? QCoreApplication::translate("ScriptHost", "Script Error")
                                  : error.source;
}

}  // namespace tavi::automation::script::scripterrortext
