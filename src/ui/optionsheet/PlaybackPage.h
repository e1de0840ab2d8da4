#pragma once

#include "COptionsPage.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace tavi::ui {

// "Playback", a page of ours: loudness correction from the files' tags, crossfades and the
// fade around pause. The spin boxes hold only their ranges, so nothing needs validating.
class PlaybackPage : public COptionsPage {
    Q_OBJECT
public:
    explicit PlaybackPage(QWidget* parent = nullptr);
    void Apply() override;

    QComboBox* gainMode;
    QDoubleSpinBox* preamp;
    QDoubleSpinBox* fallback;
    QCheckBox* preventClipping;
    QCheckBox* crossfadeAuto;
    QCheckBox* crossfadeManual;
    QDoubleSpinBox* crossfadeLength;
    QCheckBox* fadePause;
    QSpinBox* fadePauseLength;

private:
    void UpdateEnabled();
};

}  // namespace tavi::ui
