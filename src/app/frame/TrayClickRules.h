#pragma once

#include <QObject>
#include <QTimer>

namespace tavi::frame {

// Tells a single click on the tray icon from a double click. A single click acts only
// after the double-click time has passed without a second one; a double click cancels it.
// Trays that report each click separately (StatusNotifierItem hosts send Activate twice)
// are covered too: a second click while the first one waits is a double click.
class TrayClickRules : public QObject {
    Q_OBJECT
public:
    explicit TrayClickRules(QObject* parent = nullptr);

    void OnLeftClick();
    void OnDoubleClick();
    bool IsClickPending() const { return m_timer.isActive(); }
    // The wait; the system's double-click time by default.
    void SetInterval(int milliseconds) { m_timer.setInterval(milliseconds); }

Q_SIGNALS:
    void singleClick();  // the frame posts Pause
    void doubleClick();  // the frame restores or minimises the window

private:
    QTimer m_timer;
};

}  // namespace tavi::frame
