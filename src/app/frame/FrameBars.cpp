#include "FrameBars.h"

#include "CMasterVolumeSlider.h"
#include "CPositionSlider.h"
#include "CommandActions.h"
#include "FrameCommandIds.h"
#include "FrameIcons.h"
#include "app/settings/AppKey.h"
#include "engines/player/PlayModes.h"
#include "playlist/CommandIds.h"
#include "ui/explorer/CExplorerBar.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>

namespace tavi::frame {

namespace {

namespace pc = engines::playercmd;
namespace pl = playlist::cmd;

const QString kToolBarsKey = QStringLiteral("ToolBars");
const QString kStateValue = QStringLiteral("State");
const QString kGeometryValue = QStringLiteral("Geometry");
constexpr int kLayoutVersion = 1;

struct ToolButton {
    int id;
    ToolIcon icon;
};

constexpr ToolButton kMainButtons[] = {
    {cmd::kNew, ToolIcon::New},   {cmd::kOpen, ToolIcon::Open},
    {cmd::kSave, ToolIcon::Save}, {pl::kAddTracks, ToolIcon::AddTracks},
    {cmd::kFind, ToolIcon::Find}, {cmd::kOptions, ToolIcon::Options},
};

constexpr ToolButton kMediaButtons[] = {
    {pc::kPlay, ToolIcon::Play},      {pc::kPause, ToolIcon::Pause},
    {pc::kStopFaded, ToolIcon::Stop}, {pc::kPrevious, ToolIcon::Previous},
    {pc::kRewind, ToolIcon::Rewind},  {pc::kFastForward, ToolIcon::FastForward},
    {pc::kNext, ToolIcon::Next},
};

// A label at least as wide as its template text ("0:00:00", "8:88:88").
QLabel* Pane(const QString& templateText, int id) {
    auto* pane = new QLabel;
    pane->setObjectName(QStringLiteral("pane%1").arg(id));
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(templateText) + 12);
    pane->setFrameShape(QFrame::StyledPanel);
    return pane;
}

// The position pane changes its text every second of playing; at a fixed size a new text
// only repaints the label instead of laying out the whole status bar again. It is as wide
// as the widest text it shows (positions up to 99:59:59).
QLabel* FixedPane(const QString& widestText, int id) {
    QLabel* pane = Pane(widestText, id);
    pane->setText(widestText);
    pane->setFixedSize(pane->minimumWidth(), pane->sizeHint().height());
    pane->clear();
    return pane;
}

}  // namespace

FrameBars::FrameBars(QMainWindow& window, CommandActions& actions)
    : QObject(&window), m_window(window) {
    BuildMainToolBar(actions);
    BuildMediaBar(actions);
    BuildStatusBar();
    m_explorer = new ui::CExplorerBar(&window);
    m_explorer->setObjectName(QStringLiteral("ExplorerBar"));
    window.addDockWidget(Qt::LeftDockWidgetArea, m_explorer);
}

void FrameBars::BuildMainToolBar(CommandActions& actions) {
    m_mainBar = m_window.addToolBar(tr("Main Toolbar", "59392"));
    m_mainBar->setObjectName(QStringLiteral("MainToolBar"));
    for (const ToolButton& button : kMainButtons) {
        QAction* action = actions.action(button.id);
        action->setIcon(ToolBarIcon(button.icon));
        m_mainBar->addAction(action);
    }
}

void FrameBars::BuildMediaBar(CommandActions& actions) {
    m_window.addToolBarBreak();
    m_mediaBar = m_window.addToolBar(tr("Media Control Bar", "59396"));
    m_mediaBar->setObjectName(QStringLiteral("MediaControlBar"));
    m_mediaBar->setIconSize(QSize(24, 24));
    // Opaque (the window's own background, the same pixels), so the thumb's moves repaint the
    // bar and the slider and not the window under them as well.
    m_mediaBar->setAutoFillBackground(true);
    for (const ToolButton& button : kMediaButtons) {
        QAction* action = actions.action(button.id);
        action->setIcon(ToolBarIcon(button.icon));
        m_mediaBar->addAction(action);
    }
    m_position = new CPositionSlider;
    m_position->setMinimumWidth(200);
    m_mediaBar->addWidget(m_position);
    m_mediaBar->addSeparator();
    auto* speaker = new QLabel;
    speaker->setPixmap(ToolBarIcon(ToolIcon::Volume).pixmap(20, 20));
    m_mediaBar->addWidget(speaker);
    m_volume = new CMasterVolumeSlider;
    m_volume->setFixedWidth(110);
    m_mediaBar->addWidget(m_volume);
}

void FrameBars::BuildStatusBar() {
    QStatusBar* status = m_window.statusBar();
    m_positionPane = FixedPane(QStringLiteral("00:00:00"), cmd::kPanePosition);
    m_lengthPane = Pane(QStringLiteral("8:88:88"), cmd::kPaneLength);
    status->addPermanentWidget(m_positionPane);
    status->addPermanentWidget(m_lengthPane);
}

void FrameBars::Retranslate() {
    m_mainBar->setWindowTitle(tr("Main Toolbar", "59392"));
    m_mediaBar->setWindowTitle(tr("Media Control Bar", "59396"));
    m_position->RetranslateTips();
    m_volume->RetranslateTips();
    m_explorer->Retranslate();
    m_positionPane->clear();  // the idle pass fills the panes again
    m_lengthPane->clear();
}

QWidget* FrameBars::BarForCommand(int id) const {
    switch (id) {
        case cmd::kViewMainToolbar:
            return m_mainBar;
        case cmd::kViewMediaBar:
            return m_mediaBar;
        case cmd::kViewStatusBar:
            return m_window.statusBar();
        case cmd::kViewExplorerBar:
            return m_explorer;
        default:
            return nullptr;  // the output window comes with the console
    }
}

void FrameBars::ToggleBar(int id) {
    if (QWidget* bar = BarForCommand(id)) {
        bar->setVisible(!bar->isVisible());
    }
}

void FrameBars::SaveLayout() {
    reg::RegKey key = settings::openApplicationKey(reg::Registry::instance(), kToolBarsKey);
    key.setBinary(kStateValue, m_window.saveState(kLayoutVersion));
    key.setBinary(QStringLiteral("StatusBar"),
                  QByteArray(1, m_window.statusBar()->isVisible() ? 1 : 0));
    m_explorer->SaveState(key);
}

void FrameBars::RestoreLayout() {
    const reg::RegKey key = settings::openApplicationKey(reg::Registry::instance(), kToolBarsKey);
    if (auto state = key.value(kStateValue); state && state->type == reg::ValueType::Binary) {
        m_window.restoreState(state->data, kLayoutVersion);
    }
    if (auto status = key.value(QStringLiteral("StatusBar"));
        status && status->type == reg::ValueType::Binary && status->data.size() == 1) {
        m_window.statusBar()->setVisible(status->data.at(0) != 0);
    }
    m_explorer->LoadState(key);
}

}  // namespace tavi::frame
