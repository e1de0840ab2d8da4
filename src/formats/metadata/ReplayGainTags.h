#pragma once

#include <QString>

#include <optional>

namespace tavi::formats {

// The loudness correction a file's tags carry, in decibels, and the peaks (1.0 full scale)
// that say how far the sound may be raised without clipping. Each is absent when the file
// has no such tag or its text is not a number.
struct ReplayGainTags {
    std::optional<double> trackGainDb;
    std::optional<double> trackPeak;
    std::optional<double> albumGainDb;
    std::optional<double> albumPeak;
    QString album;  // the album tag: consecutive entries of one album share the album gain
};

// Reads REPLAYGAIN_TRACK_GAIN/PEAK and REPLAYGAIN_ALBUM_GAIN/PEAK from any tag TagLib reads
// for the file (ID3v2 TXXX frames, Vorbis comments, APE items, MP4 freeform atoms), and an
// Opus file's R128_TRACK_GAIN/R128_ALBUM_GAIN where those are missing. Nothing for streams
// and files that cannot be read. Opens the file.
ReplayGainTags ReadReplayGainTags(const QString& path);

// "-6.00 dB", "+1.5 dB", "-6": the decibels; nullopt for anything else.
std::optional<double> ParseGainText(const QString& text);
// "0.988831": the linear peak; nullopt when not a positive number.
std::optional<double> ParsePeakText(const QString& text);

}  // namespace tavi::formats
