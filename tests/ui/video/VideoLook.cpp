// Plays a generated video in the shared window and saves a picture of the whole screen, to
// look at what the user would see:
//   tavi_video_look MODE OUT.png [WIDTH HEIGHT [WINDOW_W WINDOW_H]]
#include "../../engines/TrackRecorder.h"
#include "app/settings/ViewSettings.h"
#include "engines/TrackFactory.h"
#include "support/TestMedia.h"
#include "ui/video/CMediaTrackVideoWnd.h"
#include "ui/video/VideoSurfaceWidget.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <cstdio>

namespace {

void Wait(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

int Argument(const QStringList& arguments, int index, int fallback) {
    return arguments.size() > index ? arguments[index].toInt() : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: tavi_video_look MODE OUT.png [W H [WINDOW_W WINDOW_H]]\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString video = dir.filePath(QStringLiteral("look.mkv"));
    if (!tavi::test::MakeVideo(video, 3.0, Argument(arguments, 3, 320),
                               Argument(arguments, 4, 180))) {
        std::fprintf(stderr, "could not make the video\n");
        return 1;
    }
    tavi::settings::viewSettings().videoMode = uint32_t(arguments[1].toInt());
    tavi::settings::viewSettings().videoRect = {100, 80, 100 + Argument(arguments, 5, 480),
                                                80 + Argument(arguments, 6, 360)};
    // A grey desktop, so that the window's black letterbox bars show against it.
    QWidget desktop;
    desktop.setStyleSheet(QStringLiteral("background: #808080"));
    desktop.setGeometry(QApplication::primaryScreen()->geometry());
    desktop.show();
    Wait(200);
    tavi::ui::CMediaTrackVideoWnd::Register();
    tavi::test::TrackRecorder recorder;
    auto track = tavi::engines::CreateTrackForFile(video, &recorder);
    track->Open(video);
    track->Play();
    Wait(1500);
    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0);
    shot.save(arguments[2]);
    const auto& window = tavi::ui::CMediaTrackVideoWnd::Instance();
    const QRect picture = window.surface()->geometry();
    std::printf("%s; picture at %d,%d %dx%d in the client area; ",
                window.surface()->mode() == tavi::ui::VideoSurfaceWidget::Mode::Overlay
                    ? "ximagesink overlay"
                    : "frames painted by the widget",
                picture.x(), picture.y(), picture.width(), picture.height());
    std::printf("window %d,%d %dx%d, title \"%s\"\n",
                tavi::ui::CMediaTrackVideoWnd::Instance().geometry().x(),
                tavi::ui::CMediaTrackVideoWnd::Instance().geometry().y(),
                tavi::ui::CMediaTrackVideoWnd::Instance().width(),
                tavi::ui::CMediaTrackVideoWnd::Instance().height(),
                qPrintable(tavi::ui::CMediaTrackVideoWnd::Instance().windowTitle()));
    track.reset();
    return 0;
}
