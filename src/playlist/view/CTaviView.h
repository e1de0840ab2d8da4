#pragma once

#include <QStringList>
#include <QWidget>

#include <optional>

namespace tavi::playlist {

class CdDataEdit;
class CPlayListBox;
class CTaviDoc;
class PlaylistEditor;
class PlaylistPlayer;

// The playlist view: shows the document's list in a CPlayListBox and turns commands (by
// id), keys, dialogs, the clipboard and drops into the editor's operations. It is also the
// player: player commands go to its PlaylistPlayer.
class CTaviView : public QWidget {
    Q_OBJECT
public:
    explicit CTaviView(CTaviDoc& document, QWidget* parent = nullptr);
    ~CTaviView() override;

    CTaviDoc& document() { return m_document; }
    CPlayListBox* listBox() const { return m_list; }
    PlaylistPlayer& playlistPlayer() { return *m_player; }

    // Runs a command by its id; false if the view does not handle it.
    bool OnCommand(int id);
    // Whether a command is available now (the idle pass's enable state).
    bool IsCommandEnabled(int id) const;
    static bool IsKnownCommand(int id);

    // "CurSel": the selection restored after the recent playlist is reopened, and kept
    // in the view settings when the view goes.
    void RestoreSelection();

    // View > Show Path / Show Track Numbers.
    void SetShowPath(bool on);
    void SetShowTrackNo(bool on);

    // The drop of files and folders from the file manager (also used by the list).
    void DropFiles(const QStringList& paths);

protected:
    // Escape ends Total Length wherever the focus is. (The wheel over the list scrolls it;
    // seeking by wheel is the position slider's.)
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Information for the user (Total Length's result).
    virtual void ShowInformation(const QString& message);

    // The dialogs and messages, virtual so that tests can answer them.
    virtual QStringList PromptAddTracks();
    virtual std::optional<int> PromptPauseLength(int initial);
    virtual std::optional<QString> PromptNewTitle(const QString& title);
    // "Edit CD data base" on the data; true on OK with the data edited.
    virtual bool PromptCdData(CdDataEdit& data);
    virtual void ShowError(const QString& message);
    // Delete File asks first: true moves the file to the trash.
    virtual bool ConfirmDeleteFile(const QString& displayName, const QString& path);

private:
    class CommandTable;
    void connectDocument();
    void OnRename();
    void OnDeleteFile();
    void OnEditCdData(const QString& entry);
    void OnAddAllCdTracks();
    void OnCopy(bool cut);
    void OnPaste();

    CTaviDoc& m_document;
    PlaylistEditor& m_editor;
    CPlayListBox* m_list;
    PlaylistPlayer* m_player;
    bool m_watchingEscape = false;
};

}  // namespace tavi::playlist
