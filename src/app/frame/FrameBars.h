#pragma once

#include <QObject>

class QLabel;
class QMainWindow;
class QToolBar;

namespace tavi::ui {
class CExplorerBar;
}

namespace tavi::frame {

class CMasterVolumeSlider;
class CPositionSlider;
class CommandActions;

// The bars around the playlist: the main tool bar, the media control bar with the position
// and volume sliders, the explorer bar, and the status bar with the position (1001) and
// length (1002) panes. Their layout is kept in the "ToolBars" key.
class FrameBars : public QObject {
    Q_OBJECT
public:
    FrameBars(QMainWindow& window, CommandActions& actions);

    QToolBar* mainToolBar() const { return m_mainBar; }
    QToolBar* mediaBar() const { return m_mediaBar; }
    CPositionSlider* positionSlider() const { return m_position; }
    CMasterVolumeSlider* volumeSlider() const { return m_volume; }
    ui::CExplorerBar* explorerBar() const { return m_explorer; }
    QLabel* positionPane() const { return m_positionPane; }
    QLabel* lengthPane() const { return m_lengthPane; }

    // View > Toolbars: the bar behind a command id, shown or hidden.
    QWidget* BarForCommand(int id) const;
    void ToggleBar(int id);

    // Captions, tips and panes in the active language.
    void Retranslate();

    void SaveLayout();
    void RestoreLayout();

private:
    void BuildMainToolBar(CommandActions& actions);
    void BuildMediaBar(CommandActions& actions);
    void BuildStatusBar();

    QMainWindow& m_window;
    QToolBar* m_mainBar = nullptr;
    QToolBar* m_mediaBar = nullptr;
    CPositionSlider* m_position = nullptr;
    CMasterVolumeSlider* m_volume = nullptr;
    ui::CExplorerBar* m_explorer = nullptr;
    QLabel* m_positionPane = nullptr;
    QLabel* m_lengthPane = nullptr;
};

}  // namespace tavi::frame
