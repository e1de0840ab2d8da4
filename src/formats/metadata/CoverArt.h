#pragma once

#include <QByteArray>
#include <QString>

namespace tavi::formats {

// The cover of a track for desktop media controls: a picture inside the file (ID3v2 APIC,
// FLAC and Vorbis pictures, MP4 "covr"), written once to a cache file named by its hash, or
// else a cover.jpg / folder.jpg / cover.png beside the file. Opens the file: for the playing
// track and for tracks a client asks about, never for a whole list.
class CoverArt {
public:
    // The file:// URL of the cover of a local file; empty when it has none.
    static QString UrlOf(const QString& path);
    // The bytes of the first picture embedded in the file (the front cover when marked).
    static QByteArray EmbeddedPicture(const QString& path);
    // Where embedded pictures are kept: $XDG_CACHE_HOME/tavi/art.
    static QString CacheFolder();

private:
    // The cache file holding picture (written atomically if it is not there); empty when it
    // cannot be written.
    static QString CacheFileFor(const QByteArray& picture);
    static QString PictureBeside(const QString& path);
};

}  // namespace tavi::formats
