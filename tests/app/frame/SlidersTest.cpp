// The media bar's sliders: the position slider against a scripted track, the master
// volume slider against a real mixer (PulseAudio with a null sink).
#include "FrameTestSupport.h"

#include "app/frame/CMasterVolumeSlider.h"
#include "app/frame/CPositionSlider.h"
#include "app/frame/CPositionSliderCallback.h"
#include "engines/TrackQueries.h"
#include "platform/mixer/CMixer.h"
#include "support/PulseAudioServer.h"
#include "support/QtApp.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace tavi::frame;
using tavi::test::ScriptedTrack;

namespace {

class SeekRecorder : public CPositionSliderCallback {
public:
    void Seek(double seconds) override { seeks.push_back(seconds); }
    std::vector<double> seeks;
};

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    PaintCounter(QWidget& widget, int& count) : m_count(count) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        m_count += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

private:
    int& m_count;
};

class PositionSliderTest : public testing::Test {
protected:
    PositionSliderTest() {
        slider.SetCallback(&recorder);
        track.length = 200.57;
        track.position = 12.34;
    }
    CPositionSlider slider;
    SeekRecorder recorder;
    ScriptedTrack track;
};

}  // namespace

TEST_F(PositionSliderTest, FollowsTheTrackInTenthsOfASecond) {
    EXPECT_FALSE(slider.isEnabled());
    slider.SetTrack(&track);
    EXPECT_TRUE(slider.isEnabled());
    slider.Refresh();
    EXPECT_EQ(slider.minimum(), 0);
    EXPECT_EQ(slider.maximum(), 2005);
    EXPECT_EQ(slider.value(), 123);
    track.length = 300.0;  // a stream whose length is learned late
    track.position = 250.0;
    slider.Refresh();
    EXPECT_EQ(slider.maximum(), 3000);
    EXPECT_EQ(slider.value(), 2500);
    EXPECT_TRUE(recorder.seeks.empty());  // following never seeks
}

TEST_F(PositionSliderTest, ReadErrorsAreDroppedForThatTick) {
    slider.SetTrack(&track);
    slider.Refresh();
    track.failing = true;
    track.position = 100;
    EXPECT_NO_THROW(slider.Refresh());
    EXPECT_EQ(slider.value(), 123);
    track.failing = false;
    slider.Refresh();
    EXPECT_EQ(slider.value(), 1000);
}

TEST_F(PositionSliderTest, TheRefreshTimerRunsWhileTheSliderIsSeen) {
    slider.show();
    slider.SetTrack(&track);
    track.position = 42.0;
    EXPECT_TRUE(tavi::test::processEventsUntil([&] { return slider.value() == 420; }, 2000));
}

// Nobody sees it: the track is not asked where it is, and a window seen again starts from
// where the track is at once.
TEST_F(PositionSliderTest, ItFollowsOnlyWithATrackWhileShownInASeenWindow) {
    slider.show();
    EXPECT_FALSE(slider.IsFollowing());  // no track
    slider.SetTrack(&track);
    EXPECT_TRUE(slider.IsFollowing());
    slider.SetShown(false);  // the window is minimised
    EXPECT_FALSE(slider.IsFollowing());
    track.position = 50.0;
    slider.Refresh();
    EXPECT_EQ(slider.value(), 123);
    slider.SetShown(true);
    EXPECT_TRUE(slider.IsFollowing());
    EXPECT_EQ(slider.value(), 500);
    slider.hide();  // the media bar is hidden
    EXPECT_FALSE(slider.IsFollowing());
    slider.show();
    EXPECT_TRUE(slider.IsFollowing());
    slider.SetTrack(nullptr);
    EXPECT_FALSE(slider.IsFollowing());
}

