// Shortcut files come from anywhere on disk: both readers must survive any bytes.
#include "playlist/DesktopLink.h"
#include "playlist/ShellLink.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (auto link = tavi::playlist::ShellLink::parse(bytes)) {
        (void)link->localPath.size();
    }
    if (auto link = tavi::playlist::DesktopLink::parse(bytes)) {
        (void)link->target.size();
    }
    return 0;
}
