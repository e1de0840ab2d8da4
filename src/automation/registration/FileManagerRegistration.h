#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tavi::automation {

// The extension's entries that "/Register" installs for the user: Dolphin's service menu and
// Thunar's Send To entry under the XDG data folder, and Thunar's two custom actions merged
// into the user's own action file (~/.config/Thunar/uca.xml), whose other actions are kept.
// All of them run taviext, the command beside the program. "/Unregister" takes out the same.
// (Nautilus loads modules only from its system folder: the installation puts it there.)
class FileManagerRegistration {
public:
    // dataHome, configHome: the XDG data and config folders; command: taviext's absolute path.
    FileManagerRegistration(QString dataHome, QString configHome, QString command);
    static QString DefaultConfigHome();
    // taviext beside the program.
    static QString CommandBeside(const QString& program);

    QString ServiceMenuFile() const;
    QString SendToFile() const;
    QString ThunarActionsFile() const;

    // Return the errors (empty on success).
    QStringList Register() const;
    QStringList Unregister() const;

    QByteArray ServiceMenuText() const;
    QByteArray SendToText() const;
    // The user's action file with ours in place of any earlier copy of them.
    QByteArray ThunarActionsWith(const QByteArray& existing) const;
    static QByteArray ThunarActionsWithout(const QByteArray& existing);

private:
    // A packaged template with taviext's path put in (escaped for XML when xml).
    QByteArray Template(const QString& name, bool xml) const;

    QString m_dataHome;
    QString m_configHome;
    QString m_command;
};

}  // namespace tavi::automation
