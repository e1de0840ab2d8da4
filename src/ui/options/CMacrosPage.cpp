#include "CMacrosPage.h"

#include "automation/script/CMacroList.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tavi::ui {

namespace {
enum Column { kName, kStatus, kStartupColumn };
}

CMacrosPage::CMacrosPage(automation::script::CMacroList& macros, QWidget* parent)
    : COptionsPage(parent), m_macros(macros), m_list(new QTreeWidget(this)) {
    setWindowTitle(tr("Add-ins"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(
        tr("Add-ins can extend the functions of Tavi or integrate Tavi with 3rd-party systems."),
        this);
    text->setWordWrap(true);
    layout->addWidget(text);
    m_list->setObjectName(QStringLiteral("list%1").arg(kListId));
    m_list->setHeaderLabels({tr("Name"), tr("Status"), tr("Startup")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->header()->resizeSection(kName, 180);
    m_list->header()->resizeSection(kStatus, 60);
    m_list->header()->resizeSection(kStartupColumn, 60);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](const QPoint& point) {
        CreateContextMenu()->exec(m_list->viewport()->mapToGlobal(point));
    });
    layout->addWidget(m_list);
    Fill();
}

void CMacrosPage::Fill() {
    QFileIconProvider icons;
    for (const auto& macro : m_macros.Macros()) {
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(kName, macro->Name());
        row->setData(kName, Qt::UserRole, macro->Name());
        row->setIcon(kName, icons.icon(QFileInfo(macro->FileName())));
        row->setToolTip(kName, macro->FileName());
        Refresh(row);
    }
}

void CMacrosPage::Refresh(QTreeWidgetItem* row) {
    const MacroPtr macro = MacroOf(row);
    if (!macro) {
        return;
    }
    row->setText(kStatus, macro->IsScriptRunning() ? tr("Running") : tr("Stopped"));
    row->setText(kStartupColumn, macro->Startup() ? tr("Yes") : tr("No"));
}

CMacrosPage::MacroPtr CMacrosPage::MacroOf(const QTreeWidgetItem* row) const {
    return m_macros.Find(row->data(kName, Qt::UserRole).toString());
}

std::vector<QTreeWidgetItem*> CMacrosPage::SelectedRows() const {
    std::vector<QTreeWidgetItem*> rows;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->isSelected()) {
            rows.push_back(m_list->topLevelItem(i));
        }
    }
    return rows;
}

bool CMacrosPage::AnySelected(bool running) const {
    for (QTreeWidgetItem* row : SelectedRows()) {
        const MacroPtr macro = MacroOf(row);
        if (macro && macro->IsScriptRunning() == running) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<QMenu> CMacrosPage::CreateContextMenu() {
    auto menu = std::make_unique<QMenu>(QStringLiteral("MACROS"));
    const auto add = [&](const QString& text, int command, bool enabled) {
        QAction* action = menu->addAction(text, this, [this, command] { RunCommand(command); });
        action->setData(command);
        action->setEnabled(enabled);
        return action;
    };
    const auto rows = SelectedRows();
    add(tr("&Run"), kRun, AnySelected(false));
    add(tr("&Stop"), kStop, AnySelected(true));
    add(tr("Reload From &File"), kReload, true);
    QAction* startup = add(tr("Run on &Startup"), kStartup, rows.size() == 1);
    startup->setCheckable(true);
    startup->setChecked(rows.size() == 1 && MacroOf(rows.front()) &&
                        MacroOf(rows.front())->Startup());
    add(tr("&Uninstall"), kUninstall, true);
    return menu;
}

void CMacrosPage::RunCommand(int command) {
    if (command == kUninstall) {
        Uninstall();
        return;
    }
    for (QTreeWidgetItem* row : SelectedRows()) {
        const MacroPtr macro = MacroOf(row);
        if (!macro) {
            continue;
        }
        if (command == kRun && !macro->IsScriptRunning()) {
            macro->RunScript();
        } else if (command == kStop && macro->IsScriptRunning()) {
            macro->StopScript();
        } else if (command == kReload) {
            const bool wasRunning = macro->IsScriptRunning();
            if (macro->ReloadMacro(macro->FileName()) && wasRunning) {
                macro->RunScript();
            }
        } else if (command == kStartup) {
            macro->SetStartup(!macro->Startup());
        }
        Refresh(row);
    }
}

// The selected rows go one by one, each with its macro and its key; the files stay.
void CMacrosPage::Uninstall() {
    for (auto rows = SelectedRows(); !rows.empty(); rows = SelectedRows()) {
        QTreeWidgetItem* row = rows.front();
        m_macros.Remove(row->data(kName, Qt::UserRole).toString());
        delete row;
    }
}

void CMacrosPage::Apply() {
    m_macros.SaveAllMacros();
}

}  // namespace tavi::ui
