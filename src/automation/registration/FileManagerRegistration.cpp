#include "FileManagerRegistration.h"

#include "ExecWord.h"

#include "platform/fs/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tavi::automation {

namespace {

// Our actions in an action file: each <action> element that holds one of our ids.
const QRegularExpression& OurActions() {
    static const QRegularExpression actions(
        QStringLiteral("[ \\t]*<action>(?:(?!</action>).)*?<unique-id>org\\.kestrova\\.Tavi\\."
                       "[a-z]+</unique-id>(?:(?!</action>).)*</action>[ \\t]*\\n?"),
        QRegularExpression::DotMatchesEverythingOption);
    return actions;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

FileManagerRegistration::FileManagerRegistration(QString dataHome, QString configHome,
                                                 QString command)
    : m_dataHome(std::move(dataHome)),
      m_configHome(std::move(configHome)),
      m_command(std::move(command)) {}

QString FileManagerRegistration::DefaultConfigHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString FileManagerRegistration::CommandBeside(const QString& program) {
    return QFileInfo(program).absoluteDir().filePath(QStringLiteral("taviext"));
}

QString FileManagerRegistration::ServiceMenuFile() const {
    return m_dataHome + QStringLiteral("/kio/servicemenus/org.kestrova.Tavi.desktop");
}
QString FileManagerRegistration::SendToFile() const {
    return m_dataHome + QStringLiteral("/Thunar/sendto/org.kestrova.Tavi.desktop");
}
QString FileManagerRegistration::ThunarActionsFile() const {
    return m_configHome + QStringLiteral("/Thunar/uca.xml");
}

QByteArray FileManagerRegistration::Template(const QString& name, bool xml) const {
    QString text = QString::fromUtf8(ReadAll(QStringLiteral(":/packaging/shellext/") + name));
    const QString word = ExecWord(m_command);
    text.replace(QLatin1String("@TAVIEXT_EXEC@"), xml ? word.toHtmlEscaped() : word);
    return text.toUtf8();
}

QByteArray FileManagerRegistration::ServiceMenuText() const {
    return Template(QStringLiteral("org.kestrova.Tavi.servicemenu.desktop.in"), false);
}
QByteArray FileManagerRegistration::SendToText() const {
    return Template(QStringLiteral("org.kestrova.Tavi.sendto.desktop.in"), false);
}

QByteArray FileManagerRegistration::ThunarActionsWith(const QByteArray& existing) const {
    const QString ours = QString::fromUtf8(Template(QStringLiteral("thunar-uca.xml.in"), true));
    QString text = QString::fromUtf8(ThunarActionsWithout(existing));
    const qsizetype end = text.lastIndexOf(QLatin1String("</actions>"));
    if (end < 0) {
        return (QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n") + ours +
                QStringLiteral("</actions>\n"))
            .toUtf8();
    }
    text.insert(end, ours);
    return text.toUtf8();
}

QByteArray FileManagerRegistration::ThunarActionsWithout(const QByteArray& existing) {
    return QString::fromUtf8(existing).remove(OurActions()).toUtf8();
}

QStringList FileManagerRegistration::Register() const {
    QStringList errors;
    const QString actions = ThunarActionsFile();
    const std::pair<QString, QByteArray> files[] = {{ServiceMenuFile(), ServiceMenuText()},
                                                    {SendToFile(), SendToText()},
                                                    {actions, ThunarActionsWith(ReadAll(actions))}};
    for (const auto& [path, bytes] : files) {
        fs::AtomicFile::ensureParentFolder(path);
        const auto result = fs::AtomicFile::write(path, bytes);
        if (!result.ok) {
            errors.append(QStringLiteral("%1: %2").arg(path, result.error));
        }
    }
    // Dolphin runs only service menus that may be executed.
    QFile::setPermissions(ServiceMenuFile(), QFile::permissions(ServiceMenuFile()) |
                                                 QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return errors;
}

QStringList FileManagerRegistration::Unregister() const {
    QStringList errors;
    for (const QString& path : {ServiceMenuFile(), SendToFile()}) {
        QFile file(path);
        if (file.exists() && !file.remove()) {
            errors.append(QStringLiteral("%1: %2").arg(path, file.errorString()));
        }
    }
    const QString actions = ThunarActionsFile();
    if (QFile::exists(actions)) {
        const QByteArray before = ReadAll(actions);
        const QByteArray after = ThunarActionsWithout(before);
        if (after != before) {
            const auto result = fs::AtomicFile::write(actions, after);
            if (!result.ok) {
                errors.append(QStringLiteral("%1: %2").arg(actions, result.error));
            }
        }
    }
    return errors;
}

}  // namespace tavi::automation
