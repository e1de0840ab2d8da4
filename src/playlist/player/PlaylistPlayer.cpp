#include "PlaylistPlayer.h"

#include "LengthMeasure.h"
#include "TotalLengthRun.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "engines/TrackFactory.h"
#include "engines/TrackQueries.h"
#include "platform/errors/CException.h"
#include "playlist/CTaviDoc.h"
#include "playlist/FormatDuration.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"

#include <algorithm>
#include <cmath>

namespace tavi::playlist {

PlaylistPlayer::PlaylistPlayer(CTaviDoc& document, QObject* parent)
    : QObject(parent), m_document(document), m_host(document), m_player(m_host) {
    m_player.SetMode(settings::viewSettings().playerMode);
    connect(&m_player, &engines::CPlayer::modeChanged, this,
            [](uint32_t mode) { settings::viewSettings().playerMode = mode; });
    connect(&document, &CTaviDoc::playFileRequested, this,
            [this](const QString& path) { m_player.PlayFile(path); });
    connect(&document, &CTaviDoc::documentInitialized, this, &PlaylistPlayer::StartAutoPlayTimer);

    PlaylistEditor::Hooks& hooks = document.editor().hooks();
    hooks.isPlaying = [this] { return m_player.IsPlaying(); };
    hooks.playingFile = [this] {
        engines::CMediaTrack* track = m_document.GetCurrentTrack();
        return track ? track->GetFileName() : QString();
    };
    hooks.stopPlayback = [this](std::function<void()> then) {
        m_player.FadeOutAndStop(std::move(then));
    };
    connect(&document.editor(), &PlaylistEditor::playRequested, this,
            [this] { m_player.PlayCommand(); });

    // Every pass times the next one, from where the track then stands.
    m_idleTimer.setSingleShot(true);
    connect(&m_idleTimer, &QTimer::timeout, this, &PlaylistPlayer::RunIdlePass);
    m_idleSoon.setSingleShot(true);
    m_idleSoon.setInterval(0);
    connect(&m_idleSoon, &QTimer::timeout, this, &PlaylistPlayer::RunIdlePass);
    connect(&m_player, &engines::CPlayer::trayStateChanged, this, [this] {
        UpdateIdleTimer();
        RequestIdle();
    });
    UpdateIdleTimer();
    m_autoPlayTimer.setSingleShot(true);
    m_autoPlayTimer.setInterval(kAutoPlayDelayMs);
    connect(&m_autoPlayTimer, &QTimer::timeout, this, [this] {
        if (m_host.GetSelection() >= 0 && !m_player.IsPlaying()) {
            m_player.PlayCommand();
        }
    });
    StartAutoPlayTimer();
}

PlaylistPlayer::~PlaylistPlayer() {
    m_idleTimer.stop();
    m_idleSoon.stop();
    PlaylistEditor::Hooks& hooks = m_document.editor().hooks();
    hooks.isPlaying = nullptr;
    hooks.playingFile = nullptr;
    hooks.stopPlayback = nullptr;
    if (m_player.IsPlaying()) {
        m_player.StopCommand();  // no event loop will run the fade's steps any more
    }
}

void PlaylistPlayer::SetMessageHandlers(std::function<void(const QString&)> error,
                                        std::function<void(const QString&)> information) {
    m_showError = error;
    m_showInformation = std::move(information);
    m_host.showError = std::move(error);
}

void PlaylistPlayer::SetIdleShown(bool shown) {
    const bool shownAgain = shown && !m_idleShown;
    m_idleShown = shown;
    if (!shown) {
        m_idleSoon.stop();
    }
    UpdateIdleTimer();
    if (shownAgain) {
        RequestIdle();
    }
}

void PlaylistPlayer::RequestIdle() {
    if (m_idleShown && !m_idleSoon.isActive()) {
        m_idleSoon.start();
    }
}

// While a track plays the position pane follows it, and it shows whole seconds: a pass
// just after the position reaches the next one shows every second on time, where a fixed
// fast timer woke the program five times as often. Commands change on the user's input and
// the player's state (RequestIdle); a slow pass catches the rest (the mixer, automation's
// edits).
int PlaylistPlayer::IdleInterval() const {
    if (!m_idleShown) {
        return 0;
    }
    engines::CMediaTrack* track = m_player.IsPlaying() ? m_document.GetCurrentTrack() : nullptr;
    if (!track) {
        return kStoppedIdleIntervalMs;
    }
    // A paused track's second does not change: its next one is not due.
    return engines::MsUntilNextSecond(*track);
}

void PlaylistPlayer::UpdateIdleTimer() {
    const int interval = IdleInterval();
    if (interval == 0) {
        m_idleTimer.stop();
    } else {
        m_idleTimer.start(interval);
    }
}

void PlaylistPlayer::RunIdlePass() {
    m_idleSoon.stop();
    Q_EMIT idle();
    UpdateIdleTimer();
}

void PlaylistPlayer::StartAutoPlayTimer() {
    if (settings::playerSettings().autoPlay) {
        m_autoPlayTimer.start();
    }
}

QString PlaylistPlayer::PositionPaneText(std::optional<double> draggedSeconds) const {
    engines::CMediaTrack* track = m_document.GetCurrentTrack();
    if (!track) {
        return {};
    }
    try {
        return FormatDurationSeconds(draggedSeconds ? *draggedSeconds : track->GetPosition());
    } catch (const errors::CException&) {
        return {};
    }
}

PlaylistPlayer::LengthPane PlaylistPlayer::LengthPaneState() {
    if (engines::CMediaTrack* track = m_document.GetCurrentTrack()) {
        try {
            return {FormatDurationSeconds(track->GetLength()), true};
        } catch (const errors::CException&) {
            return {kUnknownDuration, false};
        }
    }
    const int selection = m_host.GetSelection();
    if (selection < 0 || !settings::viewSettings().showSongLength) {
        return {QString(), false};
    }
    const QString path = m_host.GetEntry(selection);
    if (path != m_lengthPath) {
        m_lengthPath = path;
        m_lengthMeasure = std::make_unique<LengthMeasure>(path);
        m_lengthCache = {kUnknownDuration, false};
    }
    // A file its engine opens in the background shows its length at a later idle pass.
    if (m_lengthMeasure && m_lengthMeasure->IsDone()) {
        const std::optional<double>& length = m_lengthMeasure->Length();
        m_lengthCache = length ? LengthPane{FormatDurationSeconds(*length), true}
                               : LengthPane{kUnknownDuration, false};
        m_lengthMeasure.reset();
    }
    return m_lengthCache;
}

void PlaylistPlayer::RunPlayerCommand(int id) {
    if (m_player.IsCommandEnabled(id)) {
        m_player.ExecuteCommand(id);
    }
}

void PlaylistPlayer::TotalLength() {
    if (IsTotalLengthRunning()) {
        return;
    }
    if (!m_totalLength) {
        m_totalLength = new TotalLengthRun(m_document, m_player, this);
        connect(m_totalLength, &TotalLengthRun::progress, this, [this](const QString& sum) {
            Q_EMIT totalLengthRunning(tr("Calculating total length..."), sum);
        });
        connect(m_totalLength, &TotalLengthRun::finished, this, &PlaylistPlayer::TotalLengthEnded);
    }
    m_totalLengthWait.emplace();
    Q_EMIT totalLengthRunning(tr("Calculating total length..."), FormatDuration(0));
    m_totalLength->Start();
}

void PlaylistPlayer::CancelTotalLength() {
    if (IsTotalLengthRunning()) {
        m_totalLength->Cancel();
    }
}

bool PlaylistPlayer::IsTotalLengthRunning() const {
    return m_totalLength && m_totalLength->IsRunning();
}

void PlaylistPlayer::TotalLengthEnded(const std::optional<QString>& result) {
    m_totalLengthWait.reset();
    Q_EMIT totalLengthFinished();  // the status bar is restored whatever the outcome
    if (result && m_showInformation) {
        m_showInformation(tr("The play list contains %1 songs.\nThe total length is: %2.")
                              .arg(m_document.model().count())
                              .arg(*result));
    }
}

}  // namespace tavi::playlist
