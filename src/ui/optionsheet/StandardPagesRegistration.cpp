#include "CMixerDlg.h"
#include "OptionsPageRegistry.h"
#include "PlaybackPage.h"
#include "StandardPages.h"

namespace tavi::ui {

void RegisterStandardOptionsPages(OptionsPageRegistry& registry) {
    registry.Register(QStringLiteral("General"),
                      [](QWidget* parent) { return new GeneralPage(parent); });
    registry.Register(QStringLiteral("Music Folder"),
                      [](QWidget* parent) { return new MusicFolderPage(parent); });
    registry.Register(QStringLiteral("Intro"),
                      [](QWidget* parent) { return new IntroPage(parent); });
    registry.Register(QStringLiteral("Video"),
                      [](QWidget* parent) { return new VideoPage(parent); });
    registry.Register(QStringLiteral("Mixer"),
                      [](QWidget* parent) { return new CMixerDlg(parent); });
    registry.Register(QStringLiteral("Priority"),
                      [](QWidget* parent) { return new PriorityPage(parent); });
    registry.Register(QStringLiteral("Playback"),
                      [](QWidget* parent) { return new PlaybackPage(parent); });
}

}  // namespace tavi::ui
