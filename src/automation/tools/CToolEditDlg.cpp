#include "CToolEditDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavi::automation::tools {

CToolEditDlg::CToolEditDlg(const CToolList& tools, EditTool edit, RunTool run, QWidget* parent)
    : QDialog(parent),
      m_edit(std::move(edit)),
      m_run(std::move(run)),
      m_list(new QListWidget(this)) {
    setWindowTitle(tr("Edit Programs"));
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    for (const CTool& tool : tools.tools()) {
        AddRow(tool, m_list->count());
    }
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CToolEditDlg::EditSelected);
    auto* label = new QLabel(tr("&Programs or folders"), this);
    label->setBuddy(m_list);
    auto* buttons = new QVBoxLayout;
    const std::pair<const char*, void (CToolEditDlg::*)()> actions[] = {
        {QT_TR_NOOP("&New..."), &CToolEditDlg::NewTool},
        {QT_TR_NOOP("&Edit..."), &CToolEditDlg::EditSelected},
        {QT_TR_NOOP("&Delete"), &CToolEditDlg::DeleteSelected},
        {QT_TR_NOOP("&Run"), &CToolEditDlg::RunSelected}};
    for (const auto& [text, slot] : actions) {
        auto* button = new QPushButton(tr(text), this);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(m_list);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(row);
    layout->addWidget(box);
}

void CToolEditDlg::AddRow(const CTool& tool, int at) {
    m_tools.push_back(tool);
    auto* item = new QListWidgetItem(tool.Icon(), tool.description);
    item->setData(Qt::UserRole, int(m_tools.size() - 1));
    m_list->insertItem(at, item);
}

CToolList CToolEditDlg::Result() const {
    CToolList result;
    for (int row = 0; row < m_list->count(); ++row) {
        result.tools().push_back(m_tools[size_t(m_list->item(row)->data(Qt::UserRole).toInt())]);
    }
    return result;
}

void CToolEditDlg::NewTool() {
    CTool tool;
    if (m_edit && m_edit(tool, this)) {
        AddRow(tool, m_list->count());
        m_list->setCurrentRow(m_list->count() - 1);
    }
}

void CToolEditDlg::EditSelected() {
    QListWidgetItem* item = m_list->currentItem();
    if (!item || !m_edit) {
        return;
    }
    CTool& tool = m_tools[size_t(item->data(Qt::UserRole).toInt())];
    CTool edited = tool;
    if (m_edit(edited, this)) {
        tool = edited;
        item->setText(tool.description);
        item->setIcon(tool.Icon());
    }
}

void CToolEditDlg::DeleteSelected() {
    const int row = m_list->currentRow();
    if (row < 0) {
        return;
    }
    delete m_list->takeItem(row);
    if (row < m_list->count()) {
        m_list->setCurrentRow(row);
    } else {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
}

void CToolEditDlg::RunSelected() {
    if (QListWidgetItem* item = m_list->currentItem(); item && m_run) {
        m_run(m_tools[size_t(item->data(Qt::UserRole).toInt())]);
    }
}

}  // namespace tavi::automation::tools
