#include "ToolExpansion.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace tavi::automation::tools {

namespace {

struct FileParts {
    QString path, dir, name, ext;
};

// Split as a path splitter does: the last dot of the last component starts the extension.
FileParts Split(const QString& file) {
    FileParts parts;
    parts.path = file;
    const qsizetype slash = file.lastIndexOf(QLatin1Char('/'));
    parts.dir = file.left(slash + 1);
    const QString base = file.mid(slash + 1);
    const qsizetype dot = base.lastIndexOf(QLatin1Char('.'));
    parts.name = dot < 0 ? base : base.left(dot);
    parts.ext = dot < 0 ? QString() : base.mid(dot);
    return parts;
}

}  // namespace

QString ExpandEnvironment(const QString& text) {
    static const QRegularExpression variable(QStringLiteral("%([^%\\s]+)%"));
    QString result;
    qsizetype last = 0;
    for (auto it = variable.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        result += text.mid(last, match.capturedStart() - last);
        const QByteArray name = match.captured(1).toLocal8Bit();
        result += qEnvironmentVariableIsSet(name.constData())
                      ? qEnvironmentVariable(name.constData())
                      : match.captured(0);
        last = match.capturedEnd();
    }
    return result + text.mid(last);
}

QString ExpandFileParameters(const QString& parameters, const QString& file) {
    const FileParts parts = Split(file);
    QString result = parameters;
    result.replace(QLatin1String("$(FilePath)"), parts.path);
    result.replace(QLatin1String("$(FileDir)"), parts.dir);
    result.replace(QLatin1String("$(FileName)"), parts.name);
    result.replace(QLatin1String("$(FileDrive)"), QString());
    return result.replace(QLatin1String("$(FileExt)"), parts.ext);
}

QString ExpandFileFolder(const QString& folder, const QString& file) {
    QString result = folder;
    result.replace(QLatin1String("$(FileDir)"), Split(file).dir);
    return result.replace(QLatin1String("$(FileDrive)"), QString());
}

}  // namespace tavi::automation::tools
