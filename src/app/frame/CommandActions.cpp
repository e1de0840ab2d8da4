#include "CommandActions.h"

#include "FrameCommandIds.h"
#include "engines/player/PlayModes.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>
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
    static const int kCheckable[] = {pc::kPlay,
                                     pc::kPause,
                                     pc::kLoop,
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
                                     pc::kFullScreen};
    return std::find(std::begin(kCheckable), std::end(kCheckable), id) != std::end(kCheckable);
}

QAction* CommandActions::action(int id) {
    if (QAction* existing = m_actions.value(id)) {
        return existing;
    }
    auto* action = new QAction(this);
    ApplyTexts(action, id);
    action->setCheckable(IsCheckable(id));
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { m_dispatch(id); });
    m_actions.insert(id, action);
    return action;
}

void CommandActions::ApplyTexts(QAction* action, int id) const {
    const MenuItem* item = FindMenuItem(id);
    QString text = item ? item->text.translated() : QString::number(id);
    const QString keys = KeyText(id);
    if (!keys.isEmpty()) {
        text += QLatin1Char('\t') + keys;  // shown, not bound: the accelerators are separate
    }
    action->setText(text);
    if (item && !item->hint.isNull()) {
        action->setStatusTip(item->hint.translated());
        action->setToolTip(item->hint.translated());
    }
}

void CommandActions::Retranslate() {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        ApplyTexts(it.value(), it.key());
    }
    for (const auto& [menu, title] : m_popups) {
        if (menu) {
            menu->setTitle(title.translated());
        }
    }
}

// Keys act whenever the main window is active, also where a menu item is disabled: the
// dispatcher checks the command's state when the key is pressed.
// The numeric pad's keys are matched on the key press itself: X11's keyboard mapping drops
// the pad from the keys a shortcut is looked up by, so such a shortcut never fires there.
void CommandActions::AddAccelerators() {
    for (const Accelerator& accelerator : AcceleratorTable()) {
        if (accelerator.key.keyboardModifiers() & Qt::KeypadModifier) {
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
    qApp->installEventFilter(this);  // the pad's keys, and keys that belong to a text field
}

bool CommandActions::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != m_window) {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        auto* press = static_cast<QKeyEvent*>(event);
        if (KeyBelongsToWidget(static_cast<QWidget*>(watched), *press)) {
            press->accept();  // the widget gets the key as a key press; no command runs
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) {
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

// Keys without Ctrl (letters, Delete, Insert, Alt+Delete...) are the playlist's and the
// window's commands only while neither a text field nor another list or tree has the focus:
// there they type, search or navigate.
bool CommandActions::KeyBelongsToWidget(const QWidget* widget, const QKeyEvent& press) {
    const Qt::KeyboardModifiers modifiers = press.modifiers() & ~Qt::KeypadModifier;
    if (modifiers & (Qt::ControlModifier | Qt::MetaModifier)) {
        return false;
    }
    const int key = press.key();
    if ((key >= Qt::Key_F1 && key <= Qt::Key_F35) || key == Qt::Key_Pause ||
        (key >= Qt::Key_Back && key < Qt::Key_unknown)) {
        return false;  // function and media keys stay commands everywhere
    }
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
        qobject_cast<const QPlainTextEdit*>(widget) ||
        qobject_cast<const QAbstractSpinBox*>(widget)) {
        return true;
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        return combo->isEditable();
    }
    const auto* view = qobject_cast<const QAbstractItemView*>(widget);
    return view && !view->property(kCommandKeysProperty).toBool();
}

bool CommandActions::DispatchKey(QKeyCombination key) {
    // A key of the numeric pad that has no binding of its own acts as the main key.
    const QKeyCombination mainKey(key.keyboardModifiers() & ~Qt::KeypadModifier, key.key());
    for (const QKeyCombination wanted : {key, mainKey}) {
        for (const Accelerator& accelerator : AcceleratorTable()) {
            if (accelerator.key == wanted) {
                m_dispatch(accelerator.id);
                return true;
            }
        }
    }
    return false;
}

void CommandActions::BuildMenuBar(QMenuBar* bar) {
    for (const MenuPopup& popup : MenuBarTable()) {
        const MenuText title{popup.title, nullptr};
        QMenu* menu = bar->addMenu(title.translated());
        m_popups.emplace_back(menu, title);
        FillMenu(menu, popup.items);
    }
}

QMenu* CommandActions::AddTitledMenu(QMenu* parent, const MenuText& title) {
    QMenu* menu = parent->addMenu(title.translated());
    m_popups.emplace_back(menu, title);
    return menu;
}

void CommandActions::AddPopup(QMenu* menu, const MenuItem& item) {
    switch (item.kind) {
        case MenuItem::Kind::ToolbarsPopup:
            FillMenu(AddTitledMenu(menu, item.text), ToolbarsPopupTable());
            break;
        case MenuItem::Kind::Language: {
            // The placeholder the language items replace when the popup first opens.
            QMenu* languages = AddTitledMenu(menu, item.text);
            languages->setObjectName(QStringLiteral("LanguagePopup"));
            QAction* placeholder =
                languages->addAction(QCoreApplication::translate("Menu", "Default Language"));
            placeholder->setData(cmd::kLanguageFirst);
            placeholder->setStatusTip(
                QCoreApplication::translate("Menu", "Select a display language", "43000"));
            connect(languages, &QMenu::aboutToShow, this, [this, languages] {
                if (m_fillLanguage) {
                    m_fillLanguage(languages);
                }
            });
            break;
        }
        case MenuItem::Kind::RecentFiles: {
            QMenu* recent = AddTitledMenu(menu, item.text);
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
            QMenu* explorer = AddTitledMenu(menu, item.text);
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
