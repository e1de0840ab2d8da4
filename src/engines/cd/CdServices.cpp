#include "CdServices.h"

#include "engines/mci/CMCI.h"
#include "platform/errors/CException.h"
#include "platform/mci/cd/CdDrives.h"

#include <QCoreApplication>

namespace tavi::engines::cd {

namespace {

void SetDoor(uint32_t flag) {
    try {
        CMCI device;
        device.OpenType(QStringLiteral("cdaudio"), QString(), mci::MCI_OPEN_SHAREABLE);
        mci::MCI_SET_PARMS parms;
        device.SendCommand(mci::MCI_SET, flag, &parms);
    } catch (const errors::CException&) {
    }
}

}  // namespace

QString NoCdFoundText() {
    return QCoreApplication::translate("CdServices", "No CD Found");
}

void OpenCdDoor() {
    SetDoor(mci::MCI_SET_DOOR_OPEN);
}

void CloseCdDoor() {
    SetDoor(mci::MCI_SET_DOOR_CLOSED);
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
