#pragma once

#include "CToolList.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class QAction;
class QMenu;

namespace tavi::automation::console {
class CConsoleProcess;
}

namespace tavi::automation::tools {

// The user's tools at the top of the Programs popup, made anew each time it opens: tool k
// has the command id 2001 + k (at most 99 are reached from the menu).
class CToolMenu : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstId = 2001;
    static constexpr int kLastId = 2099;
    using ConsoleSource = std::function<console::CConsoleProcess*()>;

    CToolMenu(ConsoleSource console, QObject* parent = nullptr);

    CToolList& list() { return m_list; }
    void Attach(QMenu* popup);
    void Fill();
    // Launches the tool of a command id; false for ids outside the tools.
    bool Run(int id, const std::optional<QString>& file = std::nullopt);
    console::CConsoleProcess* Console() const { return m_console(); }

private:
    CToolList m_list;
    ConsoleSource m_console;
    QPointer<QMenu> m_popup;
    QAction* m_separator = nullptr;  // the tools come before it
};

}  // namespace tavi::automation::tools
