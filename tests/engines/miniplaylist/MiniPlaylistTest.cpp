// Mini playlists: the time line their file names give, what plays when, overlaps heard on
// the output, programs among the files, rotations and folders, and the one end the main
// player hears.
#include "../TrackRecorder.h"
#include "MiniPlaylistFiles.h"
#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "engines/miniplaylist/CMiniPlaylistTrack.h"
#include "engines/miniplaylist/MiniPlaylistEntries.h"
#include "engines/player/CPlayer.h"
#include "platform/gst/SharedAudioOutput.h"
#include "support/ListHost.h"
#include "support/PlaybackEnvironment.h"
#include "support/SoundFiles.h"
#include "support/ToneTrace.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace tavi::engines;
using tavi::test::MiniPlaylistFolder;
using tavi::test::processEventsFor;
using tavi::test::processEventsUntil;

namespace {

constexpr int kRate = tavi::gst::SharedAudioOutput::kRate;

class MiniPlaylist : public testing::Test {
protected:
    void SetUp() override { tavi::test::PrepareForPlayback(); }
    void TearDown() override { qputenv("TAVI_AUDIO_OUTPUT", "null"); }

    std::unique_ptr<CMediaTrack> open(const QString& list) {
        auto track = CreateTrackForFile(list, &recorder);
        track->Open(list);
        return track;
    }
    bool waitEnded(int timeoutMs) {
        return processEventsUntil([&] { return !recorder.reports.empty(); }, timeoutMs);
    }

    MiniPlaylistFolder folder;
    tavi::test::TrackRecorder recorder;
};

}  // namespace

TEST(MiniPlaylistEntries, OverlapComesFromTheTextAfterTheLastTilde) {
    EXPECT_DOUBLE_EQ(FileOverlap(QStringLiteral("/m/song~2.5.wav")), 2.5);
    EXPECT_NEAR(FileOverlap(QStringLiteral("/m/a~1~0.3.ogg")), 0.3, 1e-6);
    EXPECT_DOUBLE_EQ(FileOverlap(QStringLiteral("/m/a~3s.ogg")), 3.0) << "read as %f reads";
    EXPECT_DOUBLE_EQ(FileOverlap(QStringLiteral("/m~5/plain.wav")), -1.0) << "folders count not";
    EXPECT_DOUBLE_EQ(FileOverlap(QStringLiteral("/m/odd~x.wav")), -1.0);
    EXPECT_DOUBLE_EQ(FileOverlap(QStringLiteral("/m/10~4.pause")), 0.0) << "a marker entry";
}

TEST_F(MiniPlaylist, TheTimeLineAddsEachLengthLessItsOverlap) {
    // The last file's overlap is ignored, an overlap beyond a file's length is cut to it,
    // and files that cannot be opened (or are programs) add nothing.
    const QString list =
        folder.list(QStringLiteral("m.mpl"), {folder.tone(QStringLiteral("a~0.3.wav"), 1.0, 440),
                                              folder.path(QStringLiteral("gone.wav")),
                                              folder.tone(QStringLiteral("b~0.3.wav"), 1.0, 880),
                                              folder.tone(QStringLiteral("long~5.wav"), 1.0, 660),
                                              folder.script(QStringLiteral("x.sh"), "true"),
                                              folder.tone(QStringLiteral("c~0.5.wav"), 1.0, 1320)});
    auto track = open(list);
    EXPECT_NEAR(track->GetLength(), 2.4, 0.01);
    const auto& items = static_cast<CMiniPlaylistTrack*>(track.get())->Items();
    ASSERT_EQ(items.size(), 6u);
    EXPECT_TRUE(items[1].unmeasured);
    EXPECT_NEAR(items[2].start, 0.7, 0.01);
    EXPECT_NEAR(items[3].start, 1.4, 0.01);
    EXPECT_NEAR(items[3].end, 1.4, 0.01) << "its overlap takes its whole length";
    EXPECT_TRUE(items[4].unmeasured);
    EXPECT_NEAR(items[5].end, 2.4, 0.01);
    EXPECT_TRUE(track->IsStopped());
    EXPECT_EQ(static_cast<CMiniPlaylistTrack*>(track.get())->Window().Selection(), 0);
    EXPECT_EQ(CreateTrackForFile(list, nullptr)->GetFileLength(list), track->GetLength());
}