// The track is asked where it is twice a second while the thumb moves a pixel in that time,
// once a second otherwise (a long track, an unknown length).
TEST_F(PositionSliderTest, ItRefreshesTwiceASecondWhileTheThumbMovesThatOften) {
    slider.resize(300, 24);
    slider.show();
    track.length = 10.0;
    slider.SetTrack(&track);
    EXPECT_EQ(slider.RefreshIntervalMs(), CPositionSlider::kRefreshIntervalMs);
    track.length = 240.0;  // 0.8 s a pixel at most
    slider.Refresh();
    EXPECT_EQ(slider.RefreshIntervalMs(), CPositionSlider::kSlowestRefreshMs);
    slider.resize(3000, 24);  // a wider slider moves its thumb more often
    EXPECT_EQ(slider.RefreshIntervalMs(), CPositionSlider::kRefreshIntervalMs);
    track.length = -1.0;
    slider.Refresh();
    EXPECT_EQ(slider.RefreshIntervalMs(), CPositionSlider::kSlowestRefreshMs);
}

// A tick comes just after the track reaches its next step, so that the tick of a whole second
// shares its wake-up with the position pane's; a paused track is looked at a second later.
TEST_F(PositionSliderTest, ItTicksJustAfterTheTrackReachesItsNextStep) {
    slider.resize(300, 24);
    slider.show();
    track.length = 10.0;  // steps of half a second
    track.position = 2.34;
    slider.SetTrack(&track);
    // A coarse timer may come up to 5% of its interval early or late.
    EXPECT_NEAR(slider.MsUntilNextTick(), 160 + tavi::engines::kAfterStepMs, 15);
    track.position = 2.615;
    slider.Refresh();
    EXPECT_NEAR(slider.MsUntilNextTick(), 385 + tavi::engines::kAfterStepMs, 25);
    slider.Refresh();  // it stands still
    EXPECT_NEAR(slider.MsUntilNextTick(), 500, 30);
    track.paused = true;
    slider.Refresh();
    EXPECT_NEAR(slider.MsUntilNextTick(), CPositionSlider::kSlowestRefreshMs, 50)
        << "a paused track is looked at once a second";
    track.paused = false;
    track.length = 240.0;  // a step of a second: the ticks fall on whole seconds
    track.position = 7.5;
    slider.Refresh();
    EXPECT_NEAR(slider.MsUntilNextTick(), 500 + tavi::engines::kAfterStepMs, 30);
}

// A long track moves the thumb by a pixel every few refreshes; the others paint nothing.
TEST_F(PositionSliderTest, ItRepaintsOnlyWhenTheThumbMoves) {
    slider.resize(200, 24);
    slider.show();
    track.length = 3600.0;
    track.position = 10.0;
    slider.SetTrack(&track);
    int paints = 0;
    PaintCounter counter(slider, paints);
    ASSERT_TRUE(tavi::test::processEventsUntil([&] { return paints > 0; }, 2000));
    QCoreApplication::processEvents();
    paints = 0;
    track.position = 10.1;  // one unit of 36,000 on 200 pixels
    slider.Refresh();
    QCoreApplication::processEvents();
    EXPECT_EQ(slider.value(), 101);
    EXPECT_EQ(paints, 0);
    track.position = 1800.0;
    slider.Refresh();
    QCoreApplication::processEvents();
    EXPECT_GT(paints, 0);
}

TEST_F(PositionSliderTest, StepsAndPagesSeekAtOnce) {
    slider.SetTrack(&track);
    slider.Refresh();
    const struct {
        QAbstractSlider::SliderAction action;
        double expected;
    } cases[] = {
        {QAbstractSlider::SliderPageStepAdd, 22.3},   {QAbstractSlider::SliderSingleStepAdd, 23.3},
        {QAbstractSlider::SliderSingleStepSub, 22.3}, {QAbstractSlider::SliderPageStepSub, 12.3},
        {QAbstractSlider::SliderToMaximum, 200.5},    {QAbstractSlider::SliderToMinimum, 0.0}};
    for (const auto& c : cases) {
        recorder.seeks.clear();
        slider.triggerAction(c.action);
        ASSERT_EQ(recorder.seeks.size(), 1u) << c.action;
        EXPECT_DOUBLE_EQ(recorder.seeks[0], c.expected) << c.action;
    }
}

