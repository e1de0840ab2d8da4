#pragma once

// Small Standard MIDI Files built by the tests.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace tavi::test {

inline QByteArray BigEndianBytes(uint32_t value, int count) {
    QByteArray bytes;
    for (int i = count - 1; i >= 0; --i) {
        bytes.append(char((value >> (8 * i)) & 0xFF));
    }
    return bytes;
}

inline QByteArray VariableLength(uint32_t value) {
    QByteArray bytes(1, char(value & 0x7F));
    while (value >>= 7) {
        bytes.prepend(char(0x80 | (value & 0x7F)));
    }
    return bytes;
}

// One track's events; Chunk() adds the end of track.
class MidiTrackBytes {
public:
    MidiTrackBytes& Event(uint32_t delta, std::initializer_list<uint8_t> bytes) {
        m_events += VariableLength(delta);
        for (uint8_t byte : bytes) {
            m_events.append(char(byte));
        }
        return *this;
    }
    MidiTrackBytes& Tempo(uint32_t delta, uint32_t microsecondsPerQuarter) {
        return Event(delta,
                     {0xFF, 0x51, 0x03, uint8_t(microsecondsPerQuarter >> 16),
                      uint8_t(microsecondsPerQuarter >> 8), uint8_t(microsecondsPerQuarter)});
    }
    MidiTrackBytes& Name(const QByteArray& name) {
        m_events += VariableLength(0);
        m_events += QByteArray("\xFF\x03", 2) + VariableLength(uint32_t(name.size())) + name;
        return *this;
    }
    // A loud note held for length ticks, delta ticks after the last event.
    MidiTrackBytes& Note(uint32_t delta, uint32_t length, uint8_t key = 60, uint8_t channel = 0) {
        Event(delta, {uint8_t(0x90 | channel), key, 120});
        return Event(length, {uint8_t(0x80 | channel), key, 0});
    }
    QByteArray Chunk(uint32_t endDelta = 0) const {
        const QByteArray body = m_events + VariableLength(endDelta) + QByteArray("\xFF\x2F\x00", 3);
        return "MTrk" + BigEndianBytes(uint32_t(body.size()), 4) + body;
    }

private:
    QByteArray m_events;
};

inline QByteArray MidiFileBytes(uint16_t format, uint16_t division,
                                const std::vector<QByteArray>& chunks) {
    QByteArray file = "MThd" + BigEndianBytes(6, 4) + BigEndianBytes(format, 2) +
                      BigEndianBytes(uint16_t(chunks.size()), 2) + BigEndianBytes(division, 2);
    for (const QByteArray& chunk : chunks) {
        file += chunk;
    }
    return file;
}

inline QByteArray LittleEndianBytes(uint32_t value) {
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.append(char((value >> (8 * i)) & 0xFF));
    }
    return bytes;
}

// The RIFF "RMID" form around a MIDI file, after an odd-sized chunk of its own.
inline QByteArray RmiBytes(const QByteArray& midi) {
    const QByteArray info = "DISP" + LittleEndianBytes(3) + QByteArray("abc\0", 4);
    const QByteArray data = "data" + LittleEndianBytes(uint32_t(midi.size())) + midi;
    const QByteArray body = "RMID" + info + data;
    return "RIFF" + LittleEndianBytes(uint32_t(body.size())) + body;
}

// Type 0, 96 ticks a quarter at 120 beats a minute: four notes of a quarter, 2.0 s.
inline QByteArray Type0Midi() {
    MidiTrackBytes track;
    track.Event(0, {0xC0, 0});  // piano
    for (uint8_t key : {60, 64, 67, 72}) {
        track.Note(0, 96, key);
    }
    return MidiFileBytes(0, 96, {track.Chunk()});
}

// Type 1 with a conductor track named "Conductor Song": one second at 120 beats a minute,
// then two quarters at 240, 1.5 s in all.
inline QByteArray Type1Midi() {
    MidiTrackBytes conductor;
    conductor.Name("Conductor Song").Tempo(0, 500000).Tempo(192, 250000);
    MidiTrackBytes notes;
    notes.Event(0, {0xC1, 40});  // violin
    for (int i = 0; i < 4; ++i) {
        notes.Note(0, 96, uint8_t(55 + i), 1);
    }
    return MidiFileBytes(1, 96, {conductor.Chunk(192), notes.Chunk()});
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace tavi::test
