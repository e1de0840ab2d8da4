#include "CoverArt.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/opusfile.h>
#include <taglib/vorbisfile.h>
#include <taglib/xiphcomment.h>

namespace tavi::formats {

namespace {

QByteArray Bytes(const TagLib::ByteVector& data) {
    return QByteArray(data.data(), int(data.size()));
}

QByteArray FirstPicture(const TagLib::List<TagLib::FLAC::Picture*>& pictures) {
    const TagLib::FLAC::Picture* chosen = nullptr;
    for (const TagLib::FLAC::Picture* picture : pictures) {
        if (!chosen || picture->type() == TagLib::FLAC::Picture::FrontCover) {
            chosen = picture;
        }
        if (chosen->type() == TagLib::FLAC::Picture::FrontCover) {
            break;
        }
    }
    return chosen ? Bytes(chosen->data()) : QByteArray();
}

QByteArray Id3v2Picture(TagLib::ID3v2::Tag* tag) {
    if (!tag) {
        return {};
    }
    QByteArray first;
    for (TagLib::ID3v2::Frame* frame : tag->frameList("APIC")) {
        auto* picture = dynamic_cast<TagLib::ID3v2::AttachedPictureFrame*>(frame);
        if (!picture) {
            continue;
        }
        if (picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover) {
            return Bytes(picture->picture());
        }
        if (first.isEmpty()) {
            first = Bytes(picture->picture());
        }
    }
    return first;
}

QByteArray XiphPicture(TagLib::Ogg::XiphComment* comment) {
    return comment ? FirstPicture(comment->pictureList()) : QByteArray();
}

QByteArray Mp4Picture(TagLib::MP4::File& file) {
    TagLib::MP4::Tag* tag = file.tag();
    if (!tag || !tag->contains("covr")) {
        return {};
    }
    const TagLib::MP4::CoverArtList covers = tag->item("covr").toCoverArtList();
    return covers.isEmpty() ? QByteArray() : Bytes(covers.front().data());
}

// The picture's own kind from its first bytes; a name extension MPRIS clients can open.
QString ExtensionOf(const QByteArray& picture) {
    return picture.startsWith("\x89PNG") ? QStringLiteral("png") : QStringLiteral("jpg");
}

}  // namespace

QByteArray CoverArt::EmbeddedPicture(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("mp3")) {
        TagLib::MPEG::File file(name.constData(), false);
        return file.isValid() ? Id3v2Picture(file.ID3v2Tag()) : QByteArray();
    }
    if (extension == QLatin1String("flac")) {
        TagLib::FLAC::File file(name.constData(), false);
        if (!file.isValid()) {
            return {};
        }
        QByteArray picture = FirstPicture(file.pictureList());
        return picture.isEmpty() ? XiphPicture(file.xiphComment()) : picture;
    }
    if (extension == QLatin1String("ogg") || extension == QLatin1String("oga")) {
        TagLib::Ogg::Vorbis::File file(name.constData(), false);
        return file.isValid() ? XiphPicture(file.tag()) : QByteArray();
    }
    if (extension == QLatin1String("opus")) {
        TagLib::Ogg::Opus::File file(name.constData(), false);
        return file.isValid() ? XiphPicture(file.tag()) : QByteArray();
    }
    if (extension == QLatin1String("m4a") || extension == QLatin1String("mp4") ||
        extension == QLatin1String("aac")) {
        TagLib::MP4::File file(name.constData(), false);
        return file.isValid() ? Mp4Picture(file) : QByteArray();
    }
    return {};
}

QString CoverArt::CacheFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/tavi/art");
}

QString CoverArt::CacheFileFor(const QByteArray& picture) {
    const QString hash =
        QString::fromLatin1(QCryptographicHash::hash(picture, QCryptographicHash::Sha1).toHex());
    const QString path =
        CacheFolder() + QLatin1Char('/') + hash + QLatin1Char('.') + ExtensionOf(picture);
    if (QFileInfo::exists(path)) {
        return path;  // the same picture, written for an earlier track
    }
    QDir().mkpath(CacheFolder());
    // Written under another name and renamed: a client never reads half a picture.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(picture) != picture.size() ||
        !file.commit()) {
        return {};
    }
    return path;
}

QString CoverArt::PictureBeside(const QString& path) {
    const QDir folder = QFileInfo(path).absoluteDir();
    for (const char* name : {"cover.jpg", "folder.jpg", "cover.png"}) {
        const QString candidate = folder.filePath(QString::fromLatin1(name));
        if (QFileInfo(candidate).isFile()) {
            return candidate;
        }
    }
    return {};
}

QString CoverArt::UrlOf(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        return {};
    }
    const QByteArray picture = EmbeddedPicture(path);
    QString file = picture.isEmpty() ? QString() : CacheFileFor(picture);
    if (file.isEmpty()) {
        file = PictureBeside(path);
    }
    return file.isEmpty() ? QString() : QUrl::fromLocalFile(file).toString();
}

}  // namespace tavi::formats
