#pragma once

#include <QString>

#include <cstdint>

namespace tavi::mci {

// The CD drive the program uses: TAVI_CD_DRIVE when it is set (a device or a disc image
// such as a .cue file; set but empty means no drive), else the first CD drive libcdio
// finds. Empty when there is none.
QString DefaultCdDrive();
// Whether a path is one of the program's CD drives: the drive above or one libcdio lists,
// and a device or a regular file (never a FIFO or a folder, which opening would block on).
bool IsCdDrive(const QString& path);
// What the title database knows a disc by: its CDDB disc id (0 when there is no drive, no
// disc or no table of contents that makes sense) and its track count. Reads the table of
// contents, which a drive may take seconds for; safe on any thread.
struct CdDiscInfo {
    uint32_t discId = 0;
    int tracks = 0;
};
CdDiscInfo ReadCdDisc(const QString& drive);
uint32_t CdDiscIdOf(const QString& drive);
// Opens or closes the drive's door; false when it cannot (a disc image has no door). May
// take seconds; safe on any thread.
bool MoveCdDoor(const QString& drive, bool open);
// libcdio writes its warnings to stderr; the device reports through its error numbers.
void SilenceCdioLog();

}  // namespace tavi::mci
