// Takes pictures of the main window for a look at it: a playlist of generated sounds and
// pauses playing, the options sheet, the tray menu and Find. Run under xvfb-run:
//   tavi_frame_screenshots OUTPUT_FOLDER [de]
// With "de" the German translation is registered and chosen from View > Language first,
// and the pictures' names end in "-de".
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
#include "support/LanguageHive.h"
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
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryDir>

#include <cstdio>

using namespace tavi;

namespace {

void Save(const QPixmap& picture, const QString& folder, const QString& name) {
    const QString path = QDir(folder).filePath(name);
    std::printf("%s %s\n", picture.save(path) ? "wrote" : "FAILED", qPrintable(path));
}

// Chooses a language the way the user does: the popup is filled as it opens.
void ChooseLanguage(frame::CMainFrame& window, int index) {
    QMenu* popup = window.findChild<QMenu*>(QStringLiteral("LanguagePopup"));
    Q_EMIT popup->aboutToShow();
    for (QAction* item : popup->actions()) {
        if (item->data().toInt() == 43000 + index) {
            item->trigger();
        }
    }
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
    const bool german = argc > 2 && qstrcmp(argv[2], "de") == 0;
    const QString suffix = german ? QStringLiteral("-de") : QString();

    test::ProcessRegistry registry(german ? test::LanguagesHive({test::GermanLanguage()})
                                          : QByteArray());
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
    if (german) {
        ChooseLanguage(*frame, 1);
    }
    frame->ShowFromSettings();
    frame->resize(900, 560);
    frame->move(40, 40);
    frame->OnCommand(32771);  // play
    test::processEventsFor(3500);
    Save(frame->grab(), out,
         QStringLiteral("main-window-playing") + suffix + QStringLiteral(".png"));

    QMenu* fileMenu = frame->menuBar()->actions().first()->menu();
    fileMenu->popup(frame->mapToGlobal(QPoint(8, 24)));
    test::processEventsFor(400);
    Save(Screen(), out, QStringLiteral("screen-file-menu") + suffix + QStringLiteral(".png"));
    fileMenu->hide();
    QMenu* languages = frame->findChild<QMenu*>(QStringLiteral("LanguagePopup"));
    languages->popup(frame->mapToGlobal(QPoint(200, 60)));
    test::processEventsFor(300);
    Save(languages->grab(), out, QStringLiteral("language-menu") + suffix + QStringLiteral(".png"));
    languages->hide();

    frame->OnCommand(32817);
    frame->findDialog()->textField()->setText(QStringLiteral("rain"));
    frame->findDialog()->move(520, 300);
    Q_EMIT frame->findDialog()->findNext(frame->findDialog()->Request());
    test::processEventsFor(500);
    Save(frame->findDialog()->grab(), out,
         QStringLiteral("find") + suffix + QStringLiteral(".png"));
    Save(Screen(), out, QStringLiteral("screen-find") + suffix + QStringLiteral(".png"));
    frame->findDialog()->close();

    frame->tray().menu()->popup(QPoint(700, 200));
    test::processEventsFor(500);
    Save(frame->tray().menu()->grab(), out,
         QStringLiteral("tray-menu") + suffix + QStringLiteral(".png"));
    frame->tray().menu()->hide();

    ui::COptionsSheet sheet(ui::OptionsPageRegistry::instance(), frame.get());
    sheet.show();
    sheet.SetCurrentPage(0);
    test::processEventsFor(300);
    Save(sheet.grab(), out, QStringLiteral("options-general") + suffix + QStringLiteral(".png"));
    sheet.SetCurrentPage(2);
    test::processEventsFor(300);
    Save(sheet.grab(), out, QStringLiteral("options-intro") + suffix + QStringLiteral(".png"));
    sheet.SetCurrentPage(4);
    test::processEventsFor(300);
    Save(sheet.grab(), out, QStringLiteral("options-mixer") + suffix + QStringLiteral(".png"));
    sheet.close();
    frame->OnCommand(32772);
    frame->close();
    return 0;
}
