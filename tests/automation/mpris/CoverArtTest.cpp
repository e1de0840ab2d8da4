#include "MprisTestSupport.h"

#include "formats/metadata/CoverArt.h"
#include "support/TestMedia.h"

#include <taglib/attachedpictureframe.h>
#include <taglib/flacfile.h>
#include <taglib/flacpicture.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

namespace tavi::test {
namespace {

// Pictures are written the way taggers write them, into generated sound.
QByteArray Jpeg(char fill) {
    return QByteArray("\xFF\xD8\xFF\xE0", 4) + QByteArray(64, fill);
}

bool EmbedInMp3(const QString& path, const QByteArray& picture) {
    TagLib::MPEG::File file(QFile::encodeName(path).constData());
    auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
    frame->setMimeType("image/jpeg");
    frame->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
    frame->setPicture(TagLib::ByteVector(picture.constData(), uint(picture.size())));
    file.ID3v2Tag(true)->addFrame(frame);
    return file.save();
}

bool EmbedInFlac(const QString& path, const QByteArray& picture) {
    TagLib::FLAC::File file(QFile::encodeName(path).constData());
    auto* flacPicture = new TagLib::FLAC::Picture;
    flacPicture->setType(TagLib::FLAC::Picture::FrontCover);
    flacPicture->setMimeType("image/png");
    flacPicture->setData(TagLib::ByteVector(picture.constData(), uint(picture.size())));
    file.addPicture(flacPicture);
    return file.save();
}

QString CachedFileOf(const QString& url) {
    return QUrl(url).toLocalFile();
}

class CoverArtTest : public MprisTest {
protected:
    CoverArtTest() { qputenv("XDG_CACHE_HOME", QFile::encodeName(cache.path())); }
    ~CoverArtTest() override { qunsetenv("XDG_CACHE_HOME"); }
    QTemporaryDir cache;
};

TEST_F(CoverArtTest, AnEmbeddedPictureIsWrittenOnceToTheCache) {
    const QString mp3 = files.filePath(QStringLiteral("song.mp3"));
    ASSERT_TRUE(MakeMp3(mp3, 0.5));
    const QByteArray picture = Jpeg('a');
    ASSERT_TRUE(EmbedInMp3(mp3, picture));
    touch(QStringLiteral("cover.jpg"), Jpeg('z'));  // the file's own picture wins
    fill({mp3}, 0);
    const QList<QVariantMap> metadata = qdbus_cast<QList<QVariantMap>>(
        TrackList(QStringLiteral("GetTracksMetadata"), {QVariant::fromValue(Tracks())})
            .arguments()
            .value(0));
    ASSERT_EQ(metadata.size(), 1);
    const QString url = metadata[0].value(QStringLiteral("mpris:artUrl")).toString();
    const QString cached = CachedFileOf(url);
    EXPECT_TRUE(cached.startsWith(cache.path() + QStringLiteral("/tavi/art/")))
        << url.toStdString();
    EXPECT_TRUE(cached.endsWith(QStringLiteral(".jpg")));
    QFile file(cached);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), picture);
    EXPECT_EQ(QDir(formats::CoverArt::CacheFolder()).entryList(QDir::Files).size(), 1);
    EXPECT_EQ(formats::CoverArt::UrlOf(mp3), url) << "the same picture, the same file";
    EXPECT_EQ(QDir(formats::CoverArt::CacheFolder()).entryList(QDir::Files).size(), 1);
}

TEST_F(CoverArtTest, FlacPicturesAndPicturesBesideTheFile) {
    const QString flac = files.filePath(QStringLiteral("a/song.flac"));
    QDir().mkpath(files.filePath(QStringLiteral("a")));
    ASSERT_TRUE(MakeEncoded(flac, 0.5, QStringLiteral("flacenc")));
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + QByteArray(32, 'p');
    ASSERT_TRUE(EmbedInFlac(flac, png));
    EXPECT_EQ(formats::CoverArt::EmbeddedPicture(flac), png);
    EXPECT_TRUE(formats::CoverArt::UrlOf(flac).endsWith(QStringLiteral(".png")));

    const QString plain = touch(QStringLiteral("b/plain.wav"));
    EXPECT_EQ(formats::CoverArt::UrlOf(plain), QString()) << "no picture anywhere";
    const QString folderJpg = touch(QStringLiteral("b/folder.jpg"), Jpeg('f'));
    EXPECT_EQ(formats::CoverArt::UrlOf(plain), QUrl::fromLocalFile(folderJpg).toString());
    const QString coverJpg = touch(QStringLiteral("b/cover.jpg"), Jpeg('c'));
    EXPECT_EQ(formats::CoverArt::UrlOf(plain), QUrl::fromLocalFile(coverJpg).toString())
        << "cover.jpg before folder.jpg";
    EXPECT_TRUE(QDir(formats::CoverArt::CacheFolder()).entryList(QDir::Files).size() == 1)
        << "pictures beside a file are not copied";
}

TEST_F(CoverArtTest, ThePlayingTrackHasItsCover) {
    touch(QStringLiteral("cover.png"), QByteArray("\x89PNG", 4));
    const QString wav = files.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(MakeWav(wav, 1.0));
    fill({wav}, 0);
    TrackList(QStringLiteral("GoTo"), {QVariant::fromValue(Tracks()[0])});
    ASSERT_TRUE(processEventsUntil([&] { return doc->HasCurrentTrack(); }, 5000));
    const QVariantMap metadata = qdbus_cast<QVariantMap>(
        Property(QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("Metadata")));
    EXPECT_EQ(metadata.value(QStringLiteral("mpris:artUrl")).toString(),
              QUrl::fromLocalFile(files.filePath(QStringLiteral("cover.png"))).toString());
}

}  // namespace
}  // namespace tavi::test
