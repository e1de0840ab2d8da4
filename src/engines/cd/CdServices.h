#pragma once

#include <QString>
#include <QStringList>

#include "platform/mci/cd/CdDrives.h"

#include <cstdint>

// The small CD services the rest of the program uses. Every one talks to the cdaudio
// device of the default drive and never throws.
namespace tavi::engines::cd {

// The message shown when there is no drive or no disc with tracks.
QString NoCdFoundText();
// Opens or closes the drive's door in the background; a drive that cannot (a disc image)
// does nothing.
void OpenCdDoor();
void CloseCdDoor();
// The tracks of the disc in the drive; 0 without a drive, a disc or on any failure.
int CountCdTracks();
// The drive root ("/dev/sr0/"), empty when there is no CD drive.
QString FindCdDrive();
// The entries of tracks 1..count of the drive at root: root + "Track%02d.cda".
QStringList CdTrackEntries(const QString& root, int count);
// The disc's identity for the title database (its CDDB disc id); 0 when there is no disc.
uint32_t IdentifyCdInDrive();
// The identity and the track count of the disc in a drive (the default drive when empty),
// from one reading of its table of contents; safe on any thread.
mci::CdDiscInfo ProbeDisc(const QString& drive = {});

}  // namespace tavi::engines::cd