TEST_F(MiniPlaylist, ItsLengthsAreWaitedForWhereAnOpenWouldGoOnInTheBackground) {
    // As in the program, where an open that takes more than a glance is let go on.
    CDirectShowTrack::SetOpenWait(std::chrono::milliseconds(0));
    const QString list =
        folder.list(QStringLiteral("m.mpl"), {folder.tone(QStringLiteral("a~0.5.wav"), 1.0, 440),
                                              folder.tone(QStringLiteral("b.wav"), 1.0, 880)});
    const double length = open(list)->GetLength();
    EXPECT_EQ(CDirectShowTrack::OpenWait(), std::chrono::milliseconds(0)) << "the wait is restored";
    tavi::test::WaitForEveryOpen();
    EXPECT_NEAR(length, 1.5, 0.01);
}

TEST_F(MiniPlaylist, OverlappingFilesSoundTogetherOnTheOutputAndOneEndIsReported) {
    const QString recording = folder.path(QStringLiteral("out.wav"));
    qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + recording).toLocal8Bit());
    const QString list =
        folder.list(QStringLiteral("m.m3u"), {folder.tone(QStringLiteral("one~0.3.wav"), 1.0, 440),
                                              folder.tone(QStringLiteral("two~0.3.wav"), 1.0, 880),
                                              folder.tone(QStringLiteral("three.wav"), 1.0, 1320)});
    {
        auto track = open(list);
        ASSERT_NEAR(track->GetLength(), 2.4, 0.01);
        track->Play();
        ASSERT_TRUE(waitEnded(10000));
        processEventsFor(600);
        EXPECT_EQ(recorder.reports.size(), 1u) << "the end is reported once";
        EXPECT_TRUE(recorder.reports.front().ended);
        track->Close();
    }
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    const tavi::test::ToneTrace trace(tavi::test::ReadSamples(recording), kRate);
    EXPECT_NEAR(trace.Onset(880), 0.7, 0.08) << "the second starts 0.3 s before the first ends";
    EXPECT_NEAR(trace.Onset(1320), 1.4, 0.1);
    EXPECT_TRUE(trace.Sounds(440, 0.8, 0.95) && trace.Sounds(880, 0.8, 0.95))
        << "both are heard in the overlap";
    EXPECT_FALSE(trace.Sounds(440, 1.1, 1.3)) << "the first has ended";
    EXPECT_NEAR(trace.Seconds(), 2.4, 0.15);
}

TEST_F(MiniPlaylist, ProgramsStartWithoutAShellAndTheNextFileFollowsAtOnce) {
    const QString marker = folder.path(QStringLiteral("ran"));
    const QString list =
        folder.list(QStringLiteral("m.mpl"),
                    {folder.script(QStringLiteral("run.sh"), "touch '" + marker.toUtf8() + "'"),
                     folder.script(QStringLiteral("a;touch pwned.sh"), "true"),
                     folder.tone(QStringLiteral("after.wav"), 0.3, 440)});
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path({}));
    auto track = open(list);
    track->Play();
    auto* mini = static_cast<CMiniPlaylistTrack*>(track.get());
    ASSERT_TRUE(processEventsUntil([&] { return mini->Window().CurrentTrack() != nullptr; }, 5000));
    EXPECT_EQ(mini->Window().Selection(), 2) << "both programs started, the file plays";
    EXPECT_TRUE(processEventsUntil([&] { return QFile::exists(marker); }, 2000));
    ASSERT_TRUE(waitEnded(5000));
    processEventsFor(200);
    EXPECT_FALSE(QFile::exists(folder.path(QStringLiteral("pwned.sh"))));
    QDir::setCurrent(before);
}

TEST_F(MiniPlaylist, RotationsAdvanceOnEachOpenAndFoldersGiveOneOfTheirFiles) {
    const QString a = folder.tone(QStringLiteral("ra.wav"), 0.2, 440);
    const QString b = folder.tone(QStringLiteral("rb.wav"), 0.2, 440);
    const QString rotation = folder.write(
        QStringLiteral("r.rotation"),
        QStringLiteral("[playlist]\nFile1=ra.wav\nFile2=%1\nNumberOfEntries=2\nNextIndex=1\n")
            .arg(b)
            .toUtf8());
    QDir(folder.path({})).mkdir(QStringLiteral("songs"));
    const QString inFolder = folder.tone(QStringLiteral("songs/only.wav"), 0.2, 440);
    const QString list =
        folder.list(QStringLiteral("m.mpl"), {rotation, folder.path(QStringLiteral("songs.dir"))});
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        auto track = open(list);
        const QStringList files = static_cast<CMiniPlaylistTrack*>(track.get())->Window().Files();
        ASSERT_EQ(files.size(), 2);
        seen.append(files[0]);
        EXPECT_EQ(files[1], inFolder);
        EXPECT_NEAR(track->GetLength(), 0.4, 0.02);
    }
    EXPECT_EQ(seen, (QStringList{a, b, a})) << "relative rotation entries are the rotation's";
    EXPECT_TRUE(folder.read(QStringLiteral("r.rotation")).contains("NextIndex=2"));
}

