#pragma once

#include <QTimer>
#include <QWidget>

#include <array>

namespace npmod {

class ModPlayer;

// The panel the library draws into the window it is given: the module's title, position and
// length, its channel count and format, and a level bar per module channel over a stereo
// meter. It fills the window and follows its size. It reads the player's atomics from a
// timer on the UI thread while it is shown; the player deletes it before it goes.
class ModPanel : public QWidget {
    Q_OBJECT
public:
    ModPanel(const ModPlayer* player, QWidget* window);

    // A new module was loaded.
    void ModuleChanged();
    // The text the panel shows above its meters, line by line; invokable by name, so that
    // the program's tests can read it without the library's headers.
    Q_INVOKABLE QStringList TextLines() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Tick();
    void PaintChannels(QPainter& painter, const QRect& area) const;
    void PaintStereoMeter(QPainter& painter, const QRect& area) const;

    const ModPlayer* m_player;
    QTimer m_timer;
    // Shown levels fall slowly, so that short peaks can be seen.
    std::array<float, 2> m_shownLevel{};
    std::array<float, 64> m_shownChannel{};
    int m_paintedPosition = -1;
};

}  // namespace npmod
