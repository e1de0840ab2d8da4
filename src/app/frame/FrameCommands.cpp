// The frame's own commands as a table: what each does, when it is enabled and when its
// menu item is checked. Commands not in the table belong to the view.
#include "AboutDialog.h"
#include "CMainFrame.h"
#include "EntryFileMenu.h"
#include "FilePropertiesDialog.h"
#include "FindDialog.h"
#include "FrameBars.h"
#include "FrameCommandIds.h"
#include "FrameFullScreen.h"
#include "FrameServices.h"
#include "FrameTray.h"
#include "app/ApplicationServices.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "engines/player/CPlayer.h"
#include "playlist/CTaviDoc.h"
#include "playlist/CommandIds.h"
#include "playlist/PlaylistModel.h"
#include "playlist/player/PlaylistPlayer.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"
#include "ui/optionsheet/CMixerDlg.h"
#include "ui/optionsheet/COptionsSheet.h"
#include "ui/optionsheet/OptionsPageRegistry.h"

#include <QFontDialog>

#include <algorithm>
#include <iterator>

namespace tavi::frame {

namespace pc = engines::playercmd;

class FrameCommandTable {
public:
    struct Entry {
        int id;
        void (*run)(CMainFrame&);
        bool (*enabled)(const CMainFrame&);
        bool (*checked)(const CMainFrame&);
    };

    static const Entry* Find(int id);

private:
    static bool Always(const CMainFrame&) { return true; }
    static bool Never(const CMainFrame&) { return false; }
    static bool BarExists(const CMainFrame& f, int id) {
        return f.bars().BarForCommand(id) != nullptr;
    }
    static bool BarShown(const CMainFrame& f, int id) {
        const QWidget* bar = f.bars().BarForCommand(id);
        return bar && bar->isVisible();
    }
    static QString SelectedPath(const CMainFrame& f) {
        const playlist::PlaylistModel& list = f.document().model();
        return list.current() >= 0 ? list.path(list.current()) : QString();
    }
    static bool VideoPlaying(const CMainFrame& f) {
        return f.view().playlistPlayer().player().IsCommandEnabled(pc::kFullScreen);
    }

    template <int Bar>
    static constexpr Entry BarEntry() {
        return {Bar, [](CMainFrame& f) { f.bars().ToggleBar(Bar); },
                [](const CMainFrame& f) { return BarExists(f, Bar); },
                [](const CMainFrame& f) { return BarShown(f, Bar); }};
    }

