#include "TrackRecorder.h"
#include "engines/TrackFactory.h"
#include "engines/cue/CCueTrack.h"
#include "engines/player/CPlayer.h"
#include "formats/CueEntries.h"
#include "platform/errors/CFileException.h"
#include "support/ListHost.h"
#include "support/PlaybackEnvironment.h"
#include "support/QtApp.h"
#include "support/SoundFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tavi::engines;
using tavi::formats::CueTrackEntry;
using tavi::test::processEventsUntil;

namespace {

constexpr int kRate = 44100;
constexpr int64_t kFrames = 3 * kRate;  // the sheet's file: three seconds
// Where the sheet's tracks start: 0, 00:01:30 and 00:02:15, in frames of the file.
constexpr int64_t kStarts[] = {0, 61740, 97020, kFrames};

class CueTrack : public testing::Test {
protected:
    void SetUp() override {
        tavi::test::PrepareForPlayback();
        samples = tavi::test::DistinctFrames(kFrames, 2, 7);
        ASSERT_TRUE(tavi::test::WriteSoundFile(path("album.wav"), samples, kRate, 2));
        sheet = path("album.cue");
        QFile file(sheet);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "PERFORMER \"Band\"\nFILE \"album.wav\" WAVE\n"
            "TRACK 01 AUDIO\nTITLE \"One\"\nINDEX 01 00:00:00\n"
            "TRACK 02 AUDIO\nTITLE \"Two\"\nINDEX 00 00:01:00\nINDEX 01 00:01:30\n"
            "TRACK 03 AUDIO\nTITLE \"Three\"\nINDEX 01 00:02:15\n");
    }
    void TearDown() override { qputenv("TAVI_AUDIO_OUTPUT", "null"); }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void recordTo(const QString& file) {
        qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + file).toLocal8Bit());
    }
    // The file's samples from frame `from` up to frame `to`.
    std::vector<short> slice(int64_t from, int64_t to) const {
        return {samples.begin() + from * 2, samples.begin() + to * 2};
    }

    QTemporaryDir dir;
    QString sheet;
    std::vector<short> samples;
    tavi::test::TrackRecorder recorder;
};

// How many frames of `heard` differ from `expected`, counting missing or extra ones.
int64_t framesAmiss(const std::vector<short>& heard, const std::vector<short>& expected) {
    const size_t common = std::min(heard.size(), expected.size());
    int64_t amiss = int64_t(std::max(heard.size(), expected.size()) - common) / 2;
    for (size_t i = 0; i < common; i += 2) {
        amiss += heard[i] != expected[i] || heard[i + 1] != expected[i + 1];
    }
    return amiss;
}

}  // namespace

// Each track alone on the file output: exactly its frames of the file, no more, no less.
TEST_F(CueTrack, EachTrackPlaysExactlyItsRangeOfTheFile) {
    for (int number = 1; number <= 3; ++number) {
        recorder.reports.clear();
        const QString heard = path(qPrintable(QStringLiteral("heard%1.wav").arg(number)));
        recordTo(heard);
        const QString entry = CueTrackEntry(sheet, number);
        auto track = CreateTrackForFile(entry, &recorder);
        ASSERT_NE(dynamic_cast<CCueTrack*>(track.get()), nullptr);
        track->Open(entry);
        const int64_t from = kStarts[number - 1];
        const int64_t to = kStarts[number];
        EXPECT_NEAR(track->GetLength(), double(to - from) / kRate, 0.002) << number;
        EXPECT_EQ(track->GetFileName(), entry);
        track->Play();
        ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 10000));
        EXPECT_TRUE(recorder.reports.front().ended)
            << recorder.reports.front().message.toStdString();
        EXPECT_EQ(recorder.reports.front().track, track.get()) << "reported as the cue track";
        track->Close();
        EXPECT_EQ(framesAmiss(tavi::test::ReadSamples(heard), slice(from, to)), 0) << number;
    }
}

