#include "CPlayListBox.h"

#include <QKeyEvent>

namespace tavi::playlist {

CPlayListBox::CPlayListBox(QWidget* parent) : CMediaListBox(parent) {}

// Typing letters moves entries here; it does not search the list.
void CPlayListBox::keyboardSearch(const QString&) {}

void CPlayListBox::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_U) {
        Q_EMIT moveUpKey();
        return;
    }
    if (plain && event->key() == Qt::Key_D) {
        Q_EMIT moveDownKey();
        return;
    }
    CMediaListBox::keyPressEvent(event);
}

}  // namespace tavi::playlist
