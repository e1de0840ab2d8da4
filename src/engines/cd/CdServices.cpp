#include "CdServices.h"

#include "engines/mci/CMCI.h"
#include "platform/errors/CException.h"
#include "platform/mci/cd/CdDrives.h"

#include <QCoreApplication>

#include <thread>

namespace tavi::engines::cd {

namespace {

// A drive's door moves for a second or more (and a broken drive may never answer), so it
// moves on a thread of its own that holds nothing but the drive's name.
void MoveDoorInBackground(bool open) {
    std::thread([drive = mci::DefaultCdDrive(), open] { mci::MoveCdDoor(drive, open); }).detach();
}

}  // namespace

QString NoCdFoundText() {
    return QCoreApplication::translate("CdServices", "No CD Found");
}

void OpenCdDoor() {
    MoveDoorInBackground(true);
}

void CloseCdDoor() {
    MoveDoorInBackground(false);
}

int CountCdTracks() {
    try {
        CMCI device;
        device.OpenType(QStringLiteral("cdaudio"), QString(), mci::MCI_OPEN_SHAREABLE);
        mci::MCI_STATUS_PARMS parms;
        parms.dwItem = mci::MCI_STATUS_NUMBER_OF_TRACKS;
        device.SendCommand(mci::MCI_STATUS, mci::MCI_STATUS_ITEM, &parms);
        return int(parms.dwReturn);
    } catch (const errors::CException&) {
        return 0;
    }
}

QString FindCdDrive() {
    const QString drive = mci::DefaultCdDrive();
    return drive.isEmpty() ? QString() : drive + QLatin1Char('/');
}

QStringList CdTrackEntries(const QString& root, int count) {
    QStringList entries;
    for (int track = 1; track <= count; ++track) {
        entries.append(root + QStringLiteral("Track%1.cda").arg(track, 2, 10, QLatin1Char('0')));
    }
    return entries;
}

uint32_t IdentifyCdInDrive() {
    return mci::CdDiscIdOf(mci::DefaultCdDrive());
}

mci::CdDiscInfo ProbeDisc(const QString& drive) {
    return mci::ReadCdDisc(drive.isEmpty() ? mci::DefaultCdDrive() : drive);
}

}  // namespace tavi::engines::cd
