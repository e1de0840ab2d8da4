#include "TrackRecorder.h"
#include "engines/TrackFactory.h"
#include "engines/pause/CPauseTrack.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

using tavi::engines::CPauseTrack;
using tavi::test::processEventsFor;
using tavi::test::processEventsUntil;

namespace {

constexpr int kTick = 100;

class PauseTrack : public testing::Test {
protected:
    void SetUp() override { tavi::test::coreApplication(); }

    std::unique_ptr<tavi::engines::CMediaTrack> open(const QString& name) {
        auto track = tavi::engines::CreateTrackForFile(name, &recorder);
        track->Open(name);
        return track;
    }
    // Waits for the end report and returns when it came, in ms after start().
    qint64 waitForEnd(int timeoutMs) {
        EXPECT_TRUE(processEventsUntil([&] { return !recorder.reports.empty(); }, timeoutMs));
        return recorder.reports.empty() ? -1 : recorder.reports.front().atMs;
    }

    tavi::test::TrackRecorder recorder;
};

}  // namespace

TEST(PauseLength, ComesFromTheNumberInTheName) {
    struct Case {
        const char* name;
        long seconds;
    };
    const Case cases[] = {{"10.pause", 10}, {"/any/folder/3.PAUSE", 3}, {"0.pause", 0},
                          {"-2.pause", -2}, {"short.pause", 1},         {"7 minutes.pause", 7},
                          {".pause", 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(CPauseTrack::LengthFromName(QString::fromUtf8(c.name)), c.seconds) << c.name;
    }
}

TEST_F(PauseTrack, EndsAfterItsLengthAndReportsOnce) {
    auto track = open(QStringLiteral("1.pause"));
    EXPECT_EQ(track->GetLength(), 1.0);
    EXPECT_TRUE(track->IsStopped());
    recorder.start();
    track->Play();
    EXPECT_TRUE(track->IsPlaying());
    const qint64 end = waitForEnd(3000);
    EXPECT_GE(end, 1000);
    EXPECT_LE(end, 1000 + 3 * kTick);
    processEventsFor(300);
    ASSERT_EQ(recorder.reports.size(), 1u);
    EXPECT_TRUE(recorder.reports.front().ended);
    EXPECT_EQ(recorder.reports.front().track, track.get());
    EXPECT_TRUE(track->IsPlaying()) << "the player, not the pause, stops the track";
}

TEST_F(PauseTrack, ZeroLengthEndsAtTheFirstTick) {
    auto track = open(QStringLiteral("0.pause"));
    recorder.start();
    track->Play();
    const qint64 end = waitForEnd(1000);
    EXPECT_GE(end, kTick - 5);
    EXPECT_LE(end, 3 * kTick);
}

TEST_F(PauseTrack, PausingFreezesThePositionAndDelaysTheEnd) {
    auto track = open(QStringLiteral("1.pause"));
    recorder.start();
    track->Play();
    processEventsFor(300);
    track->Pause();
    EXPECT_TRUE(track->IsPaused());
    const double frozen = track->GetPosition();
    EXPECT_NEAR(frozen, 0.3, 0.05);
    processEventsFor(700);
    EXPECT_EQ(track->GetPosition(), frozen);
    EXPECT_TRUE(recorder.reports.empty()) << "a paused pause must not end";
    track->Resume();
    EXPECT_TRUE(track->IsPlaying());
    const qint64 end = waitForEnd(3000);
    EXPECT_GE(end, 1700);
    EXPECT_LE(end, 1700 + 3 * kTick);
}

TEST_F(PauseTrack, SeekShortensOrLengthensTheRunInAnyState) {
    auto track = open(QStringLiteral("10.pause"));
    recorder.start();
    track->Play();
    processEventsFor(200);
    track->Seek(8.5);
    EXPECT_NEAR(track->GetPosition(), 8.5, 0.05);
    const qint64 end = waitForEnd(4000);
    EXPECT_GE(end, 1700);
    EXPECT_LE(end, 1700 + 3 * kTick);

    auto paused = open(QStringLiteral("2.pause"));
    recorder.reports.clear();
    recorder.start();
    paused->Play();
    paused->Pause();
    paused->Seek(1.5);
    EXPECT_EQ(paused->GetPosition(), 1.5);
    paused->Resume();
    const qint64 pausedEnd = waitForEnd(3000);
    EXPECT_GE(pausedEnd, 500);
    EXPECT_LE(pausedEnd, 500 + 3 * kTick);
}

TEST_F(PauseTrack, StopAndCloseNeverReportAnEnd) {
    auto track = open(QStringLiteral("0.pause"));
    track->Play();
    track->Stop();
    EXPECT_TRUE(track->IsStopped());
    track->Play();
    track->Pause();
    track->Close();  // while paused: the worker must still be ended
    processEventsFor(300);
    EXPECT_TRUE(recorder.reports.empty());
    track->Close();  // a second close (as the destructor does) is harmless
}

TEST_F(PauseTrack, PlayRestartsFromTheBeginningAndAFinishedRunCanBeReplayed) {
    auto track = open(QStringLiteral("1.pause"));
    recorder.start();
    track->Play();
    processEventsFor(500);
    track->Play();
    EXPECT_LT(track->GetPosition(), 0.05);
    const qint64 first = waitForEnd(3000);
    EXPECT_GE(first, 1500);
    track->Seek(0);
    track->Play();
    EXPECT_TRUE(processEventsUntil([&] { return recorder.reports.size() == 2; }, 3000));
}
