#pragma once

#include <QString>
#include <QStringList>

namespace tavi::automation {

// What "/Register" installs for the user under the XDG data folder (~/.local/share): the
// session-bus service file that starts this program with "-Automation" on a client's first
// call, the desktop entry whose open hands files to the running player ("-dde"), and the
// playlist file types. "/Unregister" removes the same files. Files are written atomically.
class DesktopRegistration {
public:
    // dataHome: the XDG data folder; program: the absolute path of the program to start.
    DesktopRegistration(QString dataHome, QString program);
    static QString DefaultDataHome();

    QString ServiceFile() const;
    QString DesktopFile() const;
    QString MimeFile() const;

    // Returns the errors (empty on success).
    QStringList Register() const;
    QStringList Unregister() const;

    // The file contents, from the packaged templates with this program's path put in.
    QByteArray ServiceText() const;
    QByteArray DesktopText() const;
    static QByteArray MimeText();

private:
    void RefreshCaches() const;

    QString m_dataHome;
    QString m_program;
};

}  // namespace tavi::automation
