#pragma once

#include "support/SoundFiles.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

namespace tavi::test {

// A disc image libcdio reads as a CD drive: a CUE sheet and its BIN file of 16-bit stereo
// little-endian tracks, each of distinct frames and a whole number of sectors.
class CdImage {
public:
    static constexpr int kFramesPerSector = 588;

    // sectors: each track's length in sectors (75 a second).
    CdImage(const QString& folder, std::vector<int> sectors) : m_sectors(std::move(sectors)) {
        m_cue = QDir(folder).filePath(QStringLiteral("disc.cue"));
        m_bin = QDir(folder).filePath(QStringLiteral("disc.bin"));
        QFile bin(m_bin);
        bin.open(QIODevice::WriteOnly);
        QByteArray cue = "FILE \"disc.bin\" BINARY\n";
        int start = 0;
        for (size_t i = 0; i < m_sectors.size(); ++i) {
            m_tracks.push_back(
                DistinctFrames(int64_t(m_sectors[i]) * kFramesPerSector, 2, int(i) + 1));
            bin.write(reinterpret_cast<const char*>(m_tracks.back().data()),
                      qint64(m_tracks.back().size() * sizeof(short)));
            cue += QStringLiteral("  TRACK %1 AUDIO\n    INDEX 01 %2\n")
                       .arg(i + 1, 2, 10, QLatin1Char('0'))
                       .arg(Msf(start))
                       .toLatin1();
            m_starts.push_back(start);
            start += m_sectors[i];
        }
        QFile sheet(m_cue);
        sheet.open(QIODevice::WriteOnly);
        sheet.write(cue);
    }

    // The drive the program is to use: the CUE sheet.
    const QString& Drive() const { return m_cue; }
    QString Root() const { return m_cue + QLatin1Char('/'); }
    const QString& BinPath() const { return m_bin; }
    int TrackCount() const { return int(m_sectors.size()); }
    int StartSector(int track) const { return m_starts[size_t(track - 1)]; }
    int Sectors(int track) const { return m_sectors[size_t(track - 1)]; }
    const std::vector<short>& Samples(int track) const { return m_tracks[size_t(track - 1)]; }

    static QString Msf(int sector) {
        return QStringLiteral("%1:%2:%3")
            .arg(sector / 75 / 60, 2, 10, QLatin1Char('0'))
            .arg(sector / 75 % 60, 2, 10, QLatin1Char('0'))
            .arg(sector % 75, 2, 10, QLatin1Char('0'));
    }

private:
    std::vector<int> m_sectors;
    std::vector<int> m_starts;
    std::vector<std::vector<short>> m_tracks;
    QString m_cue;
    QString m_bin;
};

}  // namespace tavi::test
