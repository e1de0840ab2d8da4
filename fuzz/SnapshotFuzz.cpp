// The snapshot reader must survive any bytes, and what it accepts with 16-bit strings must
// write back to the same list.
#include "playlist/DocumentSnapshot.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using tavi::playlist::DocumentSnapshot;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const auto snapshot = DocumentSnapshot::read(bytes);
    if (!snapshot) {
        return 0;
    }
    const QByteArray written = DocumentSnapshot::write(snapshot->entries, snapshot->selection);
    const auto reread = DocumentSnapshot::read(written);
    if (!reread || reread->entries != snapshot->entries ||
        reread->selection != snapshot->selection) {
        std::abort();
    }
    return 0;
}
