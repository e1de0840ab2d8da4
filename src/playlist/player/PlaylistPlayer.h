#pragma once

#include "PlaylistPlayerHost.h"
#include "engines/TrackQueries.h"
#include "engines/player/CPlayer.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

namespace tavi::playlist {

class CTaviDoc;
class LengthMeasure;
class TotalLengthRun;

// The player of a document: the player with its host over the document, the idle refresh
// (while a track plays, just after its position reaches the next whole second, the pane's
// unit; every second otherwise; none while nobody sees the window), AutoPlay's start-up timer, the
// status panes and Total Length. No widgets: the view, automation and MPRIS all reach playing
// through it.
class PlaylistPlayer : public QObject {
    Q_OBJECT
public:
    // While playing, a pass comes just after the position passes a whole second
    // (engines::kAfterStepMs), and passes are at least kMinIdleIntervalMs apart.
    static constexpr int kMinIdleIntervalMs = engines::kSoonestSecondPassMs;
    static constexpr int kIdleIntervalMs = engines::kSecondPassMs;
    static constexpr int kStoppedIdleIntervalMs = 1000;
    static constexpr int kAutoPlayDelayMs = 500;

    explicit PlaylistPlayer(CTaviDoc& document, QObject* parent = nullptr);
    ~PlaylistPlayer() override;  // a playing track is stopped

    engines::CPlayer& player() { return m_player; }
    const engines::CPlayer& player() const { return m_player; }
    CTaviDoc& document() { return m_document; }

    // Whether the window that shows the idle pass's work is seen (not hidden, not minimised);
    // true at first. Seen again, it gets a pass at once.
    void SetIdleShown(bool shown);
    // One idle pass at the next turn of the event loop (after the user did something);
    // several requests make one pass.
    void RequestIdle();
    int IdleInterval() const;  // until the next timed pass; 0 while none is timed

    // A player command by id, if it is enabled now.
    void RunPlayerCommand(int id);

    // How the view shows errors and information to the user.
    void SetMessageHandlers(std::function<void(const QString&)> error,
                            std::function<void(const QString&)> information);

    // Pane 1001: the position while playing (the dragged slider position when given);
    // empty when nothing plays. Read errors show nothing.
    QString PositionPaneText(std::optional<double> draggedSeconds = std::nullopt) const;
    // Pane 1002: the playing track's length, or with "ShowSongLegth" the selected entry's.
    struct LengthPane {
        QString text;
        bool enabled = false;
    };
    LengthPane LengthPaneState();

    // Playlist > Total Length: adds up every entry's length in the background (the
    // running sum in totalLengthRunning); CancelTotalLength (Escape) ends it early.
    void TotalLength();
    void CancelTotalLength();
    bool IsTotalLengthRunning() const;

Q_SIGNALS:
    void idle();  // refresh panes and command states
    void totalLengthRunning(const QString& statusText, const QString& paneText);
    void totalLengthFinished();

private:
    void StartAutoPlayTimer();
    void UpdateIdleTimer();
    void RunIdlePass();
    void TotalLengthEnded(const std::optional<QString>& result);

    CTaviDoc& m_document;
    PlaylistPlayerHost m_host;
    engines::CPlayer m_player;
    QTimer m_idleTimer;
    QTimer m_idleSoon;
    bool m_idleShown = true;
    QTimer m_autoPlayTimer;
    TotalLengthRun* m_totalLength = nullptr;
    std::optional<WaitCursor> m_totalLengthWait;
    QString m_lengthPath;  // the entry the length pane was last computed for
    std::unique_ptr<LengthMeasure> m_lengthMeasure;  // its engine still opening it
    LengthPane m_lengthCache;
    std::function<void(const QString&)> m_showError;
    std::function<void(const QString&)> m_showInformation;
};

}  // namespace tavi::playlist
