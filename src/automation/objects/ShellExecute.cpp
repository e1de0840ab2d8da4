#include "ShellExecute.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace tavi::automation {

namespace {

// A program named without a folder is looked up on PATH, as the platform does.
QString ProgramPath(const QString& file) {
    if (file.contains(QLatin1Char('/'))) {
        const QFileInfo info(file);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(file);
}

}  // namespace

int ShellExecute(const QString& operation, const QString& file, const QString& parameters,
                 const QString& directory) {
    return ShellExecute(operation, file, QProcess::splitCommand(parameters), directory);
}

int ShellExecute(const QString& operation, const QString& file, const QStringList& arguments,
                 const QString& directory) {
    if (file.isEmpty()) {
        return shellresult::kFileNotFound;
    }
    if (!directory.isEmpty() && !QFileInfo(directory).isDir()) {
        return shellresult::kPathNotFound;
    }
    const QString program = ProgramPath(file);
    if (!program.isEmpty()) {
        const bool started =
            QProcess::startDetached(program, arguments, directory);
        return started ? shellresult::kSuccess : shellresult::kFileNotFound;
    }
    const bool open =
        operation.isEmpty() || operation.compare(QLatin1String("open"), Qt::CaseInsensitive) == 0;
    if (!open) {
        return shellresult::kNoAssociation;
    }
    const QUrl url = QUrl::fromUserInput(
        file, directory.isEmpty() ? QDir::currentPath() : directory, QUrl::AssumeLocalFile);
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile())) {
        return shellresult::kFileNotFound;
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        return shellresult::kNoAssociation;
    }
    return QProcess::startDetached(opener, {url.toString()}) ? shellresult::kSuccess
                                                             : shellresult::kNoAssociation;
}

}  // namespace tavi::automation
