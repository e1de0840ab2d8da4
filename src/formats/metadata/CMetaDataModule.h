#pragma once

#include "CMetaData.h"

namespace tavi::formats {

// The tags of a tracker module (".mod", ".xm", ".it", zip-compressed ".mdz" and the other
// kinds the module engine plays), read with libopenmpt: the song's title and artist, and its
// length. Files that are no module have no tags.
class CMetaDataModule : public CMetaData {
public:
    // The upper-case extensions this reader reads.
    static bool IsModuleExtension(const QString& upperExtension);

    bool Open(const QString& path) override;
    bool GetTitle(QString& text) override { return !m_title.isEmpty() && Accept(m_title, text); }
    bool GetArtist(QString& text) override { return !m_artist.isEmpty() && Accept(m_artist, text); }
    bool GetDuration(double& seconds) override;

private:
    QString m_title;
    QString m_artist;
    double m_seconds = 0.0;
};

}  // namespace tavi::formats
