#include "CommandActions.h"

#include "FrameCommandIds.h"
#include "engines/player/PlayModes.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <algorithm>
#include <iterator>

namespace tavi::frame {

namespace {

// The keys of a command as the menu shows them, e.g. "Ctrl+C, Ctrl+Ins".
QString KeyText(int id) {
    QStringList keys;
    for (const Accelerator& accelerator : AcceleratorTable()) {
        if (accelerator.id == id && keys.size() < 1) {
            keys.append(QKeySequence(accelerator.key).toString(QKeySequence::NativeText));
        }
    }
    return keys.join(QStringLiteral(", "));
}

}  // namespace

CommandActions::CommandActions(QWidget* window, Dispatcher dispatch)
    : QObject(window), m_window(window), m_dispatch(std::move(dispatch)) {
    AddAccelerators();
}

bool CommandActions::IsCheckable(int id) {
    namespace pc = engines::playercmd;
    static const int kCheckable[] = {pc::kLoop,
                                     pc::kIntroScan,
                                     pc::kRandom,
                                     pc::kRepeat,
                                     pc::kShuffle,
                                     cmd::kAnimatedIcon,
                                     cmd::kAlwaysOnTop,
                                     cmd::kFullPath,
                                     cmd::kTrackNumbers,
                                     cmd::kViewMainToolbar,
                                     cmd::kViewExplorerBar,
                                     cmd::kViewOutputWindow,
                                     cmd::kViewMediaBar,
                                     cmd::kViewStatusBar,
                                     cmd::kHideWhenMinimized,
                                     pc::kFullScreen,
                                     cmd::kLanguageFirst};
    return std::find(std::begin(kCheckable), std::end(kCheckable), id) != std::end(kCheckable);
}

QAction* CommandActions::action(int id) {
    if (QAction* existing = m_actions.value(id)) {
        return existing;
    }
    const MenuItem* item = FindMenuItem(id);
    auto* action = new QAction(this);
    QString text = item ? QString::fromUtf8(item->text) : QString::number(id);
    const QString keys = KeyText(id);
    if (!keys.isEmpty()) {
        text += QLatin1Char('\t') + keys;  // shown, not bound: the accelerators are separate
    }
    action->setText(text);
    if (item && item->hint) {
        action->setStatusTip(QString::fromUtf8(item->hint));
        action->setToolTip(QString::fromUtf8(item->hint));
    }
    action->setCheckable(IsCheckable(id));
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { m_dispatch(id); });
    m_actions.insert(id, action);
    return action;
}

// Keys act whenever the main window is active, also where a menu item is disabled: the
// dispatcher checks the command's state when the key is pressed.
// The numeric pad's keys are matched on the key press itself: X11's keyboard mapping drops
// the pad from the keys a shortcut is looked up by, so such a shortcut never fires there.
void CommandActions::AddAccelerators() {
    bool padKeys = false;
    for (const Accelerator& accelerator : AcceleratorTable()) {
        if (accelerator.key.keyboardModifiers() & Qt::KeypadModifier) {
            padKeys = true;
            continue;
        }
        auto* key = new QAction(this);
        key->setObjectName(QStringLiteral("key-%1").arg(accelerator.id));
        key->setShortcut(QKeySequence(accelerator.key));
        key->setShortcutContext(Qt::WindowShortcut);
        key->setData(accelerator.id);
        const int id = accelerator.id;
        connect(key, &QAction::triggered, this, [this, id] { m_dispatch(id); });
        m_window->addAction(key);
    }
    if (padKeys) {
        qApp->installEventFilter(this);
    }
}

bool CommandActions::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != m_window) {
        return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    if (!(press->modifiers() & Qt::KeypadModifier)) {
        return false;
    }
    for (const Accelerator& accelerator : AcceleratorTable()) {
        if (accelerator.key == press->keyCombination()) {
            m_dispatch(accelerator.id);
            return true;
        }
    }
    return false;
}

void CommandActions::BuildMenuBar(QMenuBar* bar) {
    for (const MenuPopup& popup : MenuBarTable()) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(popup.title));
        FillMenu(menu, popup.items);
    }
}

void CommandActions::AddPopup(QMenu* menu, const MenuItem& item) {
    switch (item.kind) {
        case MenuItem::Kind::ToolbarsPopup:
            FillMenu(menu->addMenu(QString::fromUtf8(item.text)), ToolbarsPopupTable());
            break;
        case MenuItem::Kind::Language: {
            // Only the built-in language until language modules are installed.
            QMenu* languages = menu->addMenu(QString::fromUtf8(item.text));
            QAction* english = action(cmd::kLanguageFirst);
            english->setText(tr("English"));
            languages->addAction(english);
            break;
        }
        case MenuItem::Kind::RecentFiles: {
            QMenu* recent = menu->addMenu(QString::fromUtf8(item.text));
            connect(recent, &QMenu::aboutToShow, this, [this, recent] {
                recent->clear();
                if (m_fillRecent) {
                    m_fillRecent(recent);
                }
            });
            break;
        }
        case MenuItem::Kind::Programs:  // the user's tools come with the Programs menu
        case MenuItem::Kind::Separator:
        case MenuItem::Kind::Command:
            break;
    }
}

void CommandActions::FillMenu(QMenu* menu, std::span<const MenuItem> items) {
    for (const MenuItem& item : items) {
        if (item.kind == MenuItem::Kind::Separator) {
            menu->addSeparator();
        } else if (item.kind != MenuItem::Kind::Command) {
            AddPopup(menu, item);
        } else if (item.id == cmd::kExplorer) {
            QMenu* explorer = menu->addMenu(QString::fromUtf8(item.text));
            explorer->menuAction()->setData(cmd::kExplorer);
            connect(menu, &QMenu::aboutToShow, this, [this, explorer] {
                explorer->clear();
                if (m_fillExplorer) {
                    m_fillExplorer(explorer);
                }
                // Without a selected file the item is removed.
                explorer->menuAction()->setVisible(!explorer->isEmpty());
            });
        } else {
            menu->addAction(action(item.id));
        }
    }
}

void CommandActions::Update(const StateQuery& enabled, const StateQuery& checked) {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(enabled(it.key()));
        if (it.value()->isCheckable()) {
            it.value()->setChecked(checked(it.key()));
        }
    }
}

}  // namespace tavi::frame
