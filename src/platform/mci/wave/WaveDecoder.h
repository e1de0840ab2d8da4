#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

typedef struct sf_private_tag SNDFILE;
typedef struct SRC_STATE_tag SRC_STATE;

namespace tavi::mci {

// Reads a sound file with libsndfile (WAV, AIFF, AU, FLAC, Ogg) and hands out its sound as
// the output wants it: 32-bit float stereo at 44.1 kHz. Positions count the file's own
// frames, so they are sample-accurate whatever the conversion. Not thread-safe.
class WaveDecoder {
public:
    static constexpr int kOutputRate = 44100;
    static constexpr int kMaxRate = 768000;
    static constexpr int kMaxChannels = 64;

    // Opens a regular file (never a FIFO or device, whose open or read could block); null
    // with *error set to the media-control error number when it cannot be played.
    static std::unique_ptr<WaveDecoder> OpenFile(const QString& path, uint32_t* error);
    // The same over bytes in memory (kept by the caller while the decoder lives).
    static std::unique_ptr<WaveDecoder> OpenMemory(const void* data, size_t size, uint32_t* error);
    ~WaveDecoder();
    WaveDecoder(const WaveDecoder&) = delete;
    WaveDecoder& operator=(const WaveDecoder&) = delete;

    int64_t Frames() const { return m_frames; }
    int Rate() const { return m_rate; }
    int Channels() const { return m_channels; }
    uint64_t MillisecondsOf(int64_t frame) const;
    int64_t FrameAt(uint64_t milliseconds) const;

    bool Seek(int64_t frame);
    // Decodes up to `frames` file frames, appending the converted sound to *out (interleaved
    // stereo). *consumed is the number of file frames read, 0 at the end of the data. False
    // when the data cannot be decoded.
    bool Decode(long frames, std::vector<float>* out, long* consumed);

    struct MemoryFile;  // the bytes behind OpenMemory

private:
    WaveDecoder() = default;
    static std::unique_ptr<WaveDecoder> Adopt(SNDFILE* file, int64_t frames, int rate, int channels,
                                              uint32_t* error);
    void ToStereo(long frames);
    bool Resample(bool endOfInput, std::vector<float>* out);

    SNDFILE* m_file = nullptr;
    SRC_STATE* m_resampler = nullptr;  // only when the file's rate is not the output's
    std::unique_ptr<MemoryFile> m_memory;
    int64_t m_frames = 0;
    int m_rate = 0;
    int m_channels = 0;
    std::vector<float> m_raw;     // the file's frames as read
    std::vector<float> m_stereo;  // the same as stereo
};

}  // namespace tavi::mci
