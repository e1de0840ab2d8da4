#pragma once

#include "CMediaListBox.h"

namespace tavi::playlist {

// The main playlist's list: a media list with the move keys U and D, and a hint for a
// newcomer while it is empty.
class CPlayListBox : public CMediaListBox {
    Q_OBJECT
public:
    explicit CPlayListBox(QWidget* parent = nullptr);

    // What an empty list shows, in the active language.
    static QString EmptyHint();

Q_SIGNALS:
    void moveUpKey();
    void moveDownKey();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavi::playlist
