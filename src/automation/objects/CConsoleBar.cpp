#include "CConsoleBar.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace tavi::automation {

CConsoleBar::CConsoleBar(QWidget* parent)
    : QDockWidget(parent),
      m_text(new QPlainTextEdit(this)),
      m_process(std::make_unique<console::CConsoleProcess>(*this)) {
    setObjectName(QStringLiteral("ConsoleBar"));
    m_text->setReadOnly(true);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_text, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        CreateContextMenu()->exec(m_text->viewport()->mapToGlobal(point));
    });
    m_text->viewport()->installEventFilter(this);
    setWidget(m_text);
    setWindowTitle(tr("Output", "59399"));
}

void CConsoleBar::changeEvent(QEvent* event) {
    QDockWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Output", "59399"));
    }
}

// A running program is stopped with the window.
CConsoleBar::~CConsoleBar() {
    m_process.reset();
}

QString CConsoleBar::Text() const {
    return m_text->toPlainText();
}

void CConsoleBar::SetText(const QString& text) {
    m_text->setPlainText(text);
    DropOldestLines();
}

void CConsoleBar::Append(const QString& text, const QColor& color) {
    QTextCursor cursor(m_text->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format;
    format.setForeground(color);
    // Line breaks written as "\r\n" become one paragraph break each.
    QString plain = text;
    plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    cursor.insertText(plain, format);
    DropOldestLines();
    m_text->moveCursor(QTextCursor::End);
}

// Whole lines go from the top until a quarter of the room is free again, so that trimming
// happens once in a while and not at every append.
void CConsoleBar::DropOldestLines() {
    QTextDocument* document = m_text->document();
    if (document->characterCount() <= kMaxKeptCharacters) {
        return;
    }
    const int keep = kMaxKeptCharacters * 3 / 4;
    QTextBlock block = document->findBlock(document->characterCount() - keep);
    QTextCursor cursor(document);
    cursor.setPosition(0);
    cursor.setPosition(block.isValid() ? block.position() : document->characterCount() - keep,
                       QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

QColor CConsoleBar::FromColorRef(uint32_t colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

void CConsoleBar::ConsoleStarted(const QString& commandLine) {
    Append(tr("%1 started.\n").arg(commandLine));
}

void CConsoleBar::ConsoleOutput(const QString& text) {
    Append(text, FromColorRef(kOutputColor));
}

void CConsoleBar::ConsoleError(const QString& text) {
    Append(text, FromColorRef(kErrorColor));
}

void CConsoleBar::ConsoleFinished() {
    Append(tr("finished.\n"));
}

std::unique_ptr<QMenu> CConsoleBar::CreateContextMenu() {
    auto menu = std::make_unique<QMenu>();
    const auto add = [&](const QString& text, int command, bool enabled) {
        QAction* action = menu->addAction(text, this, [this, command] { RunCommand(command); });
        action->setData(command);
        action->setEnabled(enabled);
    };
    add(tr("&Copy"), kCopy, m_text->textCursor().hasSelection());
    add(tr("C&lear"), kClear, !m_text->document()->isEmpty());
    add(tr("&Stop"), kStop, m_process->IsConsoleProcessRunning());
    return menu;
}

void CConsoleBar::RunCommand(int command) {
    if (command == kCopy) {
        QApplication::clipboard()->setText(m_text->textCursor().selectedText().replace(
            QChar::ParagraphSeparator, QLatin1Char('\n')));
    } else if (command == kClear) {
        SetText(QString());
    } else if (command == kStop) {
        m_process->StopConsoleProcess();
    }
}

bool CConsoleBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text->viewport()) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            Q_EMIT clicked();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            Q_EMIT doubleClicked(int(mouse->modifiers()), int(mouse->position().x()),
                                 int(mouse->position().y()));
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

}  // namespace tavi::automation
