#include "CLanguageMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

namespace tavi::ui {

namespace {

// Takes the items with ids first .. first + count - 1 out of the popup; returns the
// position of the first one (the end when there was none).
qsizetype RemoveItems(QMenu* popup, int first, int count) {
    qsizetype position = -1;
    const QList<QAction*> actions = popup->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        bool isNumber = false;
        const int id = actions[i]->data().toInt(&isNumber);
        if (isNumber && id >= first && id < first + count) {
            if (position < 0) {
                position = i;
            }
            popup->removeAction(actions[i]);
            if (actions[i]->parent() == popup) {
                delete actions[i];
            }
        }
    }
    return position < 0 ? popup->actions().size() : position;
}

}  // namespace

CLanguageMenu::CLanguageMenu(Chooser choose) : m_choose(std::move(choose)) {}

void CLanguageMenu::FillMenu(QMenu* popup, int firstId) {
    const qsizetype position = RemoveItems(popup, firstId, m_inserted);
    LoadList();
    const QStringList names = Names();
    QAction* before = popup->actions().value(position, nullptr);
    auto* group = new QActionGroup(popup);
    for (int i = 0; i < names.size(); ++i) {
        auto* item = new QAction(QLatin1Char('&') + names[i], popup);
        item->setData(firstId + i);
        item->setCheckable(true);
        item->setChecked(i == ActiveIndex());
        item->setStatusTip(
            QCoreApplication::translate("Menu", "Select a display language", "43000"));
        item->setActionGroup(group);
        const int id = firstId + i;
        QObject::connect(item, &QAction::triggered, popup, [this, id] { m_choose(id); });
        popup->insertAction(before, item);
    }
    m_inserted = static_cast<int>(names.size());
}

}  // namespace tavi::ui
