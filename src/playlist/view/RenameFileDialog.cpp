#include "RenameFileDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavi::playlist {

RenameFileDialog::RenameFileDialog(const QString& title, QWidget* parent)
    : QDialog(parent), m_edit(new QLineEdit(title, this)) {
    setWindowTitle(tr("Rename File"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Type a new name for this file"), this));
    layout->addWidget(m_edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A name with a folder separator would move the file elsewhere; an empty one is none.
    const auto validate = [this, buttons] {
        const QString text = m_edit->text();
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(!text.isEmpty() && !text.contains(QLatin1Char('/')));
    };
    connect(m_edit, &QLineEdit::textChanged, this, validate);
    validate();
    m_edit->selectAll();
}

QString RenameFileDialog::newTitle() const {
    return m_edit->text();
}

}  // namespace tavi::playlist
