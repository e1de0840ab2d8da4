#include "CToolMenu.h"

#include "LaunchTool.h"

#include <QMenu>

namespace tavi::automation::tools {

CToolMenu::CToolMenu(ConsoleSource console, QObject* parent)
    : QObject(parent), m_console(std::move(console)) {}

void CToolMenu::Attach(QMenu* popup) {
    if (m_popup) {
        disconnect(m_popup, nullptr, this, nullptr);
    }
    m_popup = popup;
    if (!popup) {
        return;
    }
    QAction* first = popup->actions().value(0);
    m_separator = first ? popup->insertSeparator(first) : popup->addSeparator();
    connect(popup, &QMenu::aboutToShow, this, &CToolMenu::Fill);
    Fill();
}

void CToolMenu::Fill() {
    if (!m_popup) {
        return;
    }
    for (QAction* action : m_popup->actions()) {
        if (action == m_separator) {
            break;
        }
        m_popup->removeAction(action);
        action->deleteLater();
    }
    int id = kFirstId;
    for (const CTool& tool : m_list.tools()) {
        auto* action = new QAction(tool.Icon(), tool.description, m_popup);
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { Run(id); });
        m_popup->insertAction(m_separator, action);
        ++id;
    }
}

bool CToolMenu::Run(int id, const std::optional<QString>& file) {
    const int index = id - kFirstId;
    if (id < kFirstId || id > kLastId || index >= int(m_list.tools().size())) {
        return false;
    }
    return LaunchTool(m_list.tools()[size_t(index)], file, m_console ? m_console() : nullptr);
}

}  // namespace tavi::automation::tools
