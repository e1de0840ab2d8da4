#include "CdDiscMonitor.h"

#include "CCdDatabase.h"
#include "CdServices.h"

#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>

#include <fcntl.h>
#include <libudev.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <thread>

namespace tavi::engines {

// How a probe's worker reaches the monitor: once the monitor is gone, nothing is posted.
struct CdDiscMonitor::Mailbox {
    std::mutex mutex;
    CdDiscMonitor* monitor = nullptr;  // guarded by mutex

    void Post(uint32_t identity, int tracks) {
        std::lock_guard lock(mutex);
        if (monitor) {
            QMetaObject::invokeMethod(
                monitor,
                [target = monitor, identity, tracks] { target->OnProbed(identity, tracks); },
                Qt::QueuedConnection);
        }
    }
};

namespace {

QString CanonicalPath(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

}  // namespace

CdDiscMonitor::CdDiscMonitor(QString drive, CCdDatabase& database, QObject* parent)
    : QObject(parent),
      m_drive(std::move(drive)),
      m_canonicalDrive(CanonicalPath(m_drive)),
      m_database(database),
      m_mailbox(std::make_shared<Mailbox>()) {
    m_mailbox->monitor = this;
    connect(&m_check, &QTimer::timeout, this, &CdDiscMonitor::CheckDrive);
}

CdDiscMonitor::~CdDiscMonitor() {
    {
        std::lock_guard lock(m_mailbox->mutex);
        m_mailbox->monitor = nullptr;
    }
    delete m_notifier;
    if (m_monitor) {
        udev_monitor_unref(m_monitor);
    }
    if (m_udev) {
        udev_unref(m_udev);
    }
}

void CdDiscMonitor::Start(int checkIntervalMs) {
    if (!m_drive.isEmpty()) {
        QFileInfo info(m_drive);
        const bool device = info.exists() && !info.isFile();
        if (!device || !StartUdev()) {
            m_signature = DriveSignature();
            m_polls = true;
            m_check.start(checkIntervalMs);
        }
    }
    Identify();
}

// Without the udev daemon (a container, a minimal system) the monitor would be silent.
bool CdDiscMonitor::StartUdev() {
    if (::access("/run/udev/control", F_OK) != 0) {
        return false;
    }
    m_udev = udev_new();
    m_monitor = m_udev ? udev_monitor_new_from_netlink(m_udev, "udev") : nullptr;
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "block", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        if (m_monitor) {
            udev_monitor_unref(m_monitor);
            m_monitor = nullptr;
        }
        return false;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &CdDiscMonitor::ReadUdevEvents);
    return true;
}

// A disc arriving or leaving is a "change" of the drive's block device (an added or removed
// drive an "add" or "remove"); every event of the drive asks the drive again.
void CdDiscMonitor::ReadUdevEvents() {
    bool ours = false;
    while (udev_device* device = udev_monitor_receive_device(m_monitor)) {
        const char* node = udev_device_get_devnode(device);
        ours = ours || (node && CanonicalPath(QString::fromLocal8Bit(node)) == m_canonicalDrive);
        udev_device_unref(device);
    }
    if (ours) {
        Identify();
    }
}

// A device's status (no disc, tray open, disc there) costs one ioctl on a descriptor opened
// without waiting; an image is its file's identity, size and time.
QByteArray CdDiscMonitor::DriveSignature() const {
    const QByteArray path = m_drive.toLocal8Bit();
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        return QByteArrayLiteral("none");
    }
    if (S_ISREG(info.st_mode)) {
        return QByteArray::number(qulonglong(info.st_ino)) + ':' +
               QByteArray::number(qlonglong(info.st_size)) + ':' +
               QByteArray::number(qlonglong(info.st_mtim.tv_sec)) + '.' +
               QByteArray::number(qlonglong(info.st_mtim.tv_nsec));
    }
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return QByteArrayLiteral("closed");
    }
    const int status = ::ioctl(fd, CDROM_DRIVE_STATUS, CDSL_CURRENT);
    ::close(fd);
    return QByteArray::number(status);
}

void CdDiscMonitor::SetChecking(bool checking) {
    if (!m_polls || checking == m_check.isActive()) {
        return;
    }
    if (checking) {
        CheckDrive();
        m_check.start();
    } else {
        m_check.stop();
    }
}

void CdDiscMonitor::CheckDrive() {
    QByteArray signature = DriveSignature();
    if (signature != m_signature) {
        m_signature = std::move(signature);
        Identify();
    }
}

void CdDiscMonitor::Identify() {
    if (m_probing) {
        m_probeAgain = true;
        return;
    }
    m_probing = true;
    std::thread([mailbox = m_mailbox, drive = m_drive] {
        const mci::CdDiscInfo disc = drive.isEmpty() ? mci::CdDiscInfo{} : cd::ProbeDisc(drive);
        mailbox->Post(disc.discId, disc.tracks);
    }).detach();
}

void CdDiscMonitor::OnProbed(uint32_t identity, int tracks) {
    m_probing = false;
    if (m_probeAgain) {
        m_probeAgain = false;
        Identify();
        return;
    }
    const bool changed = m_database.ApplyDisc(identity, tracks);
    Q_EMIT discProbed();
    if (changed) {
        Q_EMIT discChanged();
    }
}

}  // namespace tavi::engines
