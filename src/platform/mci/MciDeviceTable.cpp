#include "MciDeviceTable.h"

namespace tavi::mci {

MciDeviceTable& MciDeviceTable::instance() {
    static MciDeviceTable table;
    return table;
}

DeviceId MciDeviceTable::Reserve() {
    std::lock_guard lock(m_mutex);
    do {
        ++m_last;
    } while (m_last == 0 || m_devices.count(m_last) != 0);
    return m_last;
}

void MciDeviceTable::Add(DeviceId id, const QString& alias, std::shared_ptr<MciDevice> device) {
    std::lock_guard lock(m_mutex);
    m_devices[id] = Entry{alias, std::move(device)};
}

bool MciDeviceTable::HasAlias(const QString& alias) {
    std::lock_guard lock(m_mutex);
    for (const auto& [id, entry] : m_devices) {
        if (entry.alias.compare(alias, Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

std::shared_ptr<MciDevice> MciDeviceTable::Find(DeviceId id) {
    std::lock_guard lock(m_mutex);
    const auto it = m_devices.find(id);
    return it == m_devices.end() ? nullptr : it->second.device;
}

std::shared_ptr<MciDevice> MciDeviceTable::Remove(DeviceId id) {
    std::lock_guard lock(m_mutex);
    const auto it = m_devices.find(id);
    if (it == m_devices.end()) {
        return nullptr;
    }
    std::shared_ptr<MciDevice> device = std::move(it->second.device);
    m_devices.erase(it);
    return device;
}

std::vector<std::shared_ptr<MciDevice>> MciDeviceTable::All() {
    std::lock_guard lock(m_mutex);
    std::vector<std::shared_ptr<MciDevice>> devices;
    for (const auto& [id, entry] : m_devices) {
        devices.push_back(entry.device);
    }
    return devices;
}

}  // namespace tavi::mci
