// Takes pictures of the main window for a look at it: a playlist of generated sounds and
// pauses playing, the options sheet, the tray menu and Find. Run under xvfb-run:
//   tavi_frame_screenshots OUTPUT_FOLDER
#include "FrameTestSupport.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/FindDialog.h"
#include "app/frame/FrameTray.h"
#include "app/settings/AppKey.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "app/settings/ViewSettings.h"
#include "playlist/CTaviDoc.h"
#include "playlist/PlaylistModel.h"
#include "support/ProcessRegistry.h"
#include "support/PulseAudioServer.h"
#include "support/QtApp.h"
#include "support/TestMedia.h"
#include "ui/optionsheet/COptionsSheet.h"
#include "ui/optionsheet/OptionsPageRegistry.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>

using namespace tavi;

namespace {

void Save(const QPixmap& picture, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    std::printf("%s %s\n", picture.save(path) ? "wrote" : "FAILED", qPrintable(path));
}

QPixmap Screen() {
    return QGuiApplication::primaryScreen()->grabWindow(0);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavi"));
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);

    test::ProcessRegistry registry;
    test::PulseAudioServer sound;  // a real mixer for the volume slider
    QTemporaryDir media;
    QStringList entries;
    const char* names[] = {"Morning Light.wav", "Harbour Walk.wav", "Slow Rain.wav",
                           "City at Night.wav"};
    for (const char* name : names) {
        const QString path = media.filePath(QString::fromUtf8(name));
        test::MakeWav(path, 20.0);
        entries.append(path);
    }
    entries.insert(2, QStringLiteral("10.pause"));
    entries.append(QStringLiteral("30.pause"));

    settings::playerSettings() = settings::PlayerSettings::defaults();
    settings::playerSettings().fadeOut = false;
    {
        settings::PlayerSettings folder;
        folder.mediaDir = media.path();
        reg::RegKey key =
            settings::openApplicationKey(reg::Registry::instance(), settings::keys::kSettings);
        settings::saveMediaDir(key, folder);
    }
    settings::viewSettings() = settings::ViewSettings{};
    playlist::CTaviDoc document;
    document.NewDocument();
    document.SetTitle(QStringLiteral("Evening.alb"));
    document.model().reset(entries, 1);
    test::RecordingServices services;
    auto frame = frame::CreateMainFrame(document, services);
    frame->ShowFromSettings();
    frame->resize(900, 560);
    frame->move(40, 40);
    frame->OnCommand(32771);  // play
    test::processEventsFor(3500);
    Save(frame->grab(), out, QStringLiteral("main-window-playing.png"));

    frame->OnCommand(32817);
    frame->findDialog()->textField()->setText(QStringLiteral("rain"));
    frame->findDialog()->move(520, 300);
    Q_EMIT frame->findDialog()->findNext(frame->findDialog()->Request());
    test::processEventsFor(500);
    Save(frame->findDialog()->grab(), out, QStringLiteral("find.png"));
    Save(Screen(), out, QStringLiteral("screen-find.png"));
    frame->findDialog()->close();

    frame->tray().menu()->popup(QPoint(700, 200));
    test::processEventsFor(500);
    Save(frame->tray().menu()->grab(), out, QStringLiteral("tray-menu.png"));
    frame->tray().menu()->hide();

    ui::COptionsSheet sheet(ui::OptionsPageRegistry::instance(), frame.get());
    sheet.show();
    sheet.SetCurrentPage(0);
    test::processEventsFor(300);
    Save(sheet.grab(), out, QStringLiteral("options-general.png"));
    sheet.SetCurrentPage(2);
    test::processEventsFor(300);
    Save(sheet.grab(), out, QStringLiteral("options-intro.png"));
    sheet.SetCurrentPage(4);
    test::processEventsFor(300);
    Save(sheet.grab(), out, QStringLiteral("options-mixer.png"));
    sheet.close();
    frame->OnCommand(32772);
    frame->close();
    return 0;
}
