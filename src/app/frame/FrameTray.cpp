#include "FrameTray.h"

#include "CMainFrame.h"
#include "CommandActions.h"
#include "CommandTables.h"
#include "FrameIcons.h"
#include "app/settings/ViewSettings.h"

#include <QApplication>
#include <QCursor>
#include <QMenu>

namespace tavi::frame {

FrameTray::FrameTray(CMainFrame& frame)
    : QObject(&frame), m_frame(frame), m_menu(new QMenu(&frame)) {
    m_menu->setObjectName(QStringLiteral("TrayMenu"));
    frame.actions().FillMenu(m_menu, TrayMenuTable());
    connect(&m_icon, &CNotifyIcon::leftClicked, &m_clicks, &TrayClickRules::OnLeftClick);
    connect(&m_icon, &CNotifyIcon::doubleClicked, &m_clicks, &TrayClickRules::OnDoubleClick);
    connect(&m_icon, &CNotifyIcon::rightClicked, this, &FrameTray::ShowMenu);
    // A single click pauses, resumes, or starts the selected entry paused.
    connect(&m_clicks, &TrayClickRules::singleClick, this,
            [this] { m_frame.PostCommand(engines::playercmd::kPause); });
    connect(&m_clicks, &TrayClickRules::doubleClick, this, &FrameTray::OnDoubleClick);
}

FrameTray::~FrameTray() = default;

bool FrameTray::Add() {
    return m_icon.Add(ResourceIcon(kAppIcon), QApplication::applicationDisplayName());
}

void FrameTray::OnDoubleClick() {
    if (m_frame.isHidden()) {
        m_frame.RestoreWindow();
    } else if (m_frame.isMinimized()) {
        m_frame.showNormal();
    } else {
        m_frame.showMinimized();
    }
}

void FrameTray::ShowMenu() {
    m_frame.activateWindow();
    m_frame.raise();
    m_menu->popup(QCursor::pos());
}

void FrameTray::OnPlayerState(engines::CPlayer::TrayState state, const QString& tooltip) {
    m_state = state;
    using State = engines::CPlayer::TrayState;
    if (state == State::Playing && settings::viewSettings().animateIcon && CanAnimate()) {
        m_icon.StartAnimation();
    } else {
        m_icon.StopAnimation();
        if (state == State::Paused) {
            m_icon.SetIcon(ResourceIcon(kPausedIcon));
        }
    }
    if (state == State::Stopped) {
        m_icon.SetTooltip(QApplication::applicationDisplayName());
    } else if (!tooltip.isEmpty()) {
        m_icon.SetTooltip(tooltip);
    }
}

void FrameTray::OnAnimateSettingChanged() {
    if (m_state == engines::CPlayer::TrayState::Playing) {
        OnPlayerState(m_state, QString());
    }
}

}  // namespace tavi::frame
