#include "CMasterVolumeSlider.h"

#include "mixer/MasterVolumeScale.h"
#include "platform/mixer/CMixer.h"

#include <QMessageBox>

namespace tavi::frame {

CMasterVolumeSlider::CMasterVolumeSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setObjectName(QStringLiteral("VolumeSlider"));
    RetranslateTips();
    setRange(0, mixer::kSliderMaximum);
    setPageStep(100);
    setSingleStep(10);
    setTickInterval(100);
    setTickPosition(QSlider::TicksBelow);
    m_report = [this](const QString& message) {
        QMessageBox::critical(window(), QStringLiteral("Tavi"), message);
    };
    try {
        m_volume = std::make_unique<mixer::MasterVolume>();
        m_usable = true;
        ShowPosition(m_volume->Get());
    } catch (const mixer::CMixerException&) {
        m_volume.reset();
        m_usable = false;
    }
    setEnabled(m_usable);
    connect(this, &QAbstractSlider::actionTriggered, this, &CMasterVolumeSlider::OnAction);
}

CMasterVolumeSlider::~CMasterVolumeSlider() = default;

void CMasterVolumeSlider::RetranslateTips() {
    setToolTip(tr("Show the current master volume", "3202"));
    setStatusTip(tr("Show the current master volume", "3202"));
}

QString CMasterVolumeSlider::FailureMessage() {
    return tr("Can't change the master volume.", "1040");
}

void CMasterVolumeSlider::ShowPosition(uint32_t volume) {
    const int position = mixer::SliderPositionForVolume(volume);
    if (position != value()) {
        setValue(position);
    }
}

void CMasterVolumeSlider::UpdateFromMixer() {
    setEnabled(m_usable);
    if (!m_usable || isSliderDown()) {
        return;
    }
    try {
        ShowPosition(m_volume->Get());
    } catch (const mixer::CMixerException&) {
        m_usable = false;
        setEnabled(false);
        m_report(FailureMessage());
    }
}

// Every slider action carries the position it leads to; the mixer is written at once, so
// the volume follows a dragged thumb.
void CMasterVolumeSlider::OnAction(int action) {
    if (action == SliderNoAction || !m_usable) {
        return;
    }
    try {
        m_volume->Set(mixer::VolumeForSliderPosition(sliderPosition()));
    } catch (const mixer::CMixerException&) {
        m_report(FailureMessage());
    }
}

}  // namespace tavi::frame
