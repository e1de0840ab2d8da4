// A generated video played through the engine factory with the shared window registered:
// where the window goes for each VideoMode, frames in the widget, and hiding after the end.
#include "../../engines/TrackRecorder.h"
#include "VideoWindowTestSupport.h"
#include "engines/TrackFactory.h"
#include "engines/VideoPlacement.h"
#include "engines/player/CPlayer.h"
#include "support/ListHost.h"
#include "support/QtApp.h"
#include "support/TestMedia.h"
#include "ui/video/VideoSurfaceWidget.h"

#include <QScreen>
#include <QTemporaryDir>

using tavi::engines::CMediaTrack;
using tavi::settings::viewSettings;

namespace {

class VideoPlayback : public tavi::test::VideoWindowTest {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(media.isValid());
        ASSERT_TRUE(tavi::test::MakeVideo(wide(), 2.0, 320, 180));
    }
    static QString wide() { return media.path() + QStringLiteral("/clip.mkv"); }

    std::unique_ptr<CMediaTrack> open(uint32_t videoMode) {
        viewSettings().videoMode = videoMode;
        auto track = tavi::engines::CreateTrackForFile(wide(), &recorder);
        track->Open(wide());
        return track;
    }
    QRect surfaceRect() const { return window().surface()->geometry(); }

    static QTemporaryDir media;
    tavi::test::TrackRecorder recorder;
};

QTemporaryDir VideoPlayback::media;

