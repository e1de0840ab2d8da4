#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

namespace tavi::frame {

// The icon in the desktop's system tray (StatusNotifierItem or XEmbed, whichever Qt
// finds). Clicks arrive as three signals; the tooltip is cut to what trays show.
class CNotifyIcon : public QObject {
    Q_OBJECT
public:
    explicit CNotifyIcon(QObject* parent = nullptr);
    ~CNotifyIcon() override;

    // Adds the icon to the tray; false when the desktop has no tray.
    bool Add(const QIcon& icon, const QString& tooltip);
    bool IsAdded() const { return m_tray.isVisible(); }
    void SetIcon(const QIcon& icon);
    void SetTooltip(const QString& text);
    QString Tooltip() const { return m_tray.toolTip(); }
    QIcon Icon() const { return m_tray.icon(); }

Q_SIGNALS:
    void leftClicked();
    void doubleClicked();
    void rightClicked();

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_tray;
};

}  // namespace tavi::frame
