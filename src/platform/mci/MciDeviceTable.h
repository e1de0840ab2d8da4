#pragma once

#include "MciDevice.h"

#include <QString>

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace tavi::mci {

// The open devices of the process by number, with their aliases. Thread-safe.
class MciDeviceTable {
public:
    static MciDeviceTable& instance();

    // A number no open device has (never 0).
    DeviceId Reserve();
    void Add(DeviceId id, const QString& alias, std::shared_ptr<MciDevice> device);
    bool HasAlias(const QString& alias);
    std::shared_ptr<MciDevice> Find(DeviceId id);
    // Takes the device out; it is closed when the last user lets go of it.
    std::shared_ptr<MciDevice> Remove(DeviceId id);
    std::vector<std::shared_ptr<MciDevice>> All();

private:
    struct Entry {
        QString alias;
        std::shared_ptr<MciDevice> device;
    };
    std::mutex m_mutex;  // guards both fields
    std::map<DeviceId, Entry> m_devices;
    DeviceId m_last = 0;
};

}  // namespace tavi::mci
