#pragma once

#include <QDialog>

class QSpinBox;

namespace tavi::playlist {

// "Edit Pause": the length of a pause entry in seconds, 1..3600.
class EditPauseDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinSeconds = 1;
    static constexpr int kMaxSeconds = 3600;

    explicit EditPauseDialog(int seconds, QWidget* parent = nullptr);
    int seconds() const;
    QSpinBox* spinBox() const { return m_seconds; }

private:
    QSpinBox* m_seconds;
};

}  // namespace tavi::playlist
