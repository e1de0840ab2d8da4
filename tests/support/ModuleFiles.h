#pragma once

// Tracker modules written byte by byte: a 4-channel ProTracker "M.K." MOD and a Scream
// Tracker 3 S3M, each with one looped square-wave sample that sounds from the first row to
// the end, and the zip archives ".MDZ" files are. Both formats play rows of `speed` ticks at
// 125 BPM (a tick is 20 ms), so `rows` rows last rows * speed * 0.02 s.
#include <QByteArray>

#include <zlib.h>

#include <cstdint>

namespace tavi::test {

inline QByteArray LittleEndian(uint32_t value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i) {
        out.append(char((value >> (8 * i)) & 0xFF));
    }
    return out;
}

inline QByteArray BigEndian16(uint16_t value) {
    return QByteArray(1, char(value >> 8)) + QByteArray(1, char(value & 0xFF));
}

inline QByteArray Padded(const QByteArray& text, int size) {
    return (text + QByteArray(size, '\0')).left(size);
}

// A square wave of `bytes` signed 8-bit samples.
inline QByteArray SquareSample(int bytes, int period = 32) {
    QByteArray sample;
    for (int i = 0; i < bytes; ++i) {
        sample.append(char((i % period) < period / 2 ? 100 : -100));
    }
    return sample;
}

// rows rows (1..64 * patterns) at speed ticks a row; the note starts on row 0 of channel 0
// (and channel 1), a pattern break on the last row ends the song. A busy tune plays a new
// note on every channel every other row, as real music keeps the mixer busy.
inline QByteArray ModFile(int rows, int speed = 6, const QByteArray& title = "Tavi Test Tune",
                          uint16_t sampleWords = 32, bool busy = false) {
    const int patterns = (rows + 63) / 64;
    const QByteArray sample = SquareSample(sampleWords * 2);
    QByteArray mod = Padded(title, 20);
    mod += Padded("square", 22) + BigEndian16(sampleWords) + QByteArray(1, 0) + QByteArray(1, 64) +
           BigEndian16(0) + BigEndian16(sampleWords);
    for (int i = 1; i < 31; ++i) {
        mod += QByteArray(22, '\0') + BigEndian16(0) + QByteArray(1, 0) + QByteArray(1, 0) +
               BigEndian16(0) + BigEndian16(1);
    }
    mod += QByteArray(1, char(patterns)) + QByteArray(1, char(127));
    QByteArray orders(128, '\0');
    for (int p = 0; p < patterns; ++p) {
        orders[p] = char(p);
    }
    mod += orders + "M.K.";
    auto cell = [](int sampleNumber, int period, int effect, int parameter) {
        QByteArray c(4, '\0');
        c[0] = char((sampleNumber & 0xF0) | ((period >> 8) & 0x0F));
        c[1] = char(period & 0xFF);
        c[2] = char(((sampleNumber & 0x0F) << 4) | (effect & 0x0F));
        c[3] = char(parameter);
        return c;
    };
    for (int p = 0; p < patterns; ++p) {
        for (int row = 0; row < 64; ++row) {
            const int at = p * 64 + row;
            for (int channel = 0; channel < 4; ++channel) {
                if (at == 0 && channel == 0) {
                    mod += cell(1, 428, 0xF, speed);  // C-2, and the speed
                } else if (at == 0 && channel == 1) {
                    mod += cell(1, 214, 0, 0);  // an octave up
                } else if (at == rows - 1 && channel == 3) {
                    mod += cell(0, 0, 0xD, 0);  // pattern break: the end of the song
                } else if (busy && at % 2 == 0 && at < rows) {
                    static const int periods[] = {428, 381, 339, 320, 285, 254, 226, 214};
                    mod += cell(1, periods[(at / 2 + channel * 3) % 8] >> (channel % 2), 0, 0);
                } else {
                    mod += cell(0, 0, 0, 0);
                }
            }
        }
    }
    return mod + sample;
}

