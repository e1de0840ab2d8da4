#pragma once

#include "CommandTables.h"

#include <QHash>
#include <QObject>
#include <QPointer>

#include <functional>
#include <span>

class QAction;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QWidget;

namespace tavi::frame {

// One QAction per command id for the menus and tool bars, plus one always-enabled action
// per key of the accelerator table. Every action ends in the same dispatcher, which
// decides whether the command is enabled at that moment.
class CommandActions : public QObject {
    Q_OBJECT
public:
    using Dispatcher = std::function<void(int id)>;
    using StateQuery = std::function<bool(int id)>;

    CommandActions(QWidget* window, Dispatcher dispatch);

    // The action of a command, created on first use from the menu tables.
    QAction* action(int id);
    // Commands whose menu item carries a check mark.
    static bool IsCheckable(int id);

    void BuildMenuBar(QMenuBar* bar);
    // Fills a popup from a table; the Explorer item (55296) becomes a submenu that
    // fillExplorer fills each time the popup opens.
    void FillMenu(QMenu* menu, std::span<const MenuItem> items);
    void SetExplorerFiller(std::function<void(QMenu*)> fill) { m_fillExplorer = std::move(fill); }
    void SetRecentFilesFiller(std::function<void(QMenu*)> fill) { m_fillRecent = std::move(fill); }
    // The View > Language popup is filled each time it opens.
    void SetLanguageFiller(std::function<void(QMenu*)> fill) { m_fillLanguage = std::move(fill); }

    // Sets every action's text and prompts and every popup's title again from the tables,
    // in the language now active.
    void Retranslate();

    // Runs the command a key of the accelerator table is bound to, as if the key had been
    // pressed in the main window; false when the key has no binding. For keys pressed in
    // other top-level windows (the video window), where Qt fires no shortcut of this one.
    bool DispatchKey(QKeyCombination key);

    // The idle pass: enable and check every menu action.
    void Update(const StateQuery& enabled, const StateQuery& checked);
    QList<int> commandIds() const { return m_actions.keys(); }

    // A list or tree with this property set to true takes the command keys (the playlist);
    // any other, and every text field, keeps its plain keys.
    static constexpr const char* kCommandKeysProperty = "taviCommandKeys";
    static bool KeyBelongsToWidget(const QWidget* widget, const QKeyEvent& press);

protected:
    // The numeric pad's keys (Ctrl+numeric-pad plus, Alt+numeric-pad Enter), and plain keys
    // that belong to the focused text field, list or tree (KeyBelongsToWidget).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddAccelerators();
    void AddPopup(QMenu* menu, const MenuItem& item);
    QMenu* AddTitledMenu(QMenu* parent, const MenuText& title);
    void ApplyTexts(QAction* action, int id) const;

    QWidget* m_window;
    Dispatcher m_dispatch;
    QHash<int, QAction*> m_actions;
    std::function<void(QMenu*)> m_fillExplorer;
    std::function<void(QMenu*)> m_fillRecent;
    std::function<void(QMenu*)> m_fillLanguage;
    // Every popup made from the tables, with the title it is given in each language.
    std::vector<std::pair<QPointer<QMenu>, MenuText>> m_popups;
};

}  // namespace tavi::frame
