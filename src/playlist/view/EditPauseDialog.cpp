#include "EditPauseDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tavi::playlist {

EditPauseDialog::EditPauseDialog(int seconds, QWidget* parent)
    : QDialog(parent), m_seconds(new QSpinBox(this)) {
    setWindowTitle(tr("Edit Pause"));
    m_seconds->setRange(kMinSeconds, kMaxSeconds);
    m_seconds->setValue(seconds);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Please enter the pause length in seconds."), this));
    layout->addWidget(m_seconds);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_seconds->selectAll();
}

int EditPauseDialog::seconds() const {
    return m_seconds->value();
}

}  // namespace tavi::playlist
