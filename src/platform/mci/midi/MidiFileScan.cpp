#include "MidiFileScan.h"

#include "platform/mci/MciConstants.h"

#include <algorithm>
#include <limits>

namespace tavi::mci {

namespace {

uint32_t BigEndian(const unsigned char* bytes, int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

// Reads one track chunk's events; the reader stops at the end of the chunk.
class TrackReader {
public:
    TrackReader(const unsigned char* data, size_t size) : m_data(data), m_size(size) {}

    // Walks the events; an event cut short by the end of the chunk ends the track.
    void Walk(MidiFileSummary* summary, bool firstTrack) {
        uint64_t tick = 0;
        uint8_t running = 0;
        while (m_at < m_size) {
            uint32_t delta = 0;
            if (!Number(&delta)) {
                break;
            }
            tick += delta;
            if (m_at >= m_size) {
                break;
            }
            uint8_t status = m_data[m_at];
            if (status < 0x80) {
                if (running == 0) {
                    break;  // data without a status: nothing more can be read
                }
                status = running;
            } else {
                ++m_at;
            }
            if (status == 0xFF) {
                if (!Meta(tick, summary, firstTrack)) {
                    break;
                }
            } else if (status == 0xF0 || status == 0xF7) {
                uint32_t length = 0;
                if (!Number(&length) || !Skip(length)) {
                    break;
                }
            } else if (status >= 0x80 && status < 0xF0) {
                running = status;
                const uint8_t kind = status & 0xF0;
                if (!Skip(kind == 0xC0 || kind == 0xD0 ? 1 : 2)) {
                    break;
                }
            } else {
                break;  // a system message that has no place in a file
            }
            summary->lastTick = std::max(summary->lastTick, tick);
        }
    }

private:
    // A variable-length number of at most four bytes.
    bool Number(uint32_t* value) {
        *value = 0;
        for (int i = 0; i < 4; ++i) {
            if (m_at >= m_size) {
                return false;
            }
            const uint8_t byte = m_data[m_at++];
            *value = *value << 7 | (byte & 0x7F);
            if (!(byte & 0x80)) {
                return true;
            }
        }
        return false;
    }
    bool Skip(size_t count) {
        if (count > m_size - m_at) {
            return false;
        }
        m_at += count;
        return true;
    }
    bool Meta(uint64_t tick, MidiFileSummary* summary, bool firstTrack) {
        if (m_at >= m_size) {
            return false;
        }
        const uint8_t type = m_data[m_at++];
        uint32_t length = 0;
        if (!Number(&length) || length > m_size - m_at) {
            return false;
        }
        const unsigned char* body = m_data + m_at;
        if (type == 0x51 && length == 3) {
            summary->tempo.AddChange(tick, BigEndian(body, 3));
        } else if (type == 0x03 && firstTrack && summary->trackName.isEmpty()) {
            summary->trackName = QByteArray(reinterpret_cast<const char*>(body), length);
        } else if (type == 0x2F) {
            m_at = m_size;  // end of track
            return true;
        }
        m_at += length;
        return true;
    }

    const unsigned char* m_data;
    size_t m_size;
    size_t m_at = 0;
};

}  // namespace

std::optional<MidiFileSummary> MidiFileScan::Scan(const QByteArray& smf, uint32_t* error) {
    *error = MCIERR_INVALID_FILE;
    const auto* data = reinterpret_cast<const unsigned char*>(smf.constData());
    const size_t size = size_t(smf.size());
    if (size < 14 || !smf.startsWith("MThd") || BigEndian(data + 4, 4) < 6) {
        return std::nullopt;
    }
    const uint32_t headerLength = BigEndian(data + 4, 4);
    if (headerLength > size - 8) {
        return std::nullopt;
    }
    const uint16_t division = uint16_t(BigEndian(data + 12, 2));
    if (division & 0x8000) {
        *error = MCIERR_SEQ_DIV_INCOMPATIBLE;
        return std::nullopt;
    }
    MidiFileSummary summary;
    summary.format = uint16_t(BigEndian(data + 8, 2));
    summary.tempo = MidiTempoMap(division);
    const uint16_t declared = uint16_t(BigEndian(data + 10, 2));
    size_t at = 8 + headerLength;
    while (summary.tracks < declared && size - at >= 8) {
        const uint32_t length = BigEndian(data + at + 4, 4);
        if (length > size - at - 8) {
            return std::nullopt;  // a chunk said to be longer than the file
        }
        if (smf.mid(qsizetype(at), 4) == "MTrk") {
            TrackReader(data + at + 8, length).Walk(&summary, summary.tracks == 0);
            ++summary.tracks;
        }
        at += 8 + length;
    }
    if (summary.tracks == 0 || division == 0 ||
        summary.lastTick > uint64_t(std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    summary.lengthMs = summary.tempo.MillisecondsAt(summary.lastTick);
    if (summary.lengthMs > kMaxLengthMs) {
        return std::nullopt;
    }
    *error = 0;
    return summary;
}

}  // namespace tavi::mci
