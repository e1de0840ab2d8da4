#pragma once

#include "platform/mci/MciParms.h"

#include <QString>

#include <cstdint>

namespace tavi::engines {

// One open media-control device: each operation sends one command and throws
// CMCIException (command, error number) when it fails. The callback window receives the
// notices of commands sent with MCI_NOTIFY; it is written into every parameter block.
class CMCI {
public:
    CMCI() = default;
    virtual ~CMCI();  // closes an open device; a failure there is swallowed
    CMCI(const CMCI&) = delete;
    CMCI& operator=(const CMCI&) = delete;

    // A missing block is replaced by an empty one.
    void SendCommand(uint32_t message, uint32_t flags, mci::MCI_GENERIC_PARMS* parms = nullptr);
    // Opens the file under the next "alias%d" of the program-wide counter; the device type
    // comes from the file's extension.
    void OpenElement(const QString& fileName, uint32_t flags);
    // Opens a device of the named type on element (a drive, for instance), without alias.
    void OpenType(const QString& type, const QString& element, uint32_t flags);
    // The device number is 0 afterwards, also when closing failed (which is thrown).
    void CloseDevice(uint32_t flags);
    void SetMillisecondTimeFormat();
    void PlayFrom(uint32_t flags, uint32_t from);
    void PlayFromTo(uint32_t flags, uint32_t from, uint32_t to);
    void SeekTo(uint32_t position);
    uint32_t QueryLength();
    uint32_t QueryPosition();
    uint32_t QueryMode();

    void SetCallbackWindow(mci::NotifyCallback callback) { m_callback = std::move(callback); }
    mci::DeviceId GetDeviceId() const { return m_deviceId; }
    uint32_t GetLastError() const { return m_lastError; }
    // The alias of the last open of this object.
    const QString& GetAlias() const { return m_alias; }

private:
    uint32_t QueryItem(uint32_t item);

    mci::DeviceId m_deviceId = 0;
    uint32_t m_lastError = 0;
    mci::NotifyCallback m_callback;
    QString m_alias;
};

}  // namespace tavi::engines
