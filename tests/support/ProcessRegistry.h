#pragma once

#include "platform/registry/Registry.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tavi::test {

// Points the process-wide registry (Registry::instance()) at hive files in a private
// temporary folder for the lifetime of the object, so code that reads the registry by
// itself never sees the user's real hive. The environment is restored afterwards.
class ProcessRegistry {
public:
    explicit ProcessRegistry(const QByteArray& systemFileText = {}) {
        remember("XDG_CONFIG_HOME", m_oldHome);
        remember("XDG_CONFIG_DIRS", m_oldDirs);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("home"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.filePath(QStringLiteral("system"))));
        if (!systemFileText.isEmpty()) {
            writeSystemFile(systemFileText);
        }
        reg::Registry::resetInstance();
    }
    ~ProcessRegistry() {
        reg::Registry::resetInstance();
        restore("XDG_CONFIG_HOME", m_oldHome);
        restore("XDG_CONFIG_DIRS", m_oldDirs);
    }
    ProcessRegistry(const ProcessRegistry&) = delete;
    ProcessRegistry& operator=(const ProcessRegistry&) = delete;

    // Writes the machine hive's system.reg and makes the registry read it anew.
    void writeSystemFile(const QByteArray& text) {
        const QString folder = m_dir.filePath(QStringLiteral("system/Kestrova/Tavi"));
        QDir().mkpath(folder);
        QFile file(folder + QLatin1String("/system.reg"));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.close();
        reg::Registry::resetInstance();
    }

private:
    struct Saved {
        bool set = false;
        QByteArray value;
    };
    static void remember(const char* name, Saved& saved) {
        saved.set = qEnvironmentVariableIsSet(name);
        saved.value = qgetenv(name);
    }
    static void restore(const char* name, const Saved& saved) {
        if (saved.set) {
            qputenv(name, saved.value);
        } else {
            qunsetenv(name);
        }
    }

    QTemporaryDir m_dir;
    Saved m_oldHome;
    Saved m_oldDirs;
};

}  // namespace tavi::test
