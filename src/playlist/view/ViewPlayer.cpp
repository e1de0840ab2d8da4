#include "ViewPlayer.h"

#include "TotalLengthRun.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "engines/TrackFactory.h"
#include "playlist/CTaviDoc.h"
#include "playlist/FormatDuration.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"

namespace tavi::playlist {

ViewPlayer::ViewPlayer(CTaviDoc& document, QObject* parent)
    : QObject(parent), m_document(document), m_host(document), m_player(m_host) {
    m_player.SetMode(settings::viewSettings().playerMode);
    connect(&m_player, &engines::CPlayer::modeChanged, this,
            [](uint32_t mode) { settings::viewSettings().playerMode = mode; });
    connect(&document, &CTaviDoc::playFileRequested, this,
            [this](const QString& path) { m_player.PlayFile(path); });
    connect(&document, &CTaviDoc::documentInitialized, this, &ViewPlayer::StartAutoPlayTimer);

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

    m_idleTimer.setInterval(kIdleIntervalMs);
    connect(&m_idleTimer, &QTimer::timeout, this, &ViewPlayer::idle);
    m_idleTimer.start();
    m_autoPlayTimer.setSingleShot(true);
    m_autoPlayTimer.setInterval(kAutoPlayDelayMs);
    connect(&m_autoPlayTimer, &QTimer::timeout, this, [this] {
        if (m_host.GetSelection() >= 0 && !m_player.IsPlaying()) {
            m_player.PlayCommand();
        }
    });
    StartAutoPlayTimer();
}

ViewPlayer::~ViewPlayer() {
    m_idleTimer.stop();
    PlaylistEditor::Hooks& hooks = m_document.editor().hooks();
    hooks.isPlaying = nullptr;
    hooks.playingFile = nullptr;
    hooks.stopPlayback = nullptr;
    if (m_player.IsPlaying()) {
        m_player.StopCommand();  // no event loop will run the fade's steps any more
    }
}

void ViewPlayer::SetMessageHandlers(std::function<void(const QString&)> error,
                                    std::function<void(const QString&)> information) {
    m_showError = error;
    m_showInformation = std::move(information);
    m_host.showError = std::move(error);
}

void ViewPlayer::StartAutoPlayTimer() {
    if (settings::playerSettings().autoPlay) {
        m_autoPlayTimer.start();
    }
}

QString ViewPlayer::PositionPaneText(std::optional<double> draggedSeconds) const {
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

std::optional<double> ViewPlayer::MeasureLength(const QString& path, QString* error) {
    settings::ViewSettings& view = settings::viewSettings();
    const uint32_t soundBankOptions = view.soundBankOptions;
    view.soundBankOptions = 0;  // measuring must not load sound banks
    std::optional<double> length;
    try {
        auto track = engines::CreateTrackForFile(path, nullptr);
        track->Open(path);
        length = track->GetLength();
    } catch (const errors::CException& e) {
        if (error) {
            *error = e.GetErrorMessage();
        }
    }
    view.soundBankOptions = soundBankOptions;
    return length;
}

ViewPlayer::LengthPane ViewPlayer::LengthPaneState() {
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
        const auto length = MeasureLength(path, nullptr);
        m_lengthCache = length ? LengthPane{FormatDurationSeconds(*length), true}
                               : LengthPane{kUnknownDuration, false};
    }
    return m_lengthCache;
}

void ViewPlayer::TotalLength() {
    TotalLengthRun run(m_document, m_player, [this](const QString& path, QString* error) {
        return MeasureLength(path, error);
    });
    connect(&run, &TotalLengthRun::progress, this, [this](const QString& sum) {
        Q_EMIT totalLengthRunning(tr("Calculating total length..."), sum);
    });
    Q_EMIT totalLengthRunning(tr("Calculating total length..."), FormatDuration(0));
    std::optional<QString> result;
    try {
        result = run.Run();
    } catch (...) {
        Q_EMIT totalLengthFinished();  // the status bar is restored whatever went wrong
        throw;
    }
    Q_EMIT totalLengthFinished();
    if (result && m_showInformation) {
        m_showInformation(tr("The play list contains %1 songs.\nThe total length is: %2.")
                              .arg(m_document.model().count())
                              .arg(*result));
    }
}

}  // namespace tavi::playlist
