#include "MciExtensions.h"

#include "platform/registry/RegKey.h"
#include "platform/registry/Registry.h"

#include <memory>
#include <mutex>

namespace tavi::mci {

const QString MciExtensions::kKeyPath =
    QStringLiteral("Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions");

namespace {

std::mutex& cacheMutex() {
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<const MciExtensions>& cached() {
    static std::shared_ptr<const MciExtensions> table;
    return table;
}

QString withoutDot(const QString& extension) {
    return extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
}

}  // namespace

MciExtensions MciExtensions::fromKey(const reg::RegKey& key) {
    MciExtensions table;
    if (!key.isValid()) {
        return table;
    }
    for (const QString& name : key.valueNames()) {
        const auto type = key.stringValue(name);
        if (type && !type->isEmpty()) {
            table.m_types.insert(name.toUpper(), *type);
        }
    }
    return table;
}

const MciExtensions& MciExtensions::instance() {
    std::scoped_lock lock(cacheMutex());
    auto& table = cached();
    if (!table) {
        const auto key = reg::Registry::instance().open(reg::Root::LocalMachine, kKeyPath);
        table = std::make_shared<const MciExtensions>(fromKey(key));
    }
    return *table;
}

void MciExtensions::reload() {
    std::scoped_lock lock(cacheMutex());
    cached().reset();
}

QString MciExtensions::deviceType(const QString& extensionWithoutDot) const {
    return m_types.value(extensionWithoutDot.toUpper());
}

bool HasMciDevice(const QString& extension) {
    return !GetMciDeviceTypeForExtension(extension).isEmpty();
}

QString GetMciDeviceTypeForExtension(const QString& extension) {
    return MciExtensions::instance().deviceType(withoutDot(extension));
}

}  // namespace tavi::mci
