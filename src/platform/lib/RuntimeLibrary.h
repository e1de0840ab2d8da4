#pragma once

#include <QString>

namespace tavi::platform {

// Loads one of our run-time libraries by file name: the copy beside the program first (a
// build tree, an installed prefix), for a program of the build tree (a test) the one built
// beside tavi, then the library path. Null when none loads.
void* OpenRuntimeLibrary(const char* fileName);
// Loads the library at exactly this path (tests); null when it does not load.
void* OpenRuntimeLibraryAt(const QString& path);

}  // namespace tavi::platform
