#include "RmiUnwrap.h"

#include <cstdint>

namespace tavi::mci {

namespace {

uint32_t LittleEndian32(const char* bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

}  // namespace

bool UnwrapRmi(const QByteArray& file, QByteArray* midi) {
    if (!file.startsWith("RIFF")) {
        *midi = file;
        return true;
    }
    if (file.size() < 12 || file.mid(8, 4) != "RMID") {
        return false;
    }
    // The form's own length is often wrong in files found in the wild; the chunks are
    // walked up to the real end of the file instead.
    qsizetype at = 12;
    while (file.size() - at >= 8) {
        const uint64_t length = LittleEndian32(file.constData() + at + 4);
        const qsizetype body = at + 8;
        if (length > uint64_t(file.size() - body)) {
            return false;
        }
        if (file.mid(at, 4) == "data") {
            *midi = file.mid(body, qsizetype(length));
            return true;
        }
        at = body + qsizetype(length) + qsizetype(length & 1);  // chunks are word-aligned
    }
    return false;
}

}  // namespace tavi::mci
