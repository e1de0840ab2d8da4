#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "engines/directshow/Mp3LengthEstimate.h"
#include "engines/player/CPlayer.h"
#include "support/ListHost.h"
#include "support/PlaybackEnvironment.h"
#include "support/QtApp.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace tavi::engines;

namespace {

class Mp3Length : public testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    static QByteArray Read(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Write(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
};

// The encoder pads the last frame, so a file holds up to a frame (26 ms) more than asked.
constexpr double kFrameSlack = 0.06;

}  // namespace

TEST_F(Mp3Length, PlainConstantBitrateFilesAreMeasuredFromTheirFramesWithAndWithoutTags) {
    for (int kbps : {64, 128, 320}) {
        ASSERT_TRUE(tavi::test::MakePlainMp3(path("plain.mp3"), 10.0, kbps));
        const QByteArray audio = Read(path("plain.mp3"));
        ASSERT_FALSE(audio.contains("Xing") || audio.contains("Info")) << "the file has a header";
        const auto plain = EstimateMpegAudioFileLength(path("plain.mp3"));
        ASSERT_TRUE(plain.has_value()) << kbps;
        EXPECT_NEAR(*plain, 10.0, kFrameSlack) << kbps;

        // The same frames behind a large ID3v2 tag and before ID3v1 and APE tags.
        QByteArray id3v2("ID3\x03\x00\x00", 6);
        const int tagBody = 200000;
        for (int shift : {21, 14, 7, 0}) {
            id3v2.append(char((tagBody >> shift) & 0x7F));
        }
        id3v2.append(QByteArray(tagBody, '\0'));
        QByteArray ape("APETAGEX", 8);
        ape.append(QByteArray("\xD0\x07\x00\x00\x20\x00\x00\x00", 8));  // version, size 32
        ape.append(QByteArray(16, '\0'));
        const QByteArray id3v1 = "TAG" + QByteArray(125, ' ');
        Write(path("tagged.mp3"), id3v2 + audio + ape + id3v1);
        const auto tagged = EstimateMpegAudioFileLength(path("tagged.mp3"));
        ASSERT_TRUE(tagged.has_value()) << kbps;
        EXPECT_NEAR(*tagged, *plain, 0.001) << kbps;
    }
}

TEST_F(Mp3Length, AXingHeaderGivesTheFrameCountsLength) {
    ASSERT_TRUE(tavi::test::MakeMp3(path("xing.mp3"), 4.0));
    const auto length = EstimateMpegAudioFileLength(path("xing.mp3"));
    ASSERT_TRUE(length.has_value());
    EXPECT_NEAR(*length, 4.0, kFrameSlack);
}

TEST_F(Mp3Length, DataWithoutTwoConsecutiveFramesHasNoLength) {
    EXPECT_FALSE(EstimateMpegAudioLength({}, 0));
    // One stray sync word in text is no frame.
    const QByteArray text = "Hello \xFF\xFB\x90\x64 world, this is no MPEG audio at all.";
    EXPECT_FALSE(EstimateMpegAudioLength(text, text.size()));
    Write(path("empty.mp3"), {});
    EXPECT_FALSE(EstimateMpegAudioFileLength(path("empty.mp3")));
    EXPECT_FALSE(EstimateMpegAudioFileLength(path("missing.mp3")));
    // A tag header that claims more than the file holds.
    Write(path("tag-only.mp3"), QByteArray("ID3\x03\x00\x00\x7F\x7F\x7F\x7F", 10));
    EXPECT_FALSE(EstimateMpegAudioFileLength(path("tag-only.mp3")));
    // Random bytes never crash and never give a negative or endless length.
    QRandomGenerator random(42);
    for (int round = 0; round < 200; ++round) {
        QByteArray noise(int(random.bounded(1, 5000)), '\0');
        random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        const auto length = EstimateMpegAudioLength(noise, noise.size());
        if (length) {
            EXPECT_GE(*length, 0.0);
            EXPECT_LT(*length, 1e6);
        }
    }
}

TEST_F(Mp3Length, APlainMp3PlaysToItsEndThroughThePlayerWithItsLengthKnownFromTheStart) {
    tavi::test::PrepareForPlayback();
    ASSERT_TRUE(tavi::test::MakePlainMp3(path("plain.mp3"), 1.5));
    tavi::test::ListHost host(QStringList{path("plain.mp3"), QStringLiteral("0.pause")}, 0);
    CPlayer player(host);
    player.PlayCommand();
    ASSERT_TRUE(player.IsPlaying()) << host.shownErrors.join(QLatin1Char('\n')).toStdString();
    EXPECT_NEAR(host.current->GetLength(), 1.5, 0.1) << "known before the decoder can tell it";
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return host.started.size() == 2; }, 6000));
    EXPECT_TRUE(host.shownErrors.isEmpty())
        << host.shownErrors.join(QLatin1Char('\n')).toStdString();
    host.CloseCurrentTrack();
}
