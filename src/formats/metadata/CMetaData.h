#pragma once

#include <QString>

#include <cstdint>

namespace tavi::formats {

// Reads one media file's tags. Every getter answers false when the tag is absent, which
// includes a tag that could not be read, has the wrong type or is over 511 characters.
class CMetaData {
public:
    static constexpr int kMaxTextLength = 511;

    virtual ~CMetaData() = default;
    // True when tags can be read from the file.
    virtual bool Open(const QString& path) = 0;
    virtual bool GetArtist(QString& /*text*/) { return false; }
    virtual bool GetTitle(QString& /*text*/) { return false; }
    virtual bool GetRating(QString& /*text*/) { return false; }
    virtual bool GetDescription(QString& /*text*/) { return false; }
    virtual bool GetCopyright(QString& /*text*/) { return false; }
    virtual bool GetAlbum(QString& /*text*/) { return false; }
    // A further text attribute that no reader provides.
    virtual bool GetReservedText(QString& /*text*/) { return false; }
    virtual bool GetYear(QString& /*text*/) { return false; }
    virtual bool GetGenre(QString& /*text*/) { return false; }
    // The track's number on its album, without a total ("3" of "3/12").
    virtual bool GetTrackNumber(int& /*number*/) { return false; }
    virtual bool GetDuration(double& /*seconds*/) { return false; }
    virtual bool GetFileSize(uint32_t& /*bytes*/) { return false; }
    virtual bool GetBitrate(uint32_t& /*bitsPerSecond*/) { return false; }
    virtual bool GetChannels(uint32_t& /*channels*/) { return false; }
    virtual bool GetSampleRate(uint32_t& /*hertz*/) { return false; }

protected:
    // Stores text when it is within the length limit.
    static bool Accept(const QString& value, QString& text) {
        if (value.size() > kMaxTextLength) {
            return false;
        }
        text = value;
        return true;
    }
};

}  // namespace tavi::formats
