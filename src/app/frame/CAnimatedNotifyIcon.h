#pragma once

#include "CNotifyIcon.h"

#include <QTimer>

namespace tavi::frame {

// The tray icon that turns while a track plays: icons 136..139 in turn, one every 200 ms.
class CAnimatedNotifyIcon : public CNotifyIcon {
    Q_OBJECT
public:
    static constexpr int kFrameIntervalMs = 200;

    explicit CAnimatedNotifyIcon(QObject* parent = nullptr);

    void StartAnimation();
    // Stops and shows the first frame (icon 136) again.
    void StopAnimation();
    bool IsAnimating() const { return m_timer.isActive(); }
    int CurrentFrame() const { return m_frame; }  // the resource number shown

private:
    void NextFrame();

    QTimer m_timer;
    int m_frame;
};

}  // namespace tavi::frame