// True when some pixel of the image is not black.
bool HasPicture(const QImage& image) {
    for (int y = 0; y < image.height(); y += 4) {
        for (int x = 0; x < image.width(); x += 4) {
            if (qGray(image.pixel(x, y)) > 40) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

TEST_F(VideoPlayback, ModeZeroSizesTheWindowToTheVideoAndTitlesIt) {
    auto track = open(0);
    ASSERT_TRUE(track->HasVideo());
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().geometry(), QRect(40, 30, 320, 180));
    EXPECT_EQ(surfaceRect(), QRect(0, 0, 320, 180));
    EXPECT_EQ(window().windowTitle(), QStringLiteral("clip - Tavi"));
    EXPECT_EQ(window().attachedTrack(), track.get());
}

TEST_F(VideoPlayback, ModeZeroSizesAnamorphicVideoToTheShapeItShowsAt) {
    const QString file = media.path() + QStringLiteral("/anamorphic.mkv");
    ASSERT_TRUE(tavi::test::RunPipeline(
        QStringLiteral("videotestsrc num-buffers=10 ! video/x-raw,width=320,height=240,"
                       "pixel-aspect-ratio=4/3,framerate=25/1 ! videoconvert ! vp8enc deadline=1 "
                       "! matroskamux ! filesink location=%1")
            .arg(tavi::test::Quoted(file))));
    viewSettings().videoMode = 0;
    auto track = tavi::engines::CreateTrackForFile(file, &recorder);
    track->Open(file);
    // 320 x 4/3; the container keeps the ratio as a display width, so allow a pixel.
    EXPECT_NEAR(window().geometry().width(), 427, 1);
    EXPECT_EQ(window().geometry().height(), 240);
    EXPECT_EQ(surfaceRect(), QRect(QPoint(0, 0), window().geometry().size()));
}

TEST_F(VideoPlayback, ModeOneFitsIntoTheCurrentSizeAndRefitsOnResize) {
    window().setGeometry(QRect(40, 30, 400, 400));
    auto track = open(1);
    EXPECT_EQ(window().geometry(), QRect(40, 30, 400, 400));
    EXPECT_EQ(surfaceRect(), QRect(0, 87, 400, 225));  // letterbox
    window().resize(800, 225);
    EXPECT_EQ(surfaceRect(), QRect(0, 0, 400, 225).translated(200, 0));  // pillarbox
}

TEST_F(VideoPlayback, ModeTwoGoesFullScreenAndModeThreeMaximisesThenFits) {
    auto full = open(2);
    EXPECT_TRUE(window().IsFullScreen());
    const QRect screen = window().screen()->geometry();
    EXPECT_EQ(window().geometry(), screen);
    EXPECT_EQ(surfaceRect(), *tavi::engines::FitVideoRect(screen.size(), QSize(16, 9)));
    full.reset();
    window().SetFullScreen(false);

    auto maximised = open(3);
    EXPECT_TRUE(window().isMaximized());
    EXPECT_EQ(surfaceRect(), *tavi::engines::FitVideoRect(window().size(), QSize(16, 9)));
    maximised.reset();

    // An already maximised window is only fitted, whatever the mode says.
    window().showMaximized();
    auto again = open(0);
    EXPECT_TRUE(window().isMaximized());
    EXPECT_EQ(surfaceRect(), *tavi::engines::FitVideoRect(window().size(), QSize(16, 9)));
}

TEST_F(VideoPlayback, PlayingShowsFramesInTheWidget) {
    auto track = open(1);
    track->Play();
    ASSERT_TRUE(waitUntil([] { return !window().surface()->currentFrame().isNull(); }, 5000));
    waitFor(300);
    const QImage shot = window().grab().toImage();
    EXPECT_TRUE(HasPicture(shot));
    EXPECT_EQ(window().surface()->currentFrame().size(), QSize(320, 180));
    // Letterbox bars stay black.
    EXPECT_EQ(qGray(shot.pixel(shot.width() / 2, 2)), 0);
    if (const QByteArray out = qgetenv("TAVI_VIDEO_SCREENSHOT"); !out.isEmpty()) {
        shot.save(QString::fromLocal8Bit(out));
    }
}

TEST_F(VideoPlayback, ClosingHidesTheWindowAfterASecondUnlessTheNextVideoOpens) {
    auto first = open(1);
    ASSERT_TRUE(window().isVisible());
    first.reset();  // closes
    EXPECT_TRUE(window().isVisible());
    EXPECT_EQ(window().attachedTrack(), nullptr);
    auto second = open(1);  // within the second
    waitFor(1500);
    EXPECT_TRUE(window().isVisible());
    second.reset();
    EXPECT_TRUE(waitUntil([] { return !window().isVisible(); }, 5000));
}

TEST_F(VideoPlayback, ASoundFileOpenedMeanwhileLeavesThePictureToThePlayingVideo) {
    const QString wav = media.path() + QStringLiteral("/tone.wav");
    ASSERT_TRUE(tavi::test::MakeWav(wav, 1.0));
    auto video = open(1);
    video->Play();
    ASSERT_TRUE(waitUntil([] { return window().surface()->framesShown() > 0; }, 5000));

    auto sound = tavi::engines::CreateTrackForFile(wav, &recorder);
    sound->Open(wav);  // as the total-length command does with a scratch track
    EXPECT_FALSE(sound->HasVideo());
    EXPECT_EQ(window().attachedTrack(), video.get());
    const int before = window().surface()->framesShown();
    EXPECT_TRUE(waitUntil([&] { return window().surface()->framesShown() > before + 3; }, 5000));
    sound.reset();
    EXPECT_TRUE(window().isVisible());
}

// A file that can only hold sound gets no video sink; one whose container may hold a picture
// does, whatever it turns out to hold.
TEST_F(VideoPlayback, OnlyAFileThatMayHoldAPictureGetsAVideoSink) {
    const QString mp3 = media.path() + QStringLiteral("/tone.MP3");
    const QString ogg = media.path() + QStringLiteral("/tone.ogg");
    ASSERT_TRUE(tavi::test::MakeMp3(mp3, 0.5));
    ASSERT_TRUE(tavi::test::MakeOgg(ogg, 0.5));
    const uint64_t before = window().surface()->surfacesMade();
    auto sound = tavi::engines::CreateTrackForFile(mp3, &recorder);
    sound->Open(mp3);
    EXPECT_EQ(window().surface()->surfacesMade(), before);
    sound = tavi::engines::CreateTrackForFile(ogg, &recorder);
    sound->Open(ogg);  // Ogg may carry Theora
    EXPECT_FALSE(sound->HasVideo());
    EXPECT_EQ(window().surface()->surfacesMade(), before + 1);
    auto video = open(1);
    EXPECT_EQ(window().surface()->surfacesMade(), before + 2);
    EXPECT_TRUE(video->HasVideo());
}

// Full Screen is the player's command for the video that plays: enabled only then, it
// switches the shared window, and its check mark is the window's state.
TEST_F(VideoPlayback, FullScreenIsEnabledOnlyForVideoAndSwitchesTheWindow) {
    using namespace tavi::engines;
    viewSettings().videoMode = 1;
    tavi::test::ListHost host({wide(), QStringLiteral("30.pause")}, 1);
    CPlayer player(host);
    player.PlayCommand();
    ASSERT_TRUE(player.IsPlaying());
    EXPECT_FALSE(player.IsCommandEnabled(playercmd::kFullScreen)) << "a pause has no video";
    player.StopCommand();
    host.selection = 0;
    player.PlayCommand();
    ASSERT_TRUE(tavi::test::processEventsUntil(
        [&] { return player.IsCommandEnabled(playercmd::kFullScreen); }, 10000));
    EXPECT_FALSE(player.IsCommandChecked(playercmd::kFullScreen));
    player.ExecuteCommand(playercmd::kFullScreen);
    EXPECT_TRUE(window().IsFullScreen());
    EXPECT_TRUE(player.IsCommandChecked(playercmd::kFullScreen));
    player.ExecuteCommand(playercmd::kFullScreen);
    EXPECT_FALSE(window().IsFullScreen());
    host.CloseCurrentTrack();
}
