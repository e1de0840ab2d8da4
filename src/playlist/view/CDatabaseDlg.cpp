#include "CDatabaseDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavi::playlist {

CDatabaseDlg::CDatabaseDlg(CdDataEdit data, QWidget* parent)
    : QDialog(parent),
      m_data(std::move(data)),
      m_tracks(new QComboBox(this)),
      m_artist(new QLineEdit(m_data.artist(), this)),
      m_title(new QLineEdit(m_data.title(), this)),
      m_number(new QLabel(this)),
      m_ok(new QPushButton(tr("OK"), this)),
      m_cancel(new QPushButton(tr("Cancel"), this)) {
    setWindowTitle(tr("Edit CD data base"));
    m_tracks->setEditable(true);
    m_tracks->setInsertPolicy(QComboBox::NoInsert);  // Enter moves on; it adds no track
    m_tracks->addItems(m_data.names());
    m_tracks->setMinimumContentsLength(32);
    BuildLayout();
    ShowSelected();
    connect(m_tracks, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_data.Select(index);
        ShowSelected();
    });
    connect(m_tracks->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        m_data.SetSelectedName(text);
        m_tracks->setItemText(m_data.selected(), text);
    });
    connect(m_artist, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_data.SetArtist(text); });
    connect(m_title, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_data.SetTitle(text); });
    m_ok->setDefault(true);
    m_cancel->setAutoDefault(false);  // Enter on it is OK as well
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    // The combo box has the focus and hands its keys to its line edit itself.
    for (QObject* field :
         {static_cast<QObject*>(m_tracks), static_cast<QObject*>(m_tracks->lineEdit()),
          static_cast<QObject*>(m_artist), static_cast<QObject*>(m_title)}) {
        field->installEventFilter(this);
    }
    m_tracks->setFocus();
}

void CDatabaseDlg::BuildLayout() {
    auto* form = new QFormLayout;
    auto* trackRow = new QHBoxLayout;
    trackRow->addWidget(m_number);
    trackRow->addWidget(m_tracks, 1);
    auto* nrLabel = new QLabel(tr("&Nr"), this);
    nrLabel->setBuddy(m_tracks);
    form->addRow(nrLabel, trackRow);
    auto* artistLabel = new QLabel(tr("&Artist"), this);
    artistLabel->setBuddy(m_artist);
    form->addRow(artistLabel, m_artist);
    auto* titleLabel = new QLabel(tr("&Title"), this);
    titleLabel->setBuddy(m_title);
    form->addRow(titleLabel, m_title);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CDatabaseDlg::ShowSelected() {
    const int selected = m_data.selected();
    m_number->setText(selected >= 0 ? QString::number(selected + 1) : QString());
    if (m_tracks->currentIndex() != selected) {
        m_tracks->setCurrentIndex(selected);
    }
}

QWidget* CDatabaseDlg::NextOnEnter(QObject* watched) const {
    if (watched == m_tracks || watched == m_tracks->lineEdit()) {
        return m_artist;
    }
    if (watched == m_artist) {
        return m_title;
    }
    return m_tracks;
}

bool CDatabaseDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            NextOnEnter(watched)->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tavi::playlist
