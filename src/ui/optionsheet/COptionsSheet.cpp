#include "COptionsSheet.h"

#include "COptionsPage.h"
#include "OptionsPageRegistry.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tavi::ui {

COptionsSheet::COptionsSheet(const OptionsPageRegistry& registry, QWidget* parent)
    : QDialog(parent), m_tree(new QTreeWidget(this)), m_stack(new QStackedWidget(this)) {
    setWindowTitle(tr("Options"));
    setObjectName(QStringLiteral("OptionsSheet"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(false);
    m_tree->setFixedWidth(150);
    for (const OptionsPageEntry& entry : registry.Pages()) {
        COptionsPage* page = entry.create(m_stack);
        if (!page) {
            continue;
        }
        page->setObjectName(entry.caption);
        m_pages.push_back(page);
        m_stack->addWidget(page);
        m_tree->addTopLevelItem(new QTreeWidgetItem(QStringList{
            QCoreApplication::translate("OptionsPage", entry.caption.toUtf8().constData())}));
    }
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        m_stack->setCurrentIndex(m_tree->indexOfTopLevelItem(item));
    });

    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COptionsSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COptionsSheet::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &COptionsSheet::ApplyAll);

    auto* pages = new QHBoxLayout;
    pages->addWidget(m_tree);
    pages->addWidget(m_stack, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pages, 1);
    layout->addWidget(buttons);
    SetCurrentPage(0);
}

COptionsPage* COptionsSheet::PageByCaption(const QString& caption) const {
    for (COptionsPage* page : m_pages) {
        if (page->objectName() == caption) {
            return page;
        }
    }
    return nullptr;
}

QStringList COptionsSheet::Captions() const {
    QStringList captions;
    for (const COptionsPage* page : m_pages) {
        captions.append(page->objectName());
    }
    return captions;
}

void COptionsSheet::SetCurrentPage(int index) {
    if (index >= 0 && index < PageCount()) {
        m_tree->setCurrentItem(m_tree->topLevelItem(index));
        m_stack->setCurrentIndex(index);
    }
}

bool COptionsSheet::ApplyAll() {
    for (int index = 0; index < PageCount(); ++index) {
        QString message;
        if (!Page(index)->Validate(&message)) {
            SetCurrentPage(index);
            ShowValidationError(message);
            return false;
        }
    }
    for (COptionsPage* page : m_pages) {
        page->Apply();
    }
    Q_EMIT applied();
    return true;
}

void COptionsSheet::accept() {
    if (ApplyAll()) {
        QDialog::accept();
    }
}

void COptionsSheet::ShowValidationError(const QString& message) {
    QMessageBox::warning(this, windowTitle(), message);
}

}  // namespace tavi::ui
