#include "FlacCueSheet.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QStringList>

#include <cstdint>

namespace tavi::formats {

namespace {

constexpr int kStreamInfo = 0;
constexpr int kVorbisComment = 4;
constexpr int kCueSheetBlock = 5;
constexpr int kMaxBlocks = 1024;  // far more than any encoder writes
constexpr int kFramesPerSecond = 75;
// The CUESHEET block: catalog (128), lead-in (8), flags and reserved (259), track count.
constexpr qsizetype kCueHeaderSize = 128 + 8 + 259 + 1;
// A track: offset (8), number, ISRC (12), flags, reserved (13), index count.
constexpr qsizetype kCueTrackSize = 8 + 1 + 12 + 1 + 13 + 1;
constexpr qsizetype kCueIndexSize = 8 + 1 + 3;
// Offsets beyond this (years of sound) are damage; below it the frame arithmetic is exact.
constexpr uint64_t kMaxOffset = uint64_t(1) << 48;

uint32_t bigEndian(const QByteArray& bytes, qsizetype at, int size) {
    uint32_t value = 0;
    for (int i = 0; i < size; ++i) {
        value = (value << 8) | uint8_t(bytes[at + i]);
    }
    return value;
}

uint64_t bigEndian64(const QByteArray& bytes, qsizetype at) {
    return (uint64_t(bigEndian(bytes, at, 4)) << 32) | bigEndian(bytes, at + 4, 4);
}

uint32_t littleEndian(const QByteArray& bytes, qsizetype at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | uint8_t(bytes[at + i]);
    }
    return value;
}

// An ID3v2 tag some taggers put before "fLaC": its header says how long it is.
bool skipId3(QIODevice& device) {
    const QByteArray head = device.peek(10);
    if (head.size() < 10 || !head.startsWith("ID3")) {
        return true;
    }
    uint32_t size = 0;
    for (int i = 6; i < 10; ++i) {
        size = (size << 7) | (uint8_t(head[i]) & 0x7f);
    }
    const bool footer = (uint8_t(head[5]) & 0x10) != 0;
    const qint64 end = device.pos() + 10 + size + (footer ? 10 : 0);
    return (device.isSequential() || end <= device.size()) && device.seek(end);
}

struct FlacBlocks {
    uint32_t sampleRate = 0;
    QByteArray comments;
    QByteArray cueSheet;
};

std::optional<FlacBlocks> readBlocks(QIODevice& device) {
    if (!skipId3(device) || device.read(4) != "fLaC") {
        return std::nullopt;
    }
    FlacBlocks blocks;
    for (int n = 0; n < kMaxBlocks; ++n) {
        const QByteArray header = device.read(4);
        if (header.size() != 4) {
            return std::nullopt;
        }
        const bool last = (uint8_t(header[0]) & 0x80) != 0;
        const int type = uint8_t(header[0]) & 0x7f;
        const uint32_t length = bigEndian(header, 1, 3);
        if (!device.isSequential() && device.pos() + qint64(length) > device.size()) {
            return std::nullopt;  // a block longer than the file: damaged or cut short
        }
        if (type == kStreamInfo || type == kVorbisComment || type == kCueSheetBlock) {
            const QByteArray body = device.read(length);
            if (body.size() != qsizetype(length)) {
                return std::nullopt;
            }
            if (type == kStreamInfo && length >= 13) {
                blocks.sampleRate = bigEndian(body, 10, 3) >> 4;
            } else if (type == kVorbisComment) {
                blocks.comments = body;
            } else if (type == kCueSheetBlock) {
                blocks.cueSheet = body;
            }
        } else if (!device.seek(device.pos() + length)) {
            return std::nullopt;
        }
        if (last) {
            return blocks;
        }
    }
    return std::nullopt;
}

// The value of a Vorbis comment, the key compared without case; empty when absent.
QString commentValue(const QByteArray& block, QLatin1String key) {
    if (block.size() < 8) {
        return {};
    }
    qsizetype at = 4 + qsizetype(littleEndian(block, 0));
    if (at < 4 || at + 4 > block.size()) {
        return {};
    }
    const uint32_t count = littleEndian(block, at);
    at += 4;
    for (uint32_t i = 0; i < count && at + 4 <= block.size(); ++i) {
        const qsizetype length = qsizetype(littleEndian(block, at));
        at += 4;
        if (length < 0 || length > block.size() - at) {
            return {};
        }
        const QByteArray comment = block.mid(at, length);
        at += length;
        const qsizetype equals = comment.indexOf('=');
        if (equals == key.size() &&
            QLatin1String(comment.constData(), equals).compare(key, Qt::CaseInsensitive) == 0) {
            return QString::fromUtf8(comment.mid(equals + 1));
        }
    }
    return {};
}

QString quoted(const QString& text) {
    QString clean = text;
    clean.replace(u'"', u'\'').replace(u'\n', u' ').replace(u'\r', u' ');
    return u'"' + clean + u'"';
}

QString frameTime(uint64_t samples, uint32_t rate) {
    const uint64_t frames = samples * kFramesPerSecond / rate;
    return QStringLiteral("%1:%2:%3")
        .arg(frames / (60 * kFramesPerSecond), 2, 10, QLatin1Char('0'))
        .arg(frames / kFramesPerSecond % 60, 2, 10, QLatin1Char('0'))
        .arg(frames % kFramesPerSecond, 2, 10, QLatin1Char('0'));
}

// The tracks of the CUESHEET block as sheet lines; the lead-out and non-audio tracks are
// left out.
QStringList cueBlockTracks(const QByteArray& block, uint32_t rate) {
    QStringList lines;
    if (rate == 0 || block.size() < kCueHeaderSize) {
        return lines;
    }
    const int tracks = uint8_t(block[kCueHeaderSize - 1]);
    qsizetype at = kCueHeaderSize;
    for (int t = 0; t < tracks && at + kCueTrackSize <= block.size(); ++t) {
        const uint64_t offset = bigEndian64(block, at);
        const int number = uint8_t(block[at + 8]);
        const bool audio = (uint8_t(block[at + 21]) & 0x80) == 0;
        const int indexes = uint8_t(block[at + kCueTrackSize - 1]);
        at += kCueTrackSize;
        const bool kept = audio && number >= 1 && number <= 99;
        if (kept) {
            lines.append(QStringLiteral("TRACK %1 AUDIO").arg(number, 2, 10, QLatin1Char('0')));
        }
        for (int i = 0; i < indexes && at + kCueIndexSize <= block.size(); ++i) {
            const uint64_t indexOffset = bigEndian64(block, at);
            const int indexNumber = uint8_t(block[at + 8]);
            at += kCueIndexSize;
            if (kept && offset < kMaxOffset && indexOffset < kMaxOffset) {
                lines.append(QStringLiteral("INDEX %1 %2")
                                 .arg(indexNumber, 2, 10, QLatin1Char('0'))
                                 .arg(frameTime(offset + indexOffset, rate)));
            }
        }
    }
    return lines;
}

}  // namespace

