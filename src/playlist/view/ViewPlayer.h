#pragma once

#include "ViewPlayerHost.h"
#include "engines/player/CPlayer.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

namespace tavi::playlist {

class CTaviDoc;

// The view's side of playing: the player with its host over the document, the 200 ms idle
// refresh, AutoPlay's start-up timer, the status panes and Total Length.
class ViewPlayer : public QObject {
    Q_OBJECT
public:
    static constexpr int kIdleIntervalMs = 200;
    static constexpr int kAutoPlayDelayMs = 500;

    explicit ViewPlayer(CTaviDoc& document, QObject* parent = nullptr);
    ~ViewPlayer() override;  // a playing track is faded out and stopped

    engines::CPlayer& player() { return m_player; }
    const engines::CPlayer& player() const { return m_player; }

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

    // Playlist > Total Length: adds up every entry's length; Escape ends it early.
    void TotalLength();

Q_SIGNALS:
    void idle();  // five times a second: refresh panes and command states
    void totalLengthRunning(const QString& statusText, const QString& paneText);
    void totalLengthFinished();

private:
    void StartAutoPlayTimer();
    std::optional<double> MeasureLength(const QString& path, QString* error);

    CTaviDoc& m_document;
    ViewPlayerHost m_host;
    engines::CPlayer m_player;
    QTimer m_idleTimer;
    QTimer m_autoPlayTimer;
    QString m_lengthPath;  // the entry the length pane was last computed for
    LengthPane m_lengthCache;
    std::function<void(const QString&)> m_showError;
    std::function<void(const QString&)> m_showInformation;
};

}  // namespace tavi::playlist
