#pragma once

#include <QString>

namespace tavi::engines {

// Loads one of our run-time libraries by file name: the copy beside the program first (a
// build tree, an installed prefix), then the library path. Null when neither loads.
void* OpenRuntimeLibrary(const char* fileName);
// Loads the library at exactly this path (tests); null when it does not load.
void* OpenRuntimeLibraryAt(const QString& path);

}  // namespace tavi::engines
