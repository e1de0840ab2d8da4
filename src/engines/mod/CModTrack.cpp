#include "CModTrack.h"

#include "engines/exceptions/CModException.h"

#include <QFileInfo>

#include <algorithm>

namespace tavi::engines {

CModTrack::~CModTrack() {
    try {
        Close();
    } catch (...) {
    }
}

void CModTrack::Open(const QString& fileName) {
    CMediaTrack::Open(fileName);
    // Asked before the library is touched, so a missing file never loads it.
    if (!QFileInfo::exists(fileName)) {
        throw CModException(CModException::FileNotFound);
    }
    CNPModDll& library = CNPModDll::Instance();
    if (!library.IsUsable()) {
        throw CModException(CModException::LibraryNotFound);
    }
    m_state = std::make_shared<ModTrackState>();
    m_state->dll = &library.Get();
    m_state->player = Dll().createEx(kPlayerParameters);
    if (!m_state->player) {
        throw CModException(CModException::InitializationError);
    }
    m_dialog = CreateModControlWindow();
    if (m_dialog) {
        Dll().setWindow(m_state->player, m_dialog->LibraryWindow());
    }
    // A file the library cannot read fails here: polled for an end that never comes, it
    // would hold the playlist for ever.
    if (!Dll().load(m_state->player, fileName.toLocal8Bit().constData())) {
        DestroyPlayer();
        throw CModException(CModException::InitializationError);
    }
    const int milliseconds = Dll().getMaxPosition(m_state->player) * 100;
    if (milliseconds != 0) {
        m_length = milliseconds / 1000.0;
    }
    m_state->length = m_length;
    m_state->stopAt = -1.0;
    Pause();
    Seek(0.0);
    StartWatcher();
}

bool CModTrack::OpenAhead(const QString& fileName) {
    Open(fileName);
    return true;
}

void CModTrack::StartWatcher() {
    m_watcher.Start(m_state, m_notifyWnd.MessagePoster(CMediaTrackNotifyWnd::kTrackEndedMessage));
}

void CModTrack::DestroyPlayer() {
    if (HasPlayer()) {
        m_state->RequestStop();
        Dll().destroy(m_state->player);
        m_state->player = nullptr;
    }
}

// A track closed while paused, or never played, has a watcher still polling: the stop
// request ends it at once instead of holding the UI thread for the whole wait.
void CModTrack::Close() {
    if (HasPlayer()) {
        if (IsPlaying()) {
            Stop();
        }
        m_state->RequestStop();
        m_watcher.WaitFor(kCloseWaitMilliseconds);
        Dll().destroy(m_state->player);
        m_state->player = nullptr;
    }
    if (m_dialog) {
        m_dialog->Hide();
    }
    CMediaTrack::Close();
}

// A track played again after a Stop is watched again, or its end would never be reported.
void CModTrack::Play() {
    if (!HasPlayer()) {
        return;
    }
    if (m_state->stopRequested) {
        m_watcher.WaitFor(kCloseWaitMilliseconds);  // it ends at once, reporting nothing
    }
    m_state->stopRequested = false;
    m_state->paused = false;
    if (!m_watcher.IsRunning()) {
        StartWatcher();
    }
    if (m_dialog) {
        m_dialog->Show();
    }
    Dll().play(m_state->player);
}

void CModTrack::PlayRange(double from, double to) {
    if (!HasPlayer()) {
        return;
    }
    m_state->stopAt = to;
    Seek(from);
    Play();
}

void CModTrack::Stop() {
    if (!IsPlaying()) {
        return;
    }
    if (IsPaused()) {
        Resume();
    }
    m_state->RequestStop();
    Dll().stop(m_state->player);
}

void CModTrack::Pause() {
    if (!HasPlayer()) {
        return;
    }
    m_state->savedPosition = GetPosition();
    m_state->paused = true;
    Dll().stop(m_state->player);
}

void CModTrack::Resume() {
    if (!HasPlayer()) {
        return;
    }
    m_state->paused = false;
    Dll().play(m_state->player);
}

bool CModTrack::IsStopped() {
    return !IsPlaying();
}

bool CModTrack::IsPlaying() {
    return HasPlayer() && Dll().isPlaying(m_state->player) != 0;
}

double CModTrack::GetPosition() {
    return HasPlayer() ? m_state->Position() : 0.0;
}

void CModTrack::Seek(double position) {
    if (!HasPlayer()) {
        return;
    }
    if (position < 0.0) {
        position = 0.0;
    }
    // A piece shorter than a second would otherwise be sent before its start.
    if (position > m_length) {
        position = std::max(0.0, m_length - 1.0);
    }
    Dll().setCurrentPosition(m_state->player, int(position * 1000 / 100));
    if (IsPaused()) {
        m_state->savedPosition = position;
    }
}

void CModTrack::SetVolume(float level) {
    if (HasPlayer()) {
        Dll().setVolume(m_state->player, int(level * 100));
    }
}

float CModTrack::GetVolume() {
    return HasPlayer() ? float(Dll().getVolume(m_state->player)) / 100.0f : 0.0f;
}

}  // namespace tavi::engines
