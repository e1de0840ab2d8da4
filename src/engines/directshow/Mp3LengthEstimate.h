#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace tavi::engines {

// The playing time of an MPEG audio file read from its frames, for files whose decoder
// cannot report one before playing: plain constant-bitrate encoders write no Xing, Info or
// VBRI header, so the length is the bitrate of the first frames applied to the file size,
// as every player estimates it. A header with a frame count gives the exact figure.

// audio: the bytes from the end of any ID3v2 tag on (the first frames are enough);
// audioBytes: how many bytes of audio the file holds from there, trailing tags excluded.
// Empty when no two consecutive valid frames are found.
std::optional<double> EstimateMpegAudioLength(QByteArrayView audio, qint64 audioBytes);

// The same for a file on disk: skips an ID3v2 tag at the start and ID3v1 and APE tags at
// the end. Empty when the file cannot be read or holds no MPEG audio frames.
std::optional<double> EstimateMpegAudioFileLength(const QString& path);

}  // namespace tavi::engines
