#pragma once

#include "CMediaListBox.h"

namespace tavi::playlist {

// The main playlist's list: a media list with the move keys U and D.
class CPlayListBox : public CMediaListBox {
    Q_OBJECT
public:
    explicit CPlayListBox(QWidget* parent = nullptr);

Q_SIGNALS:
    void moveUpKey();
    void moveDownKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
};

}  // namespace tavi::playlist
