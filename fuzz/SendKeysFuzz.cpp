// A script's SendKeys text: any string must give strokes (or none), never a fault, and a
// text of plain letters must give one stroke a letter.
#include "automation/objects/SendKeys.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString keys = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto strokes = tavi::automation::ParseKeys(keys);
    bool plain = !keys.isEmpty();
    for (const QChar letter : keys) {
        plain = plain && letter.isLetterOrNumber() && letter.unicode() < 128;
    }
    if (plain && strokes.size() != size_t(keys.size())) {
        std::abort();
    }
    return 0;
}
