#include "RuntimeLibrary.h"

#include <QCoreApplication>
#include <QDir>

#include <dlfcn.h>

namespace tavi::engines {

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
    }
    return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
}

}  // namespace tavi::engines
