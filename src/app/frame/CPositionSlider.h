#pragma once

#include <QSlider>
#include <QTimer>

namespace tavi::engines {
class CMediaTrack;
}

namespace tavi::frame {

class CPositionSliderCallback;

// The media bar's track position, in tenths of a second. It follows the playing track in steps
// of half a second, or of a whole one where the thumb moves less than a pixel in half a
// second, while it is seen (a track is set, the slider shown, the window neither hidden nor
// minimised: SetShown) and repaints only when the thumb moves by a pixel. It never seeks by
// itself: steps and clicks into the channel ask the callback to seek at once, a dragged thumb
// only when it is let go.
class CPositionSlider : public QSlider {
    Q_OBJECT
public:
    // The tool tip and status prompt in the active language.
    void RetranslateTips();
    static constexpr int kRefreshIntervalMs = 500;  // the fastest
    static constexpr int kSlowestRefreshMs = 1000;

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
    // Whether the window shows the slider (not hidden, not minimised); true at first.
    void SetShown(bool shown);
    bool IsFollowing() const { return m_timer.isActive(); }
    int MsUntilNextTick() const { return m_timer.remainingTime(); }
    // The step of play the thumb follows in: half a second, or a whole one when the thumb
    // takes longer than half a second to move a pixel at the current length and width.
    int RefreshIntervalMs() const;

protected:
    void sliderChange(SliderChange change) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnAction(int action);
    void SeekToThumb();
    void UpdateFollowing();
    QRect HandleRect() const;
    int NextTickMs(double seconds);
    void TryAgainLater();
    bool ShouldFollow() const { return m_track && m_shown && isVisible(); }

    CPositionSliderCallback* m_callback = nullptr;
    engines::CMediaTrack* m_track = nullptr;
    QTimer m_timer;
    bool m_shown = true;
    double m_lastSeconds = -1.0;  // where the track stood at the last tick
    QRect m_paintedHandle;        // where the thumb was when the slider last repainted for a value
};

}  // namespace tavi::frame
