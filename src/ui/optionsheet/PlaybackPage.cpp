#include "PlaybackPage.h"

#include "app/settings/PlaybackSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace tavi::ui {

namespace {

using settings::PlaybackSettings;

QDoubleSpinBox* DecibelBox(QWidget* parent, int tenths) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(PlaybackSettings::kMinGainTenthsDb / 10.0,
                  PlaybackSettings::kMaxGainTenthsDb / 10.0);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" dB"));
    box->setValue(tenths / 10.0);
    return box;
}

int Tenths(const QDoubleSpinBox* box) {
    return int(std::lround(box->value() * 10.0));
}

}  // namespace

PlaybackPage::PlaybackPage(QWidget* parent)
    : COptionsPage(parent),
      gainMode(new QComboBox(this)),
      preventClipping(new QCheckBox(tr("Prevent &clipping"), this)),
      crossfadeAuto(new QCheckBox(tr("Crossfade when a track &ends"), this)),
      crossfadeManual(new QCheckBox(tr("Crossfade on &Next and Previous"), this)),
      crossfadeLength(new QDoubleSpinBox(this)),
      fadePause(new QCheckBox(tr("Fade on pa&use and resume"), this)),
      fadePauseLength(new QSpinBox(this)) {
    const PlaybackSettings& s = settings::playbackSettings();
    gainMode->addItems({tr("Off"), tr("Track gain"), tr("Album gain")});
    gainMode->setCurrentIndex(int(s.gainMode));
    preamp = DecibelBox(this, s.preampTenthsDb);
    fallback = DecibelBox(this, s.fallbackTenthsDb);
    preventClipping->setChecked(s.preventClipping);
    crossfadeAuto->setChecked(s.crossfadeAuto);
    crossfadeManual->setChecked(s.crossfadeManual);
    crossfadeLength->setRange(PlaybackSettings::kMinCrossfadeMs / 1000.0,
                              PlaybackSettings::kMaxCrossfadeMs / 1000.0);
    crossfadeLength->setDecimals(1);
    crossfadeLength->setSingleStep(0.5);
    crossfadeLength->setSuffix(QStringLiteral(" s"));
    crossfadeLength->setValue(s.crossfadeMs / 1000.0);
    fadePause->setChecked(s.fadePause);
    fadePauseLength->setRange(int(PlaybackSettings::kMinPauseFadeMs),
                              int(PlaybackSettings::kMaxPauseFadeMs));
    fadePauseLength->setSingleStep(50);
    fadePauseLength->setSuffix(QStringLiteral(" ms"));
    fadePauseLength->setValue(int(s.fadePauseMs));

    auto* gain = new QGroupBox(tr("ReplayGain"), this);
    auto* gainForm = new QFormLayout(gain);
    gainForm->addRow(tr("&Mode:"), gainMode);
    gainForm->addRow(tr("&Preamp:"), preamp);
    gainForm->addRow(tr("Gain of files &without tags:"), fallback);
    gainForm->addRow(preventClipping);
    auto* crossfade = new QGroupBox(tr("Crossfade"), this);
    auto* crossfadeForm = new QFormLayout(crossfade);
    crossfadeForm->addRow(crossfadeAuto);
    crossfadeForm->addRow(crossfadeManual);
    crossfadeForm->addRow(tr("&Length:"), crossfadeLength);
    auto* pause = new QGroupBox(tr("Pause"), this);
    auto* pauseForm = new QFormLayout(pause);
    pauseForm->addRow(fadePause);
    pauseForm->addRow(tr("Fade &time:"), fadePauseLength);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gain);
    layout->addWidget(crossfade);
    layout->addWidget(pause);
    layout->addStretch();

    for (QCheckBox* box : {crossfadeAuto, crossfadeManual, fadePause}) {
        connect(box, &QCheckBox::toggled, this, &PlaybackPage::UpdateEnabled);
    }
    connect(gainMode, &QComboBox::currentIndexChanged, this, &PlaybackPage::UpdateEnabled);
    UpdateEnabled();
}

// What only matters with its switch on is greyed out without it.
void PlaybackPage::UpdateEnabled() {
    const bool gainOn = gainMode->currentIndex() != int(PlaybackSettings::GainMode::Off);
    for (QWidget* control : std::initializer_list<QWidget*>{preamp, fallback, preventClipping}) {
        control->setEnabled(gainOn);
    }
    crossfadeLength->setEnabled(crossfadeAuto->isChecked() || crossfadeManual->isChecked());
    fadePauseLength->setEnabled(fadePause->isChecked());
}

void PlaybackPage::Apply() {
    PlaybackSettings& s = settings::playbackSettings();
    s.gainMode = PlaybackSettings::GainMode(gainMode->currentIndex());
    s.preampTenthsDb = Tenths(preamp);
    s.fallbackTenthsDb = Tenths(fallback);
    s.preventClipping = preventClipping->isChecked();
    s.crossfadeAuto = crossfadeAuto->isChecked();
    s.crossfadeManual = crossfadeManual->isChecked();
    s.crossfadeMs = uint32_t(std::lround(crossfadeLength->value() * 1000.0));
    s.fadePause = fadePause->isChecked();
    s.fadePauseMs = uint32_t(fadePauseLength->value());
    s.Clamp();
}

}  // namespace tavi::ui
