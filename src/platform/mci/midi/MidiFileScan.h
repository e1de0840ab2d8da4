#pragma once

#include "MidiTempoMap.h"

#include <QByteArray>

#include <cstdint>
#include <optional>

namespace tavi::mci {

// What the sequencer needs to know of a Standard MIDI File before it plays it: its length
// and tempo map (for positions in milliseconds), and the track name of its first track.
struct MidiFileSummary {
    uint16_t format = 0;
    uint16_t tracks = 0;
    uint64_t lastTick = 0;  // of the last event of any track
    double lengthMs = 0.0;
    MidiTempoMap tempo;
    QByteArray trackName;  // the first track's name meta event, empty when it has none
};

class MidiFileScan {
public:
    // Longer files are taken for damaged ones: a delta time of years is no music.
    static constexpr double kMaxLengthMs = 24.0 * 3600.0 * 1000.0;

    // The summary, or nullopt with *error (an MCIERR_* number) for bytes that are no MIDI
    // file: no header, a chunk that runs past the end of the file, a time division in SMPTE
    // frames, no tracks, or a length beyond kMaxLengthMs. Events cut short at the end of a
    // track chunk end that track.
    static std::optional<MidiFileSummary> Scan(const QByteArray& smf, uint32_t* error);
};

}  // namespace tavi::mci
