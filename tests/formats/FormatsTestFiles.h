#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <initializer_list>

namespace tavi::test {

// Files for playlist tests in a private temporary folder.
class PlaylistFolder {
public:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString root() const { return m_dir.path(); }

    QString write(const QString& name, const QByteArray& bytes) const {
        const QString file = path(name);
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile out(file);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(bytes);
        return file;
    }

    QByteArray read(const QString& name) const {
        QFile in(path(name));
        in.open(QIODevice::ReadOnly);
        return in.readAll();
    }

    // Every file in the folder, hidden ones (temporary files) included.
    QStringList files() const {
        return QDir(m_dir.path())
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private:
    QTemporaryDir m_dir;
};

// Builds a list from UTF-8 literals (the build forbids implicit conversions from char*).
inline QStringList Strings(std::initializer_list<const char*> items) {
    QStringList list;
    for (const char* item : items) {
        list.append(QString::fromUtf8(item));
    }
    return list;
}

inline QString Hex(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' '));
}

}  // namespace tavi::test
