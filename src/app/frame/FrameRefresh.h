#pragma once

#include <QObject>

class QMainWindow;

namespace tavi::playlist {
class PlaylistPlayer;
}

namespace tavi::frame {

class CPositionSlider;

// Keeps the window's timed refreshes to when someone can see them: the position slider and
// the idle pass stop while the window is hidden or minimised and start again (with one pass
// at once) when it is seen. The user's input asks for an idle pass, so the command states
// follow what was done without a fast timer. Owned by the window, and
// gone before the slider and the player are.
class FrameRefresh : public QObject {
    Q_OBJECT
public:
    FrameRefresh(QMainWindow& window, CPositionSlider& slider, playlist::PlaylistPlayer& player);
    ~FrameRefresh() override;

    static bool IsSeen(const QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();

    QMainWindow& m_window;
    CPositionSlider& m_slider;
    playlist::PlaylistPlayer& m_player;
};

}  // namespace tavi::frame
