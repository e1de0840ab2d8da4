// Any bytes, taken as the start of an MPEG audio file: the frame scan must stay inside them
// and give either no length or a finite, non-negative one.
#include "engines/directshow/Mp3LengthEstimate.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const qint64 fileBytes : {qint64(size), qint64(size) * 1000, qint64(0)}) {
        const auto length = tavi::engines::EstimateMpegAudioLength(bytes, fileBytes);
        if (length && (!std::isfinite(*length) || *length < 0)) {
            std::abort();
        }
    }
    return 0;
}