// The three entries one after the other through the player, the next one opened ahead:
// together they are the whole file, every frame once.
TEST_F(CueTrack, ConsecutiveTracksGiveTheWholeFileWithoutGapOrOverlap) {
    const QString heard = path("all.wav");
    recordTo(heard);
    tavi::test::ListHost host(
        {CueTrackEntry(sheet, 1), CueTrackEntry(sheet, 2), CueTrackEntry(sheet, 3)}, 0);
    CPlayer player(host);
    player.PlayCommand();
    ASSERT_TRUE(player.IsPlaying()) << host.shownErrors.join(u'\n').toStdString();
    ASSERT_TRUE(
        processEventsUntil([&] { return host.started.size() == 3 && !player.IsPlaying(); }, 15000));
    host.CloseCurrentTrack();
    EXPECT_TRUE(host.shownErrors.isEmpty()) << host.shownErrors.join(u'\n').toStdString();
    EXPECT_EQ(framesAmiss(tavi::test::ReadSamples(heard), samples), 0);
}

// Positions count from the range's start, seeks stay inside it, and a paused track that
// was moved still ends at its range's end.
TEST_F(CueTrack, PositionSeekAndPauseStayInsideTheRange) {
    const QString entry = CueTrackEntry(sheet, 2);
    auto track = CreateTrackForFile(entry, &recorder);
    track->Open(entry);
    const double length = double(kStarts[2] - kStarts[1]) / kRate;  // 0.8 s
    EXPECT_LT(track->GetPosition(), 0.01);
    track->Play();
    EXPECT_TRUE(track->IsPlaying());
    EXPECT_LT(track->GetPosition(), 0.3);
    track->Pause();
    EXPECT_TRUE(track->IsPaused());
    track->Seek(0.5);
    EXPECT_NEAR(track->GetPosition(), 0.5, 0.05);
    track->Seek(-3.0);
    EXPECT_NEAR(track->GetPosition(), 0.0, 0.05) << "not before the range";
    track->Seek(0.6);
    track->Resume();
    EXPECT_TRUE(track->IsPlaying());
    ASSERT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, 10000));
    EXPECT_TRUE(recorder.reports.front().ended);
    EXPECT_NEAR(track->GetPosition(), length, 0.05) << "ended at the range's end";
    track->Stop();
    EXPECT_TRUE(track->IsStopped());
    EXPECT_LT(track->GetPosition(), 0.01);
    EXPECT_NEAR(track->GetFileLength(CueTrackEntry(sheet, 3)), 0.8, 0.002);
    track->Close();
}

// What cannot be played fails at Open with the file error that names it.
TEST_F(CueTrack, UnplayableEntriesFailToOpen) {
    QFile beyond(path("beyond.cue"));
    ASSERT_TRUE(beyond.open(QIODevice::WriteOnly));
    beyond.write(
        "FILE album.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
        "TRACK 02 AUDIO\nINDEX 01 00:04:00\n"
        "FILE gone.wav WAVE\nTRACK 03 AUDIO\nINDEX 01 00:00:00\n");
    beyond.close();
    struct Case {
        QString entry;
        tavi::errors::CFileException::Cause cause;
        QString named;
    };
    const Case cases[] = {
        {CueTrackEntry(path("missing.cue"), 1), tavi::errors::CFileException::fileNotFound,
         path("missing.cue")},
        {CueTrackEntry(sheet, 9), tavi::errors::CFileException::badFormat, sheet},
        {CueTrackEntry(path("beyond.cue"), 2), tavi::errors::CFileException::badFormat,
         path("beyond.cue")},
        {CueTrackEntry(path("beyond.cue"), 3), tavi::errors::CFileException::fileNotFound,
         path("gone.wav")},
    };
    for (const Case& c : cases) {
        auto track = CreateTrackForFile(c.entry, &recorder);
        try {
            track->Open(c.entry);
            ADD_FAILURE() << "opened " << c.entry.toStdString();
        } catch (const tavi::errors::CFileException& e) {
            EXPECT_EQ(e.GetCause(), c.cause) << c.entry.toStdString();
            EXPECT_TRUE(e.GetErrorMessage().contains(c.named)) << e.GetErrorMessage().toStdString();
        }
        EXPECT_FALSE(track->IsPlaying());
        EXPECT_EQ(track->GetPosition(), 0.0);
    }
}
