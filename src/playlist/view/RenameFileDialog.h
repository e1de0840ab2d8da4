#pragma once

#include <QDialog>

class QLineEdit;

namespace tavi::playlist {

// "Rename File": asks for a file's new title (the name without folder and extension).
class RenameFileDialog : public QDialog {
    Q_OBJECT
public:
    explicit RenameFileDialog(const QString& title, QWidget* parent = nullptr);
    QString newTitle() const;
    QLineEdit* edit() const { return m_edit; }

private:
    QLineEdit* m_edit;
};

}  // namespace tavi::playlist
