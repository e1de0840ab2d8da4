// The view's commands as a table: what each does and when it is enabled. Player commands
// go to the player's own table.
#include "CTaviView.h"
#include "playlist/CTaviDoc.h"
#include "playlist/CommandIds.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "playlist/player/PlaylistPlayer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <algorithm>
#include <iterator>

namespace tavi::playlist {

class CTaviView::CommandTable {
public:
    struct Entry {
        int id;
        void (*run)(CTaviView&);
        bool (*enabled)(const CTaviView&);
        // Changes the list, so it waits while a long operation holds the list.
        bool edits;
    };

    static const Entry* Find(int id);

private:
    static bool Always(const CTaviView&) { return true; }
    static bool Selected(const CTaviView& v) { return v.m_document.model().current() >= 0; }
    static bool NotEmpty(const CTaviView& v) { return v.m_document.model().count() > 0; }
    static bool ClipboardHasText(const CTaviView&) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data != nullptr && data->hasText();
    }

    static const Entry kEntries[];
};

const CTaviView::CommandTable::Entry CTaviView::CommandTable::kEntries[] = {
    {cmd::kAddTracks, [](CTaviView& v) { v.m_editor.AddTracks(v.PromptAddTracks()); }, Always,
     true},
    {cmd::kAddPause, [](CTaviView& v) { v.m_editor.AddPause(); }, Always, true},
    {cmd::kAddCdTracks, [](CTaviView& v) { v.OnAddAllCdTracks(); }, Always, true},
    {cmd::kRemove, [](CTaviView& v) { v.m_editor.Remove(); }, Selected, true},
    {cmd::kClearAll, [](CTaviView& v) { v.m_editor.ClearAll(); }, NotEmpty, true},
    {cmd::kCopy, [](CTaviView& v) { v.OnCopy(false); }, Selected, false},
    {cmd::kCut, [](CTaviView& v) { v.OnCopy(true); }, Selected, true},
    {cmd::kPaste, [](CTaviView& v) { v.OnPaste(); }, ClipboardHasText, true},
    {cmd::kMoveUp, [](CTaviView& v) { v.m_editor.MoveUp(); }, Selected, true},
    {cmd::kMoveDown, [](CTaviView& v) { v.m_editor.MoveDown(); }, Selected, true},
    {cmd::kMoveToBottom, [](CTaviView& v) { v.m_editor.MoveToBottom(); }, Selected, true},
    {cmd::kMoveToTop, [](CTaviView& v) { v.m_editor.MoveToTop(); }, Selected, true},
    {cmd::kSort, [](CTaviView& v) { v.m_editor.Sort(); }, NotEmpty, true},
    {cmd::kShuffle, [](CTaviView& v) { v.m_editor.Shuffle(); },
     [](const CTaviView& v) { return v.m_editor.CanShuffle(); }, true},
    {cmd::kDeleteFile, [](CTaviView& v) { v.OnDeleteFile(); }, Selected, true},
    {cmd::kRename, [](CTaviView& v) { v.OnRename(); }, Selected, true},
    {cmd::kUndo, [](CTaviView& v) { v.m_document.OnEditUndo(); },
     [](const CTaviView& v) { return v.m_document.CanUndo(); }, true},
    {cmd::kRedo, [](CTaviView& v) { v.m_document.OnEditRedo(); },
     [](const CTaviView& v) { return v.m_document.CanRedo(); }, true},
    {cmd::kTotalLength, [](CTaviView& v) { v.m_player->TotalLength(); }, NotEmpty, true},
};

const CTaviView::CommandTable::Entry* CTaviView::CommandTable::Find(int id) {
    const auto* found = std::find_if(std::begin(kEntries), std::end(kEntries),
                                     [id](const Entry& entry) { return entry.id == id; });
    return found == std::end(kEntries) ? nullptr : found;
}

bool CTaviView::OnCommand(int id) {
    if (engines::CPlayer::IsPlayerCommand(id)) {
        m_player->RunPlayerCommand(id);
        return true;
    }
    const CommandTable::Entry* entry = CommandTable::Find(id);
    if (!entry) {
        return false;
    }
    if (IsCommandEnabled(id)) {  // a disabled command does nothing, but is handled
        entry->run(*this);
    }
    return true;
}

bool CTaviView::IsKnownCommand(int id) {
    return CommandTable::Find(id) != nullptr;
}

bool CTaviView::IsCommandEnabled(int id) const {
    if (engines::CPlayer::IsPlayerCommand(id)) {
        return m_player->player().IsCommandEnabled(id);
    }
    const CommandTable::Entry* entry = CommandTable::Find(id);
    if (!entry) {
        return true;
    }
    return !(entry->edits && m_editor.IsBusy()) && entry->enabled(*this);
}

}  // namespace tavi::playlist
