#pragma once

#include <QColor>
#include <QDockWidget>

class QTextEdit;

namespace tavi::automation {

// The output console the main window hosts as a dock at its bottom: read-only text that
// scripts and automation clients write to, each piece in its own colour.
class ConsoleArea : public QDockWidget {
    Q_OBJECT
public:
    explicit ConsoleArea(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    // Appends at the end in the colour; black is the default colour.
    void Append(const QString& text, const QColor& color = Qt::black);

    // A COLORREF (0x00BBGGRR) as a colour.
    static QColor FromColorRef(uint32_t colorRef);

private:
    QTextEdit* m_text;
};

}  // namespace tavi::automation
