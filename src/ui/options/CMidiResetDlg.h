#pragma once

#include "ui/optionsheet/COptionsPage.h"

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tavi::ui {

// "MIDI": the reset file and whether it is played before each ".mid" entry ("ResetFile",
// "SendReset"); "Reset" plays the typed file now.
class CMidiResetDlg : public COptionsPage {
    Q_OBJECT
public:
    explicit CMidiResetDlg(QWidget* parent = nullptr);

    void Apply() override;
    // How "Reset" runs the reset dialog (tests replace it); CResetWnd::Run by default.
    void SetResetRunner(std::function<int(const QString& resetFile)> run) {
        m_runReset = std::move(run);
    }

    QLineEdit* fileEdit() const { return m_file; }
    QCheckBox* sendResetBox() const { return m_sendReset; }
    QPushButton* resetButton() const { return m_reset; }
    QPushButton* browseButton() const { return m_browse; }

private:
    void Browse();
    void Reset();

    QLineEdit* m_file;
    QPushButton* m_browse;
    QCheckBox* m_sendReset;
    QPushButton* m_reset;
    std::function<int(const QString&)> m_runReset;
};

}  // namespace tavi::ui
