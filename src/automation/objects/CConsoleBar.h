#pragma once

#include "automation/console/CConsoleProcess.h"

#include <QColor>
#include <QDockWidget>

#include <memory>

class QMenu;
class QPlainTextEdit;

namespace tavi::automation {

// The output window: read-only text in the system's fixed-pitch font that scripts,
// automation clients and one console program at a time write to, each piece in its own
// colour. It keeps the newest kMaxKeptCharacters, dropping whole lines from the top, so a
// flood cannot take all memory.
class CConsoleBar : public QDockWidget, public console::CConsoleProcessCallback {
    Q_OBJECT
public:
    static constexpr int kCopy = 42220;
    static constexpr int kClear = 42221;
    static constexpr int kStop = 42222;
    static constexpr int kMaxKeptCharacters = 1024 * 1024;
    static constexpr uint32_t kOutputColor = 0x800000;  // COLORREF: dark blue
    static constexpr uint32_t kErrorColor = 0x000080;   // dark red

    explicit CConsoleBar(QWidget* parent = nullptr);
    ~CConsoleBar() override;

    QString Text() const;
    void SetText(const QString& text);
    // Appends at the end in the colour; black is the default colour.
    void Append(const QString& text, const QColor& color = Qt::black);
    console::CConsoleProcess& process() { return *m_process; }
    QPlainTextEdit* textArea() const { return m_text; }
    std::unique_ptr<QMenu> CreateContextMenu();
    void RunCommand(int command);

    // A COLORREF (0x00BBGGRR) as a colour.
    static QColor FromColorRef(uint32_t colorRef);

    void ConsoleStarted(const QString& commandLine) override;
    void ConsoleOutput(const QString& text) override;
    void ConsoleError(const QString& text) override;
    void ConsoleFinished() override;

Q_SIGNALS:
    void clicked();
    void doubleClicked(int flags, int x, int y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void DropOldestLines();

    QPlainTextEdit* m_text;
    std::unique_ptr<console::CConsoleProcess> m_process;
};

}  // namespace tavi::automation
