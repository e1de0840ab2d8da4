#pragma once

#include "CMetaData.h"

#include <QMap>
#include <QStringList>

namespace tavi::formats {

// Tags of ".mp3", ".wma", ".asf" and ".wmv" files (ID3, APE and ASF attributes) through
// TagLib: Author is the artist, WM/AlbumTitle the album, WM/Year the date, and so on. The
// same reader takes the formats Linux users keep their music in (FLAC, Ogg Vorbis, Opus,
// MP4/M4A, WavPack, APE, Musepack), whose Vorbis comments, MP4 atoms and APE items TagLib
// maps to the same property names.
class CMetaDataWindowsMedia : public CMetaData {
public:
    bool Open(const QString& path) override;
    bool GetArtist(QString& text) override { return Text("ARTIST", text); }
    bool GetTitle(QString& text) override { return Text("TITLE", text); }
    bool GetRating(QString& text) override { return Text("RATING", text); }
    bool GetDescription(QString& text) override { return Text("COMMENT", text); }
    bool GetCopyright(QString& text) override { return Text("COPYRIGHT", text); }
    bool GetAlbum(QString& text) override { return Text("ALBUM", text); }
    bool GetYear(QString& text) override { return Text("DATE", text); }
    bool GetGenre(QString& text) override { return Text("GENRE", text); }
    bool GetTrackNumber(int& number) override;
    bool GetDuration(double& seconds) override;
    bool GetFileSize(uint32_t& bytes) override;
    bool GetBitrate(uint32_t& bitsPerSecond) override;
    bool GetChannels(uint32_t& channels) override;
    bool GetSampleRate(uint32_t& hertz) override;

private:
    bool Text(const char* property, QString& text) const;

    QMap<QString, QStringList> m_properties;
    int m_lengthMs = -1;
    int m_bitrateKbps = -1;
    int m_channels = -1;
    int m_sampleRate = -1;
    qint64 m_fileSize = -1;
};

}  // namespace tavi::formats
