#pragma once

#include "CMetaData.h"

#include <optional>

namespace tavi::formats {

// Tags of ".wav" files (their RIFF INFO list, through TagLib) and ".avi" files (through
// GStreamer's discoverer): author, title, rating, description and copyright. A present but
// empty tag counts as present.
class CMetaDataDirectShow : public CMetaData {
public:
    bool Open(const QString& path) override;
    bool GetArtist(QString& text) override { return Take(m_artist, text); }
    bool GetTitle(QString& text) override { return Take(m_title, text); }
    bool GetRating(QString& text) override { return Take(m_rating, text); }
    bool GetDescription(QString& text) override { return Take(m_description, text); }
    bool GetCopyright(QString& text) override { return Take(m_copyright, text); }

private:
    bool OpenWave(const QString& path);
    bool OpenWithDiscoverer(const QString& path);
    bool Take(const std::optional<QString>& value, QString& text) const {
        return value && Accept(*value, text);
    }

    std::optional<QString> m_artist;
    std::optional<QString> m_title;
    std::optional<QString> m_rating;
    std::optional<QString> m_description;
    std::optional<QString> m_copyright;
};

}  // namespace tavi::formats
