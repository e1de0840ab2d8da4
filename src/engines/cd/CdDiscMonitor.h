#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace tavi::engines {

class CCdDatabase;

// Watches the CD drive for a disc arriving or leaving, and then identifies the disc in the
// title database: udev's "block" events for the drive when it is a device and udev is
// there, otherwise a cheap check every few seconds (the drive's status, or the size and
// time of the disc image TAVI_CD_DRIVE names). The table of contents is read on a detached
// worker, because a drive may take seconds (or hang) reading it; the result comes back to
// the UI thread, where the database registers a new disc. UI thread only.
class CdDiscMonitor : public QObject {
    Q_OBJECT
public:
    static constexpr int kCheckIntervalMs = 2000;

    CdDiscMonitor(QString drive, CCdDatabase& database, QObject* parent = nullptr);
    ~CdDiscMonitor() override;

    // Starts watching and identifies the disc in the drive now.
    void Start(int checkIntervalMs = kCheckIntervalMs);
    // Identifies the disc again (a probe already under way is followed by one more).
    void Identify();
    // Whether the periodic check runs (it does after Start). The program runs it only while
    // someone may look at the disc (CD entries in the list, a menu open): every check wakes
    // the program. Resumed, it checks at once, so a change while it slept is seen then.
    void SetChecking(bool checking);
    void CheckNow() { CheckDrive(); }
    bool WatchesWithUdev() const { return m_monitor != nullptr; }
    bool IsProbing() const { return m_probing; }

Q_SIGNALS:
    // A probe ended and the database holds what the drive holds now.
    void discProbed();
    // The disc in the drive changed (arrived, left or was swapped): names shown for CD
    // entries are to be read again.
    void discChanged();

private:
    struct Mailbox;
    bool StartUdev();
    void ReadUdevEvents();
    void CheckDrive();
    QByteArray DriveSignature() const;
    void OnProbed(uint32_t identity, int tracks);

    QString m_drive;
    QString m_canonicalDrive;
    CCdDatabase& m_database;
    std::shared_ptr<Mailbox> m_mailbox;
    QTimer m_check;
    bool m_polls = false;  // no udev: the periodic check stands for it
    QByteArray m_signature;
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    bool m_probing = false;
    bool m_probeAgain = false;
};

}  // namespace tavi::engines