TEST_F(MiniPlaylist, StopSilencesBothFilesAndReportsNoEnd) {
    const QString list =
        folder.list(QStringLiteral("m.mpl"), {folder.tone(QStringLiteral("a~0.8.wav"), 1.0, 440),
                                              folder.tone(QStringLiteral("b.wav"), 4.0, 880)});
    auto track = open(list);
    auto* mini = static_cast<CMiniPlaylistTrack*>(track.get());
    track->Play();
    ASSERT_TRUE(processEventsUntil([&] { return mini->Window().IsOverlapping(); }, 5000));
    ASSERT_TRUE(mini->Window().CurrentTrack());
    EXPECT_EQ(mini->Window().Selection(), 1);
    EXPECT_GE(track->GetPosition(), 0.19) << "the second file's start on the time line";
    track->Pause();
    processEventsFor(50);
    ASSERT_TRUE(mini->Window().CurrentTrack());
    EXPECT_TRUE(mini->Window().CurrentTrack()->IsPaused());
    track->Resume();
    EXPECT_TRUE(mini->Window().CurrentTrack()->IsPlaying());
    track->Stop();
    EXPECT_TRUE(track->IsStopped());
    EXPECT_FALSE(mini->Window().CurrentTrack());
    EXPECT_FALSE(mini->Window().IsOverlapping());
    track->Close();
    processEventsFor(1500);
    EXPECT_TRUE(recorder.reports.empty());
}

TEST_F(MiniPlaylist, AListThatHoldsItselfFailsToOpenInsteadOfNestingForever) {
    const QString self = folder.path(QStringLiteral("self.mpl"));
    const QString inner = folder.list(QStringLiteral("inner.mpl"), {self});
    folder.list(QStringLiteral("self.mpl"),
                {folder.tone(QStringLiteral("t.wav"), 0.5, 440), inner});
    auto track = open(self);
    EXPECT_NEAR(track->GetLength(), 0.5, 0.02)
        << "the list inside, holding the outer, adds nothing";
}

TEST_F(MiniPlaylist, TheMainPlayerMovesOnOnceWhenTheMiniPlaylistEnds) {
    const QString list =
        folder.list(QStringLiteral("m.mpl"), {folder.tone(QStringLiteral("a~0.2.wav"), 0.5, 440),
                                              folder.tone(QStringLiteral("b.wav"), 0.5, 880)});
    const QString after = folder.tone(QStringLiteral("after.wav"), 0.5, 660);
    tavi::test::ListHost host({list, after});
    CPlayer player(host);
    player.PlayCommand();
    ASSERT_TRUE(processEventsUntil([&] { return host.started.size() >= 2; }, 10000));
    EXPECT_EQ(host.started, (QStringList{list, after}));
    ASSERT_TRUE(processEventsUntil([&] { return !player.IsPlaying(); }, 5000));
    EXPECT_EQ(host.started.size(), 2);
    EXPECT_TRUE(host.shownErrors.isEmpty());
    host.CloseCurrentTrack();
}

TEST_F(MiniPlaylist, AFileThatFailsIsShownAndWithIgnoreErrorsSkipped) {
    const QString list = folder.list(QStringLiteral("m.mpl"),
                                     {folder.write(QStringLiteral("bad.wav"), "not a sound"),
                                      folder.tone(QStringLiteral("ok.wav"), 0.3, 440)});
    tavi::settings::playerSettings().ignoreErrors = true;
    auto track = open(list);
    track->Play();
    EXPECT_TRUE(waitEnded(5000)) << "skipped to the next file, which ends the list";
    track->Close();
    tavi::settings::playerSettings().ignoreErrors = false;
    recorder.reports.clear();
    track = open(list);
    track->Play();
    processEventsFor(1000);
    EXPECT_TRUE(recorder.reports.empty()) << "without IgnoreErrors the list waits at the error";
    EXPECT_EQ(static_cast<CMiniPlaylistTrack*>(track.get())->Window().Selection(), 0);
}
