#pragma once

#include "platform/registry/Registry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace tavi::test {

// A registry whose hive files live in a private temporary folder.
class TempRegistry {
public:
    TempRegistry() { reopen(); }

    QString userFile() const {
        return m_dir.filePath(QStringLiteral("user/Kestrova/Tavi/user.reg"));
    }
    QString systemFile() const {
        return m_dir.filePath(QStringLiteral("system/Kestrova/Tavi/system.reg"));
    }
    QString folder() const { return m_dir.path(); }

    // Drops the registry (writing what it holds) and reads the files anew, as a new
    // process would.
    reg::Registry& reopen() {
        m_registry.reset();
        const QString system = QFile::exists(systemFile()) ? systemFile() : QString();
        m_registry = std::make_unique<reg::Registry>(reg::Registry::Locations{userFile(), system});
        return *m_registry;
    }
    reg::Registry& operator*() { return *m_registry; }
    reg::Registry* operator->() { return m_registry.get(); }

    void writeSystemFile(const QByteArray& text) {
        QDir().mkpath(QFileInfo(systemFile()).absolutePath());
        QFile file(systemFile());
        file.open(QIODevice::WriteOnly);
        file.write(text);
    }
    void writeUserFile(const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(userFile()).absolutePath());
        QFile file(userFile());
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray readUserFile() const {
        QFile file(userFile());
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<reg::Registry> m_registry;
};

}  // namespace tavi::test
