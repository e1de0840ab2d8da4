#include "ConsoleArea.h"

#include <QTextCursor>
#include <QTextEdit>

namespace tavi::automation {

ConsoleArea::ConsoleArea(QWidget* parent)
    : QDockWidget(QStringLiteral("Console"), parent), m_text(new QTextEdit(this)) {
    setObjectName(QStringLiteral("ConsoleBar"));
    m_text->setReadOnly(true);
    m_text->setAcceptRichText(false);
    setWidget(m_text);
}

QString ConsoleArea::Text() const {
    return m_text->toPlainText();
}

void ConsoleArea::SetText(const QString& text) {
    m_text->setPlainText(text);
}

void ConsoleArea::Append(const QString& text, const QColor& color) {
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(color);
    // Line breaks written as "\r\n" become one paragraph break each.
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    cursor.insertText(plain, format);
}

QColor ConsoleArea::FromColorRef(uint32_t colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

}  // namespace tavi::automation
