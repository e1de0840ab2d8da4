#pragma once

#include "COptionsPage.h"

class QLineEdit;
class QToolButton;

namespace tavi::ui {

// "Mixer": the program the Mixer command starts. The button shows the program's icon and
// starts it.
class CMixerDlg : public COptionsPage {
    Q_OBJECT
public:
    explicit CMixerDlg(QWidget* parent = nullptr);
    void Apply() override;

    QLineEdit* program;
    QToolButton* startButton;

private:
    void Browse();
    void UpdateIcon();
};

// Starts a program as the shell's "open" would, without a shell in between; false when it
// could not be started.
bool StartProgram(const QString& program);

}  // namespace tavi::ui
