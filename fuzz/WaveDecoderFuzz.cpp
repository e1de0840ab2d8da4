// Any bytes, taken as a sound file for the wave device: opening either fails with an error
// number or gives a sane format, and decoding the whole file, with a seek halfway, stays
// inside the data and ends.
#include "platform/mci/wave/WaveDecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    uint32_t error = 0;
    auto decoder = tavi::mci::WaveDecoder::OpenMemory(data, size, &error);
    if (!decoder) {
        if (error == 0) {
            std::abort();
        }
        return 0;
    }
    if (decoder->Rate() <= 0 || decoder->Channels() <= 0 || decoder->Frames() < 0) {
        std::abort();
    }
    std::vector<float> sound;
    for (int pass = 0; pass < 2; ++pass) {
        long consumed = 1;
        int64_t total = 0;
        while (consumed > 0 && total <= decoder->Frames()) {
            sound.clear();
            if (!decoder->Decode(4096, &sound, &consumed)) {
                break;
            }
            total += consumed;
        }
        decoder->Seek(decoder->Frames() / 2);
    }
    return 0;
}
