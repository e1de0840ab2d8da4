#include "CdDrives.h"

#include "CdToc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <mutex>

namespace tavi::mci {

QString DefaultCdDrive() {
    if (qEnvironmentVariableIsSet("TAVI_CD_DRIVE")) {
        return qEnvironmentVariable("TAVI_CD_DRIVE");
    }
    SilenceCdioLog();
    char** drives = cdio_get_devices(DRIVER_DEVICE);
    QString first = drives && drives[0] ? QString::fromLocal8Bit(drives[0]) : QString();
    if (drives) {
        cdio_free_device_list(drives);
    }
    return first;
}

uint32_t CdDiscIdOf(const QString& drive) {
    if (drive.isEmpty()) {
        return 0;
    }
    SilenceCdioLog();
    CdIo_t* disc = cdio_open(drive.toLocal8Bit().constData(), DRIVER_UNKNOWN);
    if (!disc) {
        return 0;
    }
    const std::optional<CdToc> toc = CdToc::Read(disc);
    cdio_destroy(disc);
    return toc ? toc->DiscId() : 0;
}

void SilenceCdioLog() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler([](cdio_log_level_t, const char*) {}); });
}

}  // namespace tavi::mci
