#pragma once

#include "ui/optionsheet/COptionsPage.h"

#include <memory>
#include <vector>

class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavi::automation::script {
class CMacro;
class CMacroList;
}  // namespace tavi::automation::script

namespace tavi::ui {

// "Add-ins": the macros with their state and start-up flag. A right click acts on the
// selected rows (run, stop, reload from the file, run on start-up, uninstall); OK or Apply
// writes every macro's key.
class CMacrosPage : public COptionsPage {
    Q_OBJECT
public:
    static constexpr int kListId = 1055;
    enum Command {
        kRun = 32861,
        kStop = 32856,
        kReload = 32857,
        kStartup = 32858,
        kUninstall = 32862
    };

    explicit CMacrosPage(automation::script::CMacroList& macros, QWidget* parent = nullptr);
    void Apply() override;

    QTreeWidget* list() const { return m_list; }
    // The context menu as it is for the rows selected now.
    std::unique_ptr<QMenu> CreateContextMenu();
    void RunCommand(int command);

private:
    using MacroPtr = std::shared_ptr<automation::script::CMacro>;
    void Fill();
    void Refresh(QTreeWidgetItem* row);
    MacroPtr MacroOf(const QTreeWidgetItem* row) const;
    std::vector<QTreeWidgetItem*> SelectedRows() const;
    bool AnySelected(bool running) const;
    void Uninstall();

    automation::script::CMacroList& m_macros;
    QTreeWidget* m_list;
};

}  // namespace tavi::ui
