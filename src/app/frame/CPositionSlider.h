#pragma once

#include <QSlider>
#include <QTimer>

namespace tavi::engines {
class CMediaTrack;
}

namespace tavi::frame {

class CPositionSliderCallback;

// The media bar's track position, in tenths of a second. It follows the playing track every
// 100 ms and never seeks by itself: steps and clicks into the channel ask the callback to
// seek at once, a dragged thumb only when it is let go.
class CPositionSlider : public QSlider {
    Q_OBJECT
public:
    static constexpr int kRefreshIntervalMs = 100;

    explicit CPositionSlider(QWidget* parent = nullptr);

    void SetCallback(CPositionSliderCallback* callback) { m_callback = callback; }
    // The track now playing (not owned), or null: the thumb goes to 0 and the slider is
    // enabled exactly while there is a track.
    void SetTrack(engines::CMediaTrack* track);
    engines::CMediaTrack* Track() const { return m_track; }
    double GetThumbSeconds() const { return sliderPosition() / 10.0; }
    bool IsDragging() const { return isSliderDown(); }

    // Seconds to slider units: times ten, truncated toward zero.
    static int ToUnits(double seconds);
    // One refresh from the track (the timer's work).
    void Refresh();

private:
    void OnAction(int action);
    void SeekToThumb();

    CPositionSliderCallback* m_callback = nullptr;
    engines::CMediaTrack* m_track = nullptr;
    QTimer m_timer;
};

}  // namespace tavi::frame
