#include "CPlayListBox.h"

#include <QKeyEvent>
#include <QPainter>

namespace tavi::playlist {

CPlayListBox::CPlayListBox(QWidget* parent) : CMediaListBox(parent) {
    // The window's letter keys (P plays, Delete removes...) act while the list has the
    // focus; other lists and text fields keep them (the frame's CommandActions).
    setProperty("taviCommandKeys", true);
}

QString CPlayListBox::EmptyHint() {
    return tr("Drop files or folders here, or press Insert to add tracks");
}

void CPlayListBox::paintEvent(QPaintEvent* event) {
    CMediaListBox::paintEvent(event);
    if (model() && model()->rowCount() > 0) {
        return;
    }
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    const int margin = fontMetrics().height();
    painter.drawText(viewport()->rect().adjusted(margin, margin, -margin, -margin),
                     Qt::AlignCenter | Qt::TextWordWrap, EmptyHint());
}

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
