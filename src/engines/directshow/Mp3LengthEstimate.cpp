#include "Mp3LengthEstimate.h"

#include <QFile>

#include <array>
#include <cstdint>

namespace tavi::engines {

namespace {

// The first frame must lie within this many bytes of the audio start; the average bitrate
// is taken over the frames in the first kAverageWindow bytes (about 16 s at 128 kbit/s,
// enough for a fair average of variable bitrate without reading a large file).
constexpr qsizetype kScanWindow = 64 * 1024;
constexpr qsizetype kAverageWindow = 256 * 1024;

struct FrameHeader {
    int version = 0;  // 1: MPEG-1, 2: MPEG-2, 25: MPEG-2.5
    int layer = 0;    // 1, 2 or 3
    int bitrateKbps = 0;
    int sampleRate = 0;
    int samplesPerFrame = 0;
    int frameBytes = 0;
    bool mono = false;
    bool crc = false;
};

constexpr std::array<std::array<int, 15>, 5> kBitrates{{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG-1 layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG-1 layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG-1 layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG-2 layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},  // MPEG-2 layers II, III
}};
constexpr std::array<int, 3> kSampleRates{44100, 48000, 32000};

uint32_t BigEndian32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 |
           uint32_t(bytes[3]);
}

// A free-format frame (bitrate index 0) has no length in its header and is not accepted.
std::optional<FrameHeader> ParseHeader(uint32_t word) {
    if ((word & 0xFFE00000u) != 0xFFE00000u) {
        return std::nullopt;
    }
    const uint32_t versionBits = (word >> 19) & 3, layerBits = (word >> 17) & 3;
    const uint32_t bitrateIndex = (word >> 12) & 15, rateIndex = (word >> 10) & 3;
    if (versionBits == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 ||
        rateIndex == 3) {
        return std::nullopt;
    }
    FrameHeader header;
    header.version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    header.layer = 4 - int(layerBits);
    const std::size_t table =
        header.version == 1 ? std::size_t(header.layer - 1) : (header.layer == 1 ? 3 : 4);
    header.bitrateKbps = kBitrates[table][bitrateIndex];
    header.sampleRate = kSampleRates[rateIndex] / (header.version == 1   ? 1
                                                   : header.version == 2 ? 2
                                                                         : 4);
    const int padding = int((word >> 9) & 1);
    header.mono = ((word >> 6) & 3) == 3;
    header.crc = ((word >> 16) & 1) == 0;
    if (header.layer == 1) {
        header.samplesPerFrame = 384;
        header.frameBytes = (12 * header.bitrateKbps * 1000 / header.sampleRate + padding) * 4;
    } else {
        header.samplesPerFrame = header.layer == 3 && header.version != 1 ? 576 : 1152;
        header.frameBytes =
            header.samplesPerFrame / 8 * header.bitrateKbps * 1000 / header.sampleRate + padding;
    }
    return header;
}

