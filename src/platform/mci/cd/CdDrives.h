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
// The CDDB disc id of the disc in the drive; 0 when there is no drive, no disc or no
// table of contents that makes sense.
uint32_t CdDiscIdOf(const QString& drive);
// libcdio writes its warnings to stderr; the device reports through its error numbers.
void SilenceCdioLog();

}  // namespace tavi::mci
