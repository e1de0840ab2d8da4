#include "CMidiResetDlg.h"

#include "CResetWnd.h"
#include "app/settings/PlayerSettings.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavi::ui {

CMidiResetDlg::CMidiResetDlg(QWidget* parent)
    : COptionsPage(parent),
      m_file(new QLineEdit),
      m_browse(new QPushButton(tr("&Browse..."))),
      m_sendReset(new QCheckBox(tr("&send a MIDI-Reset before playing a Midi file"))),
      m_reset(new QPushButton(tr("&Reset"))) {
    setWindowTitle(tr("MIDI"));
    auto* text =
        new QLabel(tr("Type the name of a MIDI file which contains all "
                      "necessary initialization commands for your MIDI "
                      "system"));
    text->setWordWrap(true);
    text->setBuddy(m_file);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file, 1);
    fileRow->addWidget(m_browse);
    auto* resetRow = new QHBoxLayout;
    resetRow->addWidget(m_sendReset, 1);
    resetRow->addWidget(m_reset);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(fileRow);
    layout->addLayout(resetRow);
    layout->addStretch(1);

    const settings::PlayerSettings& settings = settings::playerSettings();
    m_file->setText(settings.resetFile);
    m_sendReset->setChecked(settings.sendReset);
    m_reset->setEnabled(settings.sendReset);
    m_runReset = [this](const QString& file) { return CResetWnd::Run(file, this); };
    connect(m_sendReset, &QCheckBox::toggled, m_reset, &QPushButton::setEnabled);
    connect(m_browse, &QPushButton::clicked, this, &CMidiResetDlg::Browse);
    connect(m_reset, &QPushButton::clicked, this, &CMidiResetDlg::Reset);
}

void CMidiResetDlg::Browse() {
    const QString file = QFileDialog::getOpenFileName(this, QString(), m_file->text(),
                                                      tr("MIDI Files (*.mid);;All Files (*)"));
    if (!file.isEmpty()) {
        m_file->setText(file);
    }
}

void CMidiResetDlg::Reset() {
    if (!m_file->text().isEmpty()) {
        m_runReset(m_file->text());
    }
}

void CMidiResetDlg::Apply() {
    settings::PlayerSettings& settings = settings::playerSettings();
    settings.resetFile = m_file->text();
    settings.sendReset = m_sendReset->isChecked();
}

}  // namespace tavi::ui