// The same tune as an S3M: one pattern of at most 64 rows. With more patterns, the header
// declares them and their pointer table is written (every further pattern empty); with
// pointerTable false, it declares them and the table is missing.
inline QByteArray S3mFile(int rows, int speed = 6, const QByteArray& title = "Tavi S3M Tune",
                          uint16_t patterns = 1, bool pointerTable = true) {
    const QByteArray sample = SquareSample(64);
    const int tableBytes = 2 * (pointerTable ? patterns : 1);
    const int instrumentAt = (0x60 + 2 + 2 + tableBytes + 15) / 16 * 16;
    const int patternAt = instrumentAt + 0x50;
    QByteArray s3m =
        Padded(title, 28) + QByteArray(1, 0x1A) + QByteArray(1, 16) + QByteArray(2, '\0');
    s3m += LittleEndian(2, 2) + LittleEndian(1, 2) + LittleEndian(patterns, 2);
    s3m += LittleEndian(0, 2) + LittleEndian(0x1320, 2) + LittleEndian(2, 2) + "SCRM";
    s3m += QByteArray(1, 64) + QByteArray(1, char(speed)) + QByteArray(1, char(125)) +
           QByteArray(1, char(0xB0)) + QByteArray(1, 0) + QByteArray(1, 0) + QByteArray(8, '\0') +
           LittleEndian(0, 2);
    QByteArray channels(32, char(0xFF));
    for (int c = 0; c < 4; ++c) {
        channels[c] = char(c % 2 == 0 ? c / 2 : 8 + c / 2);
    }
    s3m += channels;
    s3m += QByteArray(1, 0) + QByteArray(1, char(0xFF));  // orders
    s3m += LittleEndian(uint32_t(instrumentAt / 16), 2);
    s3m += LittleEndian(uint32_t(patternAt / 16), 2) + QByteArray(tableBytes - 2, '\0');
    s3m = Padded(s3m, instrumentAt);
    QByteArray pattern;
    for (int row = 0; row < 64; ++row) {
        if (row == 0) {
            pattern += QByteArray(1, char(0x20 | 0x80 | 0)) + QByteArray(1, char(0x40)) +
                       QByteArray(1, 1) + QByteArray(1, 1) + QByteArray(1, char(speed));
        }
        if (row == rows - 1) {
            pattern += QByteArray(1, char(0x80 | 3)) + QByteArray(1, 3) + QByteArray(1, 0);
        }
        pattern += QByteArray(1, 0);
    }
    pattern = LittleEndian(uint32_t(pattern.size() + 2), 2) + pattern;
    const int sampleAt = (patternAt + int(pattern.size()) + 15) / 16 * 16;
    QByteArray instrument = QByteArray(1, 1) + Padded("square.raw", 12);
    instrument +=
        QByteArray(1, char((sampleAt / 16) >> 16)) + LittleEndian(uint32_t(sampleAt / 16), 2);
    instrument += LittleEndian(uint32_t(sample.size()), 4) + LittleEndian(0, 4) +
                  LittleEndian(uint32_t(sample.size()), 4);
    instrument += QByteArray(1, 64) + QByteArray(1, 0) + QByteArray(1, 0) + QByteArray(1, 1);
    instrument += LittleEndian(8363, 4) + QByteArray(12, '\0') + Padded("square", 28) + "SCRS";
    s3m += instrument + pattern;
    s3m = Padded(s3m, sampleAt);
    QByteArray unsignedSample = sample;
    for (char& byte : unsignedSample) {
        byte = char(uint8_t(byte) ^ 0x80);
    }
    return s3m + unsignedSample;
}

// A zip archive holding one file, deflated or stored, with or without its sizes in the
// header (then a data descriptor follows the data).
inline QByteArray ZipOf(const QByteArray& content, const QByteArray& name, bool deflated = true,
                        bool sizesAfterData = false) {
    QByteArray packed = content;
    if (deflated) {
        z_stream stream{};
        deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
        packed.resize(qsizetype(deflateBound(&stream, uLong(content.size()))));
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.constData()));
        stream.avail_in = uInt(content.size());
        stream.next_out = reinterpret_cast<Bytef*>(packed.data());
        stream.avail_out = uInt(packed.size());
        deflate(&stream, Z_FINISH);
        packed.resize(qsizetype(stream.total_out));
        deflateEnd(&stream);
    }
    const uint32_t crc = uint32_t(
        crc32(0, reinterpret_cast<const Bytef*>(content.constData()), uInt(content.size())));
    const bool known = !sizesAfterData;
    QByteArray zip = LittleEndian(0x04034b50, 4) + LittleEndian(20, 2) +
                     LittleEndian(known ? 0 : 8, 2) + LittleEndian(deflated ? 8 : 0, 2) +
                     LittleEndian(0, 4) + LittleEndian(known ? crc : 0, 4) +
                     LittleEndian(known ? uint32_t(packed.size()) : 0, 4) +
                     LittleEndian(known ? uint32_t(content.size()) : 0, 4) +
                     LittleEndian(uint32_t(name.size()), 2) + LittleEndian(0, 2) + name + packed;
    if (!known) {
        zip += LittleEndian(0x08074b50, 4) + LittleEndian(crc, 4) +
               LittleEndian(uint32_t(packed.size()), 4) + LittleEndian(uint32_t(content.size()), 4);
    }
    return zip;
}

}  // namespace tavi::test
