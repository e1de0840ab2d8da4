#include "platform/lib/RuntimeLibrary.h"

#include <QCoreApplication>
#include <QDir>

#include <dlfcn.h>

namespace tavi::platform {

void* OpenRuntimeLibraryAt(const QString& path) {
    return dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
}

void* OpenRuntimeLibrary(const char* fileName) {
    if (QCoreApplication::instance()) {
        const QString beside =
            QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(fileName));
        if (void* library = OpenRuntimeLibraryAt(beside)) {
            return library;
        }
        // Only a program of the build tree looks there: an installed one never loads what a
        // later build left behind.
        if (QCoreApplication::applicationDirPath().startsWith(QLatin1String(TAVI_BUILD_TREE))) {
            const QString built =
                QDir(QLatin1String(TAVI_BUILD_LIBRARY_DIR)).filePath(QLatin1String(fileName));
            if (void* library = OpenRuntimeLibraryAt(built)) {
                return library;
            }
        }
    }
    return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
}

}  // namespace tavi::platform
