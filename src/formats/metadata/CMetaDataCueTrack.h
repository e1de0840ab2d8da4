#pragma once

#include "CMetaData.h"

#include <optional>

namespace tavi::formats {

// The tags of a CUE sheet's track entry ("….cue/Track03.cuetrack"), from the sheet: the
// track's TITLE, its PERFORMER (else the sheet's), the sheet's TITLE as the album, the
// track's number, and the length of its range when the next track ends it.
class CMetaDataCueTrack : public CMetaData {
public:
    bool Open(const QString& path) override;
    bool GetTitle(QString& text) override { return Give(m_title, text); }
    bool GetArtist(QString& text) override { return Give(m_artist, text); }
    bool GetAlbum(QString& text) override { return Give(m_album, text); }
    bool GetTrackNumber(int& number) override;
    bool GetDuration(double& seconds) override;

private:
    static bool Give(const QString& value, QString& text) {
        return !value.isEmpty() && Accept(value, text);
    }

    QString m_title;
    QString m_artist;
    QString m_album;
    int m_number = 0;
    std::optional<double> m_duration;
};

}  // namespace tavi::formats
