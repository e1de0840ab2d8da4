#include "CPositionSlider.h"

#include "CPositionSliderCallback.h"
#include "engines/CMediaTrack.h"
#include "engines/TrackQueries.h"
#include "platform/errors/CException.h"

#include <QStyle>
#include <QStyleOptionSlider>

#include <algorithm>
#include <exception>

namespace tavi::frame {

CPositionSlider::CPositionSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setObjectName(QStringLiteral("PositionSlider"));
    RetranslateTips();
    setRange(0, 0);
    setPageStep(100);  // ten seconds
    setSingleStep(10);
    setEnabled(false);
    connect(this, &QAbstractSlider::actionTriggered, this, &CPositionSlider::OnAction);
    connect(this, &QAbstractSlider::sliderReleased, this, &CPositionSlider::SeekToThumb);
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::CoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CPositionSlider::Refresh);
}

void CPositionSlider::RetranslateTips() {
    setToolTip(tr("Show the relative track position", "3201"));
    setStatusTip(tr("Show the relative track position", "3201"));
}

int CPositionSlider::ToUnits(double seconds) {
    const double units = seconds * 10.0;
    return units > 0 ? int(units) : 0;  // an unknown (negative) length shows an empty range
}

void CPositionSlider::SetTrack(engines::CMediaTrack* track) {
    m_track = track;
    setSliderPosition(0);
    setValue(0);
    setEnabled(track != nullptr);
    UpdateFollowing();
    Refresh();
}

void CPositionSlider::SetShown(bool shown) {
    m_shown = shown;
    UpdateFollowing();
    Refresh();  // a window shown again starts from where the track is
}

// Nobody sees the thumb move with no track or while the slider is not on the screen, so the
// track is not asked where it is then.
void CPositionSlider::UpdateFollowing() {
    const bool follow = ShouldFollow();
    if (follow && !m_timer.isActive()) {
        m_timer.start(kRefreshIntervalMs);
    } else if (!follow) {
        m_timer.stop();
    }
}

void CPositionSlider::showEvent(QShowEvent* event) {
    QSlider::showEvent(event);
    UpdateFollowing();
}

void CPositionSlider::hideEvent(QHideEvent* event) {
    QSlider::hideEvent(event);
    UpdateFollowing();
}

QRect CPositionSlider::HandleRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

// A new value whose thumb stands on the same pixels changes nothing on the screen; one that
// moves it repaints where it was and where it is (the channel's fill ends under the thumb),
// not the whole slider and the tool bar behind it.
void CPositionSlider::sliderChange(SliderChange change) {
    if (change != SliderValueChange) {
        m_paintedHandle = QRect();
        QSlider::sliderChange(change);
        return;
    }
    const QRect handle = HandleRect();
    if (handle == m_paintedHandle) {
        return;
    }
    const QRect before = m_paintedHandle;
    m_paintedHandle = handle;
    if (before.isNull()) {
        QSlider::sliderChange(change);
    } else {
        update(before.united(handle));
    }
}

void CPositionSlider::Refresh() {
    if (IsDragging() || !m_track || !m_shown) {
        return;
    }
    try {
        const int length = ToUnits(m_track->GetLength());
        if (length != maximum()) {
            setRange(0, length);
        }
        const double seconds = m_track->GetPosition();
        const int position = ToUnits(seconds);
        if (position != value()) {
            setValue(position);
        }
        if (ShouldFollow()) {
            m_timer.start(NextTickMs(seconds));
        }
    } catch (const errors::CException&) {
        TryAgainLater();
    } catch (const std::exception&) {
        TryAgainLater();
    }
}

void CPositionSlider::TryAgainLater() {
    if (ShouldFollow()) {
        m_timer.start(RefreshIntervalMs());
    }
}

// Each step wakes the program and repaints the bar, which costs more than decoding the
// sound meanwhile; a thumb that moves twice a second (at most a few pixels at a time on a
// short track) looks no less steady than the position pane's seconds, and a long track's
// thumb, which moves a pixel less often than that, is looked at once a second. The steps
// fall on half seconds, so every other tick shares its wake-up with the pane's pass.
int CPositionSlider::RefreshIntervalMs() const {
    const int travel = width() - HandleRect().width();
    if (maximum() <= 0 || travel <= 0) {
        return kSlowestRefreshMs;
    }
    const double msPerPixel = double(maximum()) * 100.0 / travel;
    return msPerPixel <= kRefreshIntervalMs ? kRefreshIntervalMs : kSlowestRefreshMs;
}

// Just after the track reaches its next step, as the position pane's pass does at whole
// seconds; a position that stands still is looked at again a step later, a paused track's
// once a second (the window's pass after a resume brings the slider back at once).
int CPositionSlider::NextTickMs(double seconds) {
    const int step = RefreshIntervalMs();
    const bool moved = seconds != m_lastSeconds;
    m_lastSeconds = seconds;
    if (m_track->IsPaused()) {
        return kSlowestRefreshMs;
    }
    return moved ? engines::MsUntilNextStep(seconds, step) : step;
}

// Qt's slider actions stand for the trackbar's scroll codes: steps, pages and the ends
// seek at once; SliderMove is the thumb being dragged, which seeks on release. A move that
// does not come from a drag (the wheel) seeks at once too.
void CPositionSlider::OnAction(int action) {
    if (action == SliderNoAction || (action == SliderMove && isSliderDown())) {
        return;
    }
    SeekToThumb();
}

void CPositionSlider::SeekToThumb() {
    if (m_track && m_callback) {
        m_callback->Seek(GetThumbSeconds());
    }
}

}  // namespace tavi::frame
