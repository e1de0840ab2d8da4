#include "DesktopRegistration.h"

#include "ExecWord.h"

#include "platform/fs/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tavi::automation {

namespace {

QByteArray Resource(const QString& name) {
    QFile file(QStringLiteral(":/packaging/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

DesktopRegistration::DesktopRegistration(QString dataHome, QString program)
    : m_dataHome(std::move(dataHome)), m_program(std::move(program)) {}

QString DesktopRegistration::DefaultDataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString DesktopRegistration::ServiceFile() const {
    return m_dataHome + QStringLiteral("/dbus-1/services/org.kestrova.Tavi.service");
}
QString DesktopRegistration::DesktopFile() const {
    return m_dataHome + QStringLiteral("/applications/org.kestrova.Tavi.desktop");
}
QString DesktopRegistration::MimeFile() const {
    return m_dataHome + QStringLiteral("/mime/packages/org.kestrova.Tavi.xml");
}

QByteArray DesktopRegistration::ServiceText() const {
    QString text = QString::fromUtf8(Resource(QStringLiteral("org.kestrova.Tavi.service.in")));
    text.replace(QLatin1String("@TAVI_SERVICE_EXEC@"), ExecWord(m_program));
    return text.toUtf8();
}

QByteArray DesktopRegistration::DesktopText() const {
    QString text = QString::fromUtf8(Resource(QStringLiteral("org.kestrova.Tavi.desktop")));
    // Every Exec line (the entry's and its actions') runs this program, arguments kept.
    static const QRegularExpression exec(QStringLiteral("^Exec=tavi(?= |$)"),
                                         QRegularExpression::MultilineOption);
    text.replace(exec, QStringLiteral("Exec=%1").arg(ExecWord(m_program)));
    return text.toUtf8();
}

QByteArray DesktopRegistration::MimeText() {
    return Resource(QStringLiteral("org.kestrova.Tavi.mime.xml"));
}

QStringList DesktopRegistration::Register() const {
    QStringList errors;
    const std::pair<QString, QByteArray> files[] = {
        {ServiceFile(), ServiceText()}, {DesktopFile(), DesktopText()}, {MimeFile(), MimeText()}};
    for (const auto& [path, bytes] : files) {
        if (bytes.isEmpty()) {
            errors.append(QStringLiteral("%1: no packaged template").arg(path));
            continue;
        }
        fs::AtomicFile::ensureParentFolder(path);
        const auto result = fs::AtomicFile::write(path, bytes);
        if (!result.ok) {
            errors.append(QStringLiteral("%1: %2").arg(path, result.error));
        }
    }
    RefreshCaches();
    return errors;
}

QStringList DesktopRegistration::Unregister() const {
    QStringList errors;
    for (const QString& path : {ServiceFile(), DesktopFile(), MimeFile()}) {
        QFile file(path);
        if (file.exists() && !file.remove()) {
            errors.append(QStringLiteral("%1: %2").arg(path, file.errorString()));
        }
    }
    RefreshCaches();
    return errors;
}

void DesktopRegistration::RefreshCaches() const {
    // The file-type database and the desktop-entry cache are rebuilt when their tools exist.
    const struct {
        const char* tool;
        const char* folder;
    } caches[] = {{"update-mime-database", "/mime"}, {"update-desktop-database", "/applications"}};
    for (const auto& cache : caches) {
        const QString tool = QStandardPaths::findExecutable(QString::fromLatin1(cache.tool));
        const QString folder = m_dataHome + QString::fromLatin1(cache.folder);
        if (!tool.isEmpty() && QDir(folder).exists()) {
            QProcess::execute(tool, {folder});
        }
    }
}

}  // namespace tavi::automation