    static const Entry kEntries[];
};

const FrameCommandTable::Entry FrameCommandTable::kEntries[] = {
    {cmd::kNew, [](CMainFrame& f) { f.services().NewDocument(); }, Always, Never},
    {cmd::kOpen, [](CMainFrame& f) { FrameServices::OpenFile(f); }, Always, Never},
    {cmd::kSave, [](CMainFrame& f) { f.document().Save(); }, Always, Never},
    {cmd::kSaveAs, [](CMainFrame& f) { f.document().DoSave(QString()); }, Always, Never},
    {cmd::kSend, [](CMainFrame& f) { FrameServices::SendPlaylist(f); },
     [](const CMainFrame&) { return FrameServices::CanSend(); }, Never},
    {cmd::kExit, [](CMainFrame& f) { f.close(); }, Always, Never},
    {cmd::kAppExit, [](CMainFrame& f) { f.close(); }, Always, Never},
    {cmd::kAbout, [](CMainFrame& f) { AboutDialog(&f).exec(); }, Always, Never},
    {cmd::kStartup, [](CMainFrame& f) { f.services().RunStartupCommand(); }, Always, Never},
    {cmd::kHelpContents, [](CMainFrame& f) { FrameServices::OpenManual(f); }, Always, Never},
    BarEntry<cmd::kViewMainToolbar>(),
    BarEntry<cmd::kViewStatusBar>(),
    BarEntry<cmd::kViewMediaBar>(),
    BarEntry<cmd::kViewOutputWindow>(),
    BarEntry<cmd::kViewExplorerBar>(),
    {cmd::kLanguageFirst, [](CMainFrame&) {}, Always, Always},  // the built-in language
    {cmd::kAnimatedIcon,
     [](CMainFrame& f) {
         settings::viewSettings().animateIcon = !settings::viewSettings().animateIcon;
         f.tray().OnAnimateSettingChanged();
     },
     [](const CMainFrame& f) { return f.tray().CanAnimate(); },
     [](const CMainFrame&) { return settings::viewSettings().animateIcon; }},
    {cmd::kAlwaysOnTop, [](CMainFrame& f) { f.SetAlwaysOnTop(!f.IsAlwaysOnTop()); }, Always,
     [](const CMainFrame& f) { return f.IsAlwaysOnTop(); }},
    {cmd::kFont, [](CMainFrame& f) { FrameServices::ChooseFont(f); }, Always, Never},
    {cmd::kFullPath,
     [](CMainFrame& f) { f.view().SetShowPath(!settings::viewSettings().showPath); }, Always,
     [](const CMainFrame&) { return settings::viewSettings().showPath; }},
    {cmd::kTrackNumbers,
     [](CMainFrame& f) { f.view().SetShowTrackNo(!settings::viewSettings().showTrackNo); }, Always,
     [](const CMainFrame&) { return settings::viewSettings().showTrackNo; }},
    // Full screen is the video window's while a video plays. Otherwise the command is there
    // only to leave the frame's own full screen (restored from "FullScreen" at start).
    {pc::kFullScreen,
     [](CMainFrame& f) {
         if (VideoPlaying(f)) {
             f.view().OnCommand(pc::kFullScreen);
         } else {
             f.fullScreen().Toggle();
         }
     },
     [](const CMainFrame& f) { return VideoPlaying(f) || f.fullScreen().IsOn(); },
     [](const CMainFrame& f) {
         return VideoPlaying(f)
                    ? f.view().playlistPlayer().player().IsCommandChecked(pc::kFullScreen)
                    : f.fullScreen().IsOn();
     }},
    {cmd::kFind, [](CMainFrame& f) { f.OnFind(); }, Always, Never},
    {cmd::kToolsEdit, [](CMainFrame& f) { f.services().EditPrograms(); }, Always, Never},
    {cmd::kMixer, [](CMainFrame& f) { FrameServices::StartMixer(f); },
     [](const CMainFrame&) { return !settings::playerSettings().mixer.isEmpty(); }, Never},
    {cmd::kCdOpen, [](CMainFrame&) { FrameServices::MoveCdDoor(true); }, Always, Never},
    {cmd::kCdClose, [](CMainFrame&) { FrameServices::MoveCdDoor(false); }, Always, Never},
    {cmd::kOptions, [](CMainFrame& f) { FrameServices::ShowOptions(f); }, Always, Never},
    {cmd::kProperties, [](CMainFrame& f) { FilePropertiesDialog(SelectedPath(f), &f).exec(); },
     [](const CMainFrame& f) { return IsFileEntry(SelectedPath(f)); }, Never},
    // An MP3's information: the Properties sheet, with the tags.
    {cmd::kAdditionalInformation,
     [](CMainFrame& f) { FilePropertiesDialog(SelectedPath(f), &f).exec(); },
     [](const CMainFrame& f) {
         const QString path = SelectedPath(f);
         return IsFileEntry(path) && path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
     },
     Never},
    {cmd::kRestore, [](CMainFrame& f) { f.RestoreWindow(); }, Always, Never},
    {cmd::kHideWhenMinimized, [](CMainFrame& f) { f.SetHideWhenMinimized(!f.HideWhenMinimized()); },
     Always, [](const CMainFrame& f) { return f.HideWhenMinimized(); }},
    {cmd::kNextPane, [](CMainFrame& f) { FrameServices::MoveToPane(f, true); }, Always, Never},
    {cmd::kPrevPane, [](CMainFrame& f) { FrameServices::MoveToPane(f, false); }, Always, Never},
};

const FrameCommandTable::Entry* FrameCommandTable::Find(int id) {
    const auto it = std::find_if(std::begin(kEntries), std::end(kEntries),
                                 [id](const Entry& entry) { return entry.id == id; });
    return it == std::end(kEntries) ? nullptr : &*it;
}

bool CMainFrame::OnCommand(int id) {
    if (id >= cmd::kRecentFirst && id <= cmd::kRecentLast) {
        OnRecentFile(id - cmd::kRecentFirst);
        return true;
    }
    if (id >= cmd::kLanguageFirst && id <= cmd::kLanguageLast) {
        OnLanguage(id - cmd::kLanguageFirst);
        return true;
    }
    if (const FrameCommandTable::Entry* entry = FrameCommandTable::Find(id)) {
        if (entry->enabled(*this)) {
            entry->run(*this);
        }
        return true;
    }
    return m_view->OnCommand(id);
}

bool CMainFrame::IsCommandEnabled(int id) const {
    if (id >= cmd::kLanguageFirst && id <= cmd::kLanguageLast) {
        return true;
    }
    if (const FrameCommandTable::Entry* entry = FrameCommandTable::Find(id)) {
        return entry->enabled(*this);
    }
    if (playlist::CTaviView::IsKnownCommand(id) || engines::CPlayer::IsPlayerCommand(id)) {
        return m_view->IsCommandEnabled(id);
    }
    return false;
}

bool CMainFrame::IsCommandChecked(int id) const {
    if (const FrameCommandTable::Entry* entry = FrameCommandTable::Find(id)) {
        return entry->checked(*this);
    }
    return m_view->playlistPlayer().player().IsCommandChecked(id);
}

}  // namespace tavi::frame
