#include "FindDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavi::frame {

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent),
      m_text(new QLineEdit(this)),
      m_matchCase(new QCheckBox(tr("Match &case"), this)),
      m_up(new QRadioButton(tr("&Up"), this)),
      m_down(new QRadioButton(tr("&Down"), this)),
      m_status(new QLabel(this)) {
    setWindowTitle(tr("Find"));
    setObjectName(QStringLiteral("FindDialog"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);  // closing forgets the dialog
    m_down->setChecked(true);

    auto* direction = new QGroupBox(tr("Direction"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* next = buttons->addButton(tr("&Find Next"), QDialogButtonBox::AcceptRole);
    next->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    connect(next, &QPushButton::clicked, this, [this] { Q_EMIT findNext(Request()); });
    next->setEnabled(false);
    connect(m_text, &QLineEdit::textChanged, next,
            [next](const QString& text) { next->setEnabled(!text.isEmpty()); });

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Fi&nd what:"), this));
    row->addWidget(m_text, 1);
    auto* options = new QHBoxLayout;
    options->addWidget(m_matchCase);
    options->addWidget(direction);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(options);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
}

FindRequest FindDialog::Request() const {
    return {m_text->text(), !m_up->isChecked(), m_matchCase->isChecked()};
}

void FindDialog::ShowNotFound(bool notFound) {
    m_status->setText(notFound ? tr("Cannot find \"%1\".").arg(m_text->text()) : QString());
}

}  // namespace tavi::frame