bool SameStream(const FrameHeader& a, const FrameHeader& b) {
    return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

std::optional<FrameHeader> HeaderAt(QByteArrayView audio, qsizetype offset) {
    if (offset < 0 || offset + 4 > audio.size()) {
        return std::nullopt;
    }
    return ParseHeader(BigEndian32(reinterpret_cast<const uint8_t*>(audio.data()) + offset));
}

// The first frame whose successor (when the window holds it) is a frame of the same stream:
// a lone 0xFFE pattern inside other data is no frame.
std::optional<qsizetype> FindFirstFrame(QByteArrayView audio) {
    const qsizetype limit = std::min(audio.size(), kScanWindow);
    for (qsizetype offset = 0; offset + 4 <= limit; ++offset) {
        const auto header = HeaderAt(audio, offset);
        if (!header) {
            continue;
        }
        const qsizetype next = offset + header->frameBytes;
        if (next + 4 > audio.size()) {
            return next <= audio.size() ? std::optional(offset) : std::nullopt;
        }
        const auto following = HeaderAt(audio, next);
        if (following && SameStream(*header, *following)) {
            return offset;
        }
    }
    return std::nullopt;
}

// Where a layer III encoder puts its Xing or Info header: after the side information.
qsizetype XingOffset(const FrameHeader& header) {
    const qsizetype sideInfo =
        header.version == 1 ? (header.mono ? 17 : 32) : (header.mono ? 9 : 17);
    return 4 + (header.crc ? 2 : 0) + sideInfo;
}

std::optional<uint32_t> FrameCountFromHeader(QByteArrayView frame, const FrameHeader& header) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(frame.data());
    const qsizetype xing = XingOffset(header);
    if (header.layer == 3 && xing + 12 <= frame.size()) {
        const QByteArrayView tag = frame.sliced(xing, 4);
        if ((tag == "Xing" || tag == "Info") && (BigEndian32(bytes + xing + 4) & 1) != 0) {
            return BigEndian32(bytes + xing + 8);
        }
    }
    constexpr qsizetype kVbri = 4 + 32;
    if (kVbri + 18 <= frame.size() && frame.sliced(kVbri, 4) == "VBRI") {
        return BigEndian32(bytes + kVbri + 14);
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> EstimateMpegAudioLength(QByteArrayView audio, qint64 audioBytes) {
    const auto first = FindFirstFrame(audio);
    if (!first) {
        return std::nullopt;
    }
    const FrameHeader header = *HeaderAt(audio, *first);
    const QByteArrayView firstFrame =
        audio.sliced(*first, std::min<qsizetype>(header.frameBytes, audio.size() - *first));
    if (const auto frames = FrameCountFromHeader(firstFrame, header); frames && *frames > 0) {
        return double(*frames) * header.samplesPerFrame / header.sampleRate;
    }
    // Bytes per second averaged over the frames at hand: exact for constant bitrate, a fair
    // guess for variable bitrate without a header.
    double bytes = 0, seconds = 0;
    qsizetype offset = *first;
    while (offset < kAverageWindow) {
        const auto frame = HeaderAt(audio, offset);
        if (!frame || !SameStream(*frame, header)) {
            break;
        }
        bytes += frame->frameBytes;
        seconds += double(frame->samplesPerFrame) / frame->sampleRate;
        offset += frame->frameBytes;
    }
    const qint64 remaining = audioBytes - *first;
    if (seconds <= 0 || remaining <= 0) {
        return std::nullopt;
    }
    return double(remaining) * seconds / bytes;
}

namespace {

// The size of an ID3v2 tag at the file start (header and footer included), else 0.
qint64 Id3v2Size(QByteArrayView head) {
    if (head.size() < 10 || !head.startsWith("ID3")) {
        return 0;
    }
    const auto* b = reinterpret_cast<const uint8_t*>(head.data());
    if ((b[6] | b[7] | b[8] | b[9]) & 0x80) {
        return 0;  // not a synchsafe size: no tag after all
    }
    const qint64 size = qint64(b[6]) << 21 | qint64(b[7]) << 14 | qint64(b[8]) << 7 | b[9];
    return 10 + size + ((b[5] & 0x10) ? 10 : 0);
}

// Bytes of ID3v1 and APE tags at the end of the file.
qint64 TrailingTagBytes(QFile& file, qint64 audioEnd) {
    qint64 trailing = 0;
    if (audioEnd >= 128 && file.seek(audioEnd - 128) && file.read(3) == "TAG") {
        trailing += 128;
    }
    constexpr qint64 kApeFooter = 32;
    if (audioEnd - trailing >= kApeFooter && file.seek(audioEnd - trailing - kApeFooter)) {
        const QByteArray footer = file.read(kApeFooter);
        if (footer.size() == kApeFooter && footer.startsWith("APETAGEX")) {
            const auto* b = reinterpret_cast<const uint8_t*>(footer.constData()) + 12;
            const qint64 tagSize =
                qint64(b[0]) | qint64(b[1]) << 8 | qint64(b[2]) << 16 | qint64(b[3]) << 24;
            const bool hasHeader = (footer.at(23) & 0x80) != 0;
            trailing += tagSize + (hasHeader ? kApeFooter : 0);
        }
    }
    return trailing;
}

}  // namespace

std::optional<double> EstimateMpegAudioFileLength(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const qint64 size = file.size();
    const qint64 audioStart = Id3v2Size(file.read(10));
    if (audioStart >= size || !file.seek(audioStart)) {
        return std::nullopt;
    }
    const QByteArray audio = file.read(kAverageWindow + 8 * 1024);
    const qint64 audioBytes = size - audioStart - TrailingTagBytes(file, size);
    return EstimateMpegAudioLength(audio, audioBytes);
}

}  // namespace tavi::engines
