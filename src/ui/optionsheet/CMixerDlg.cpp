#include "CMixerDlg.h"

#include "app/settings/PlayerSettings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolButton>
#include <QVBoxLayout>

namespace tavi::ui {

bool StartProgram(const QString& program) {
    return !program.isEmpty() && QProcess::startDetached(program, {});
}

CMixerDlg::CMixerDlg(QWidget* parent)
    : COptionsPage(parent), program(new QLineEdit(this)), startButton(new QToolButton(this)) {
    program->setText(settings::playerSettings().mixer);
    startButton->setIconSize(QSize(32, 32));
    startButton->setToolTip(tr("Start the mixer"));
    auto* browse = new QPushButton(tr("&Browse..."), this);
    auto* text = new QLabel(tr("Select a program that will be used as the mixer. You can start it "
                               "with the mixer button."),
                            this);
    text->setWordWrap(true);
    auto* row = new QHBoxLayout;
    row->addWidget(startButton);
    row->addWidget(program, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(row);
    layout->addStretch();
    connect(browse, &QPushButton::clicked, this, &CMixerDlg::Browse);
    connect(startButton, &QToolButton::clicked, this, [this] { StartProgram(program->text()); });
    connect(program, &QLineEdit::textChanged, this, &CMixerDlg::UpdateIcon);
    UpdateIcon();
}

void CMixerDlg::UpdateIcon() {
    const QString found = QStandardPaths::findExecutable(program->text());
    QFileIconProvider icons;
    startButton->setIcon(found.isEmpty() ? icons.icon(QFileIconProvider::File)
                                         : icons.icon(QFileInfo(found)));
    startButton->setEnabled(!program->text().isEmpty());
}

void CMixerDlg::Browse() {
    const QString found = QStandardPaths::findExecutable(program->text());
    const QString folder = found.isEmpty() ? QDir::homePath() : QFileInfo(found).absolutePath();
    QFileDialog dialog(this, tr("Browse for mixer"), folder);
    dialog.setNameFilters({tr("Programs (*)"), tr("All Files (*)")});
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        program->setText(dialog.selectedFiles().constFirst());
    }
}

void CMixerDlg::Apply() {
    settings::playerSettings().mixer = program->text();
}

}  // namespace tavi::ui
