#pragma once

#include <QHash>
#include <QString>

namespace tavi::reg {
class RegKey;
}

namespace tavi::mci {

// The system's registered MCI extensions: extension (without dot) -> device type, as kept
// in HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\MCI Extensions (the
// built-in defaults, with a system.reg laid over them that can add or remove names).
// The table is read once per process and cached, because every added file is tested.
class MciExtensions {
public:
    static const QString kKeyPath;

    // Reads the table from an open key (value names compared without regard to case).
    static MciExtensions fromKey(const reg::RegKey& key);

    // The process-wide table from tavi::reg::Registry::instance(), read at first use.
    static const MciExtensions& instance();
    // Forgets the cached table so the next instance() reads the registry again.
    static void reload();

    // The device type registered for the extension (without dot, any case); empty if none.
    QString deviceType(const QString& extensionWithoutDot) const;

private:
    QHash<QString, QString> m_types;  // upper-cased extension -> device type
};

// An extension with its dot (".mp3", any case) has a registered MCI device.
bool HasMciDevice(const QString& extension);
// The device type of an extension with its dot, empty when none is registered.
QString GetMciDeviceTypeForExtension(const QString& extension);

}  // namespace tavi::mci
