// Any bytes, taken as an ".rmi" file: unwrapping either refuses them or gives a part of them
// that lies inside the input.
#include "platform/mci/midi/RmiUnwrap.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QByteArray midi;
    if (tavi::mci::UnwrapRmi(file, &midi) && (midi.size() > file.size() || !file.contains(midi))) {
        std::abort();
    }
    return 0;
}
