#include "WaveDecoder.h"

#include "SndFileLibrary.h"

#include "platform/mci/MciConstants.h"

#include <samplerate.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace tavi::mci {

struct WaveDecoder::MemoryFile {
    const unsigned char* data;
    sf_count_t size;
    sf_count_t offset = 0;
};

namespace {

using MemoryFile = WaveDecoder::MemoryFile;

sf_count_t MemoryLength(void* user) {
    return static_cast<MemoryFile*>(user)->size;
}

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t base = whence == SEEK_CUR ? file->offset : whence == SEEK_END ? file->size : 0;
    const sf_count_t target = base + offset;
    if (target < 0 || target > file->size) {
        return -1;
    }
    file->offset = target;
    return target;
}

sf_count_t MemoryRead(void* buffer, sf_count_t count, void* user) {
    auto* file = static_cast<MemoryFile*>(user);
    const sf_count_t taken = std::clamp<sf_count_t>(file->size - file->offset, 0, count);
    std::memcpy(buffer, file->data + file->offset, size_t(taken));
    file->offset += taken;
    return taken;
}

sf_count_t MemoryWrite(const void*, sf_count_t, void*) {
    return 0;
}

sf_count_t MemoryTell(void* user) {
    return static_cast<MemoryFile*>(user)->offset;
}

}  // namespace

std::unique_ptr<WaveDecoder> WaveDecoder::OpenFile(const QString& path, uint32_t* error) {
    const QByteArray name = path.toLocal8Bit();
    struct stat info {};
    if (path.isEmpty() || ::stat(name.constData(), &info) != 0) {
        *error = MCIERR_FILE_NOT_FOUND;
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        *error = MCIERR_INVALID_FILE;
        return nullptr;
    }
    if (!LoadSndFile()) {
        *error = MCIERR_CANNOT_LOAD_DRIVER;
        return nullptr;
    }
    SF_INFO format{};
    SNDFILE* file = SndFile().sf_open(name.constData(), SFM_READ, &format);
    if (!file) {
        *error = MCIERR_INVALID_FILE;
        return nullptr;
    }
    return Adopt(file, format.frames, format.samplerate, format.channels, error);
}

std::unique_ptr<WaveDecoder> WaveDecoder::OpenMemory(const void* data, size_t size,
                                                     uint32_t* error) {
    if (!LoadSndFile()) {
        *error = MCIERR_CANNOT_LOAD_DRIVER;
        return nullptr;
    }
    auto memory = std::make_unique<MemoryFile>(
        MemoryFile{static_cast<const unsigned char*>(data), sf_count_t(size)});
    SF_VIRTUAL_IO io{MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
    SF_INFO format{};
    SNDFILE* file = SndFile().sf_open_virtual(&io, SFM_READ, &format, memory.get());
    if (!file) {
        *error = MCIERR_INVALID_FILE;
        return nullptr;
    }
    std::unique_ptr<WaveDecoder> decoder =
        Adopt(file, format.frames, format.samplerate, format.channels, error);
    if (decoder) {
        decoder->m_memory = std::move(memory);
    }
    return decoder;
}

// Headers libsndfile accepts can still be absurd (a rate of millions of hertz): such a file
// is refused here rather than played as noise or as hours of nothing.
std::unique_ptr<WaveDecoder> WaveDecoder::Adopt(SNDFILE* file, int64_t frames, int rate,
                                                int channels, uint32_t* error) {
    if (rate <= 0 || rate > kMaxRate || channels <= 0 || channels > kMaxChannels || frames < 0 ||
        frames == SF_COUNT_MAX) {
        SndFile().sf_close(file);
        *error = MCIERR_INVALID_FILE;
        return nullptr;
    }
    std::unique_ptr<WaveDecoder> decoder(new WaveDecoder);
    decoder->m_file = file;
    decoder->m_frames = frames;
    decoder->m_rate = rate;
    decoder->m_channels = channels;
    if (rate != kOutputRate) {
        int result = 0;
        decoder->m_resampler = src_new(SRC_SINC_FASTEST, 2, &result);
        if (!decoder->m_resampler) {
            *error = MCIERR_OUT_OF_MEMORY;
            return nullptr;
        }
    }
    return decoder;
}

WaveDecoder::~WaveDecoder() {
    if (m_resampler) {
        src_delete(m_resampler);
    }
    if (m_file) {
        SndFile().sf_close(m_file);
    }
}

uint64_t WaveDecoder::MillisecondsOf(int64_t frame) const {
    return uint64_t(frame) * 1000 / uint64_t(m_rate);
}

int64_t WaveDecoder::FrameAt(uint64_t milliseconds) const {
    return std::min<int64_t>(m_frames, int64_t(milliseconds * uint64_t(m_rate) / 1000));
}

bool WaveDecoder::Seek(int64_t frame) {
    if (m_resampler) {
        src_reset(m_resampler);
    }
    return SndFile().sf_seek(m_file, std::clamp<int64_t>(frame, 0, m_frames), SEEK_SET) >= 0;
}

bool WaveDecoder::Decode(long frames, std::vector<float>* out, long* consumed) {
    m_raw.resize(size_t(frames) * size_t(m_channels));
    const sf_count_t read = SndFile().sf_readf_float(m_file, m_raw.data(), frames);
    if (read < 0 || SndFile().sf_error(m_file) != SF_ERR_NO_ERROR) {
        return false;
    }
    *consumed = long(read);
    ToStereo(long(read));
    if (!m_resampler) {
        out->insert(out->end(), m_stereo.begin(), m_stereo.end());
        return true;
    }
    return Resample(read < frames, out);
}

// Mono is heard on both sides; of more channels the first two (front left and right).
void WaveDecoder::ToStereo(long frames) {
    m_stereo.resize(size_t(frames) * 2);
    for (long i = 0; i < frames; ++i) {
        const float* frame = m_raw.data() + size_t(i) * size_t(m_channels);
        m_stereo[2 * size_t(i)] = frame[0];
        m_stereo[2 * size_t(i) + 1] = m_channels > 1 ? frame[1] : frame[0];
    }
}

bool WaveDecoder::Resample(bool endOfInput, std::vector<float>* out) {
    const double ratio = double(kOutputRate) / double(m_rate);
    SRC_DATA data{};
    data.data_in = m_stereo.data();
    data.input_frames = long(m_stereo.size() / 2);
    data.src_ratio = ratio;
    data.end_of_input = endOfInput ? 1 : 0;
    std::vector<float> converted(size_t(double(data.input_frames) * ratio + 64) * 2);
    for (;;) {
        data.data_out = converted.data();
        data.output_frames = long(converted.size() / 2);
        if (src_process(m_resampler, &data) != 0) {
            return false;
        }
        out->insert(out->end(), converted.begin(),
                    converted.begin() + ptrdiff_t(data.output_frames_gen) * 2);
        data.data_in += data.input_frames_used * 2;
        data.input_frames -= data.input_frames_used;
        if (data.input_frames == 0 && (!endOfInput || data.output_frames_gen == 0)) {
            return true;
        }
    }
}

}  // namespace tavi::mci
