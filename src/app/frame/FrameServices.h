#pragma once

namespace tavi::frame {

class CMainFrame;

// The frame's commands that open dialogs or reach out of the program: files, mail, the
// manual, fonts, the mixer program, the options sheet and the panes.
struct FrameServices {
    // File > Open: a playlist or media file through the application.
    static void OpenFile(CMainFrame& frame);
    // File > Send: a copy of the playlist attached to a new mail.
    static bool CanSend();
    static void SendPlaylist(CMainFrame& frame);
    static void OpenManual(CMainFrame& frame);
    static void ChooseFont(CMainFrame& frame);
    static void ApplyPlaylistFont(CMainFrame& frame);
    static void StartMixer(CMainFrame& frame);
    // CD Open / CD Close.
    static void MoveCdDoor(bool open);
    static void ShowOptions(CMainFrame& frame);
    // F6 and Shift+F6: the focus moves between the playlist and the explorer bar.
    static void MoveToPane(CMainFrame& frame, bool next);
};

}  // namespace tavi::frame
