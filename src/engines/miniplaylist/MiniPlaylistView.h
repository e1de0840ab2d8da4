#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace tavi::engines {

// The mini playlist's window as its playing logic sees it: a captioned tool window owned by
// the main window, showing the files (the user watches, not edits) with the one playing
// selected. The widget lives in the UI layer, which registers a provider at start-up, so
// engines never include widget headers. Destroying the view closes the window. UI thread.
class MiniPlaylistView {
public:
    virtual ~MiniPlaylistView() = default;
    virtual void SetEntries(const QStringList& files) = 0;
    virtual void SelectEntry(int row) = 0;
    // The program's error box, not blocking the playing that goes on behind it.
    virtual void ShowError(const QString& message) = 0;
};

using MiniPlaylistViewProvider = std::function<std::unique_ptr<MiniPlaylistView>(const QString&)>;

// The provider receives the window's title. Without one a mini playlist plays without a
// window and its errors go to the log.
void SetMiniPlaylistViewProvider(MiniPlaylistViewProvider provider);
std::unique_ptr<MiniPlaylistView> CreateMiniPlaylistView(const QString& title);

}  // namespace tavi::engines
