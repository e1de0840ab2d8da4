#include "CdDrives.h"

#include "CdToc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <QFileInfo>

#include <sys/stat.h>

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

namespace {

QString Canonical(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

bool IsDeviceOrFile(const QString& path) {
    struct stat info {};
    return ::stat(path.toLocal8Bit().constData(), &info) == 0 &&
           (S_ISBLK(info.st_mode) || S_ISCHR(info.st_mode) || S_ISREG(info.st_mode));
}

}  // namespace

bool IsCdDrive(const QString& path) {
    if (path.isEmpty() || !IsDeviceOrFile(path)) {
        return false;
    }
    const QString wanted = Canonical(path);
    if (qEnvironmentVariableIsSet("TAVI_CD_DRIVE")) {
        return wanted == Canonical(qEnvironmentVariable("TAVI_CD_DRIVE"));
    }
    SilenceCdioLog();
    bool found = false;
    char** drives = cdio_get_devices(DRIVER_DEVICE);
    for (char** drive = drives; drive && *drive && !found; ++drive) {
        found = wanted == Canonical(QString::fromLocal8Bit(*drive));
    }
    if (drives) {
        cdio_free_device_list(drives);
    }
    return found;
}

CdDiscInfo ReadCdDisc(const QString& drive) {
    if (!IsCdDrive(drive)) {
        return {};
    }
    SilenceCdioLog();
    CdIo_t* disc = cdio_open(drive.toLocal8Bit().constData(), DRIVER_UNKNOWN);
    if (!disc) {
        return {};
    }
    const std::optional<CdToc> toc = CdToc::Read(disc);
    cdio_destroy(disc);
    return toc ? CdDiscInfo{toc->DiscId(), toc->TrackCount()} : CdDiscInfo{};
}

uint32_t CdDiscIdOf(const QString& drive) {
    return ReadCdDisc(drive).discId;
}

bool MoveCdDoor(const QString& drive, bool open) {
    if (!IsCdDrive(drive)) {
        return false;
    }
    SilenceCdioLog();
    const QByteArray path = drive.toLocal8Bit();
    if (open) {
        return cdio_eject_media_drive(path.constData()) == DRIVER_OP_SUCCESS;
    }
    driver_id_t driver = DRIVER_UNKNOWN;
    return cdio_close_tray(path.constData(), &driver) == DRIVER_OP_SUCCESS;
}

void SilenceCdioLog() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler([](cdio_log_level_t, const char*) {}); });
}

}  // namespace tavi::mci
