#pragma once

#include "CAnimatedNotifyIcon.h"
#include "TrayClickRules.h"
#include "engines/player/CPlayer.h"

#include <QObject>

class QMenu;

namespace tavi::frame {

class CMainFrame;

// The frame's tray icon: the click rules, the tray menu (130) and the icon and tooltip that
// follow playback: 136 stopped (or playing without animation), the animation while
// playing with "AnimateIcon", 151 paused; the tooltip is the window title.
class FrameTray : public QObject {
    Q_OBJECT
public:
    explicit FrameTray(CMainFrame& frame);
    ~FrameTray() override;

    // Adds the icon with the application icon and title; false without a tray.
    bool Add();
    CAnimatedNotifyIcon& icon() { return m_icon; }
    TrayClickRules& clicks() { return m_clicks; }
    QMenu* menu() const { return m_menu; }
    // Animation is possible only where a tray shows the icon.
    bool CanAnimate() const { return m_icon.IsAdded(); }

    void OnPlayerState(engines::CPlayer::TrayState state, const QString& tooltip);
    // View > Animated Icon changed while a track may be playing.
    void OnAnimateSettingChanged();
    void SetTooltip(const QString& text) { m_icon.SetTooltip(text); }

private:
    void OnDoubleClick();
    void ShowMenu();

    CMainFrame& m_frame;
    CAnimatedNotifyIcon m_icon;
    TrayClickRules m_clicks;
    QMenu* m_menu;
    engines::CPlayer::TrayState m_state = engines::CPlayer::TrayState::Stopped;
};

}  // namespace tavi::frame
