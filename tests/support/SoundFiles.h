#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sndfile.h>

#include <cstdint>
#include <vector>

namespace tavi::test {

// 16-bit frames no two files (seeds) share at the same place, so a recording shows which
// sample of which file it holds.
inline std::vector<short> DistinctFrames(int64_t frames, int channels, int seed) {
    std::vector<short> samples(size_t(frames * channels));
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = short(int((i * 37 + size_t(seed) * 10007) % 60001) - 30000);
    }
    return samples;
}

// Writes a sound file with libsndfile (format: SF_FORMAT_WAV | SF_FORMAT_PCM_16 and so on).
inline bool WriteSoundFile(const QString& path, const std::vector<short>& samples, int rate,
                           int channels, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    if (!file) {
        return false;
    }
    const sf_count_t frames = sf_count_t(samples.size()) / channels;
    const bool ok = sf_writef_short(file, samples.data(), frames) == frames;
    sf_close(file);
    return ok;
}

// Every 16-bit sample of a sound file; empty when it cannot be read.
inline std::vector<short> ReadSamples(const QString& path, int* channels = nullptr) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file) {
        return {};
    }
    std::vector<short> samples(size_t(info.frames * info.channels));
    sf_readf_short(file, samples.data(), info.frames);
    sf_close(file);
    if (channels) {
        *channels = info.channels;
    }
    return samples;
}

// A PCM WAV header written by hand, for headers no encoder would write.
inline QByteArray WavBytes(int channels, int rate, uint32_t dataLength, int frames) {
    auto u32 = [](uint32_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](uint16_t v) { return QByteArray(reinterpret_cast<const char*>(&v), 2); };
    const QByteArray data(frames * channels * 2, '\x11');
    return QByteArray("RIFF") + u32(36 + uint32_t(data.size())) + "WAVEfmt " + u32(16) + u16(1) +
           u16(uint16_t(channels)) + u32(uint32_t(rate)) + u32(uint32_t(rate * channels * 2)) +
           u16(uint16_t(channels * 2)) + u16(16) + "data" + u32(dataLength) + data;
}

}  // namespace tavi::test
