#pragma once

#include "CToolList.h"

#include <QDialog>

#include <functional>

class QListWidget;

namespace tavi::automation::tools {

// "Edit Programs": the tools on a copy of the list, reordered by dragging; OK hands the
// copy back in the list's order, Cancel changes nothing.
class CToolEditDlg : public QDialog {
    Q_OBJECT
public:
    // How a tool is edited ("Tool Properties"); false when the user cancels. Tests answer.
    using EditTool = std::function<bool(CTool& tool, QWidget* parent)>;
    // How the Run button starts a tool.
    using RunTool = std::function<void(const CTool& tool)>;

    CToolEditDlg(const CToolList& tools, EditTool edit, RunTool run, QWidget* parent = nullptr);
    // The tools in the order the list shows them.
    CToolList Result() const;

    QListWidget* list() const { return m_list; }
    void NewTool();
    void EditSelected();
    void DeleteSelected();
    void RunSelected();

private:
    void AddRow(const CTool& tool, int at);

    std::vector<CTool> m_tools;  // by the index each row keeps
    EditTool m_edit;
    RunTool m_run;
    QListWidget* m_list;
};

}  // namespace tavi::automation::tools