TEST_F(PositionSliderTest, DraggingSeeksOnlyWhenReleasedAndTheTimerLeavesTheThumb) {
    slider.SetTrack(&track);
    slider.Refresh();
    slider.setSliderDown(true);
    slider.setSliderPosition(1500);  // SliderMove while dragging
    EXPECT_TRUE(slider.IsDragging());
    EXPECT_TRUE(recorder.seeks.empty());
    track.position = 13.0;
    slider.Refresh();
    EXPECT_EQ(slider.sliderPosition(), 1500);
    EXPECT_DOUBLE_EQ(slider.GetThumbSeconds(), 150.0);
    slider.setSliderDown(false);
    ASSERT_EQ(recorder.seeks.size(), 1u);
    EXPECT_DOUBLE_EQ(recorder.seeks[0], 150.0);
}

TEST_F(PositionSliderTest, WithoutATrackNothingSeeksAndTheThumbRests) {
    slider.SetTrack(&track);
    slider.Refresh();
    slider.SetTrack(nullptr);
    EXPECT_FALSE(slider.isEnabled());
    EXPECT_EQ(slider.value(), 0);
    slider.triggerAction(QAbstractSlider::SliderPageStepAdd);
    slider.Refresh();
    EXPECT_TRUE(recorder.seeks.empty());
}

TEST(MasterVolumeSlider, ShowsAndWritesTheRealMasterVolume) {
    tavi::test::PulseAudioServer server;
    ASSERT_TRUE(server.isReady());
    tavi::mixer::MasterVolume master;
    master.Set(32768);
    CMasterVolumeSlider slider;
    QStringList reports;
    slider.SetErrorReporter([&](const QString& message) { reports.append(message); });
    ASSERT_TRUE(slider.IsUsable());
    EXPECT_TRUE(slider.isEnabled());
    EXPECT_EQ(slider.value(), 500);
    EXPECT_EQ(slider.pageStep(), 100);
    EXPECT_EQ(slider.singleStep(), 10);
    EXPECT_EQ(slider.tickInterval(), 100);
    EXPECT_EQ(slider.maximum(), 1000);

    const struct {
        int position;
        uint32_t volume;
    } cases[] = {{250, 16383u}, {0, 0u}, {1000, 65535u}, {999, 65469u}, {1, 65u}};
    for (const auto& c : cases) {
        slider.setSliderPosition(c.position);  // the thumb dragged there
        uint32_t seen = master.Get();
        for (int i = 0; i < 100 && seen != c.volume; ++i) {  // the server passes it on
            QThread::msleep(2);
            seen = master.Get();
        }
        EXPECT_EQ(seen, c.volume) << c.position;
    }
    // A change made by another program moves the slider on the next refresh.
    master.Set(16384);
    for (int i = 0; i < 100 && slider.value() != 250; ++i) {
        QThread::msleep(2);
        slider.UpdateFromMixer();
    }
    EXPECT_EQ(slider.value(), 250);
    EXPECT_TRUE(reports.isEmpty());
}

TEST(MasterVolumeSlider, WithoutAMixerTheSliderIsUnusable) {
    QTemporaryDir empty;
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray pulse = qgetenv("PULSE_SERVER");
    tavi::test::withoutAnySoundServer(empty);
    {
        CMasterVolumeSlider slider;
        QStringList reports;
        slider.SetErrorReporter([&](const QString& message) { reports.append(message); });
        EXPECT_FALSE(slider.IsUsable());
        EXPECT_FALSE(slider.isEnabled());
        slider.UpdateFromMixer();
        slider.triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_FALSE(slider.isEnabled());
        EXPECT_TRUE(reports.isEmpty());  // a mixer missing from the start is not an error
    }
    qputenv("XDG_RUNTIME_DIR", runtime);
    qputenv("PULSE_SERVER", pulse);
}