std::optional<QString> FlacCueSheetTextFrom(QIODevice& device) {
    const std::optional<FlacBlocks> blocks = readBlocks(device);
    if (!blocks) {
        return std::nullopt;
    }
    QString text = commentValue(blocks->comments, QLatin1String("CUESHEET"));
    if (!text.trimmed().isEmpty()) {
        return text;
    }
    const QStringList tracks = cueBlockTracks(blocks->cueSheet, blocks->sampleRate);
    if (tracks.isEmpty()) {
        return std::nullopt;
    }
    QStringList lines;
    const QString artist = commentValue(blocks->comments, QLatin1String("ARTIST"));
    const QString album = commentValue(blocks->comments, QLatin1String("ALBUM"));
    if (!artist.isEmpty()) {
        lines.append(QStringLiteral("PERFORMER ") + quoted(artist));
    }
    if (!album.isEmpty()) {
        lines.append(QStringLiteral("TITLE ") + quoted(album));
    }
    lines.append(QStringLiteral("FILE \"\" WAVE"));
    lines.append(tracks);
    return lines.join(u'\n');
}

std::optional<QString> ReadFlacCueSheetText(const QString& path) {
    if (!QFileInfo(path).isFile()) {
        return std::nullopt;  // a FIFO or a device would block the open
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return FlacCueSheetTextFrom(file);
}

}  // namespace tavi::formats
