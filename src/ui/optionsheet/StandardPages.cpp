#include "StandardPages.h"

#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "platform/process/ProcessPriority.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace tavi::ui {

namespace {

QCheckBox* AddCheck(QVBoxLayout* layout, const QString& text, bool checked) {
    auto* box = new QCheckBox(text);
    box->setChecked(checked);
    layout->addWidget(box);
    return box;
}

QButtonGroup* AddRadios(QWidget* page, QVBoxLayout* layout, const QStringList& texts, int checked) {
    auto* group = new QButtonGroup(page);
    for (int i = 0; i < texts.size(); ++i) {
        auto* radio = new QRadioButton(texts[i]);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    if (QAbstractButton* button = group->button(checked)) {
        button->setChecked(true);
    }
    return group;
}

// A whole number in the range, as the dialog's integer fields accept it.
std::optional<int> ParseInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

}  // namespace

GeneralPage::GeneralPage(QWidget* parent) : COptionsPage(parent) {
    const settings::PlayerSettings& player = settings::playerSettings();
    auto* layout = new QVBoxLayout(this);
    autoPlay = AddCheck(layout, tr("Start &playing automatically"), player.autoPlay);
    fadeOut = AddCheck(layout, tr("&Fade out when stopping"), player.fadeOut);
    ignoreErrors = AddCheck(layout, tr("&Ignore playback errors"), player.ignoreErrors);
    mediaFilesOnly = AddCheck(layout, tr("Add &media files only"), player.mediaFilesOnly);
    showSongLength = AddCheck(layout, tr("Display &length in status bar"),
                              settings::viewSettings().showSongLength);
    saveOnExit =
        AddCheck(layout, tr("&Save the playlist on exit without asking"), player.saveOnExit);
    layout->addStretch();
}

void GeneralPage::Apply() {
    settings::PlayerSettings& player = settings::playerSettings();
    player.autoPlay = autoPlay->isChecked();
    player.fadeOut = fadeOut->isChecked();
    player.ignoreErrors = ignoreErrors->isChecked();
    player.mediaFilesOnly = mediaFilesOnly->isChecked();
    player.saveOnExit = saveOnExit->isChecked();
    settings::viewSettings().showSongLength = showSongLength->isChecked();
}

MusicFolderPage::MusicFolderPage(QWidget* parent)
    : COptionsPage(parent), folder(new QLineEdit(this)) {
    folder->setMaxLength(kMaxLength);
    folder->setText(settings::playerSettings().mediaDir);
    auto* browse = new QPushButton(tr("&Browse..."), this);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen =
            QFileDialog::getExistingDirectory(this, tr("Music Folder"), folder->text());
        if (!chosen.isEmpty()) {
            folder->setText(chosen);
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(folder, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("The explorer bar shows this folder and what is in it."), this));
    layout->addLayout(row);
    layout->addStretch();
}

void MusicFolderPage::Apply() {
    settings::playerSettings().mediaDir = folder->text();
}

IntroPage::IntroPage(QWidget* parent)
    : COptionsPage(parent),
      introStart(new QLineEdit(this)),
      introLength(new QLineEdit(this)),
      ffTime(new QLineEdit(this)) {
    const settings::PlayerSettings& player = settings::playerSettings();
    introStart->setText(QString::number(player.introStart));
    introLength->setText(QString::number(player.introLength));
    ffTime->setText(QString::number(player.ffTime));
    auto* layout = new QFormLayout(this);
    layout->addRow(tr("Intro &starts after (seconds):"), introStart);
    layout->addRow(tr("Intro &length (seconds):"), introLength);
    layout->addRow(tr("&Fast forward and rewind skip (seconds):"), ffTime);
}

bool IntroPage::Validate(QString* message) {
    for (QLineEdit* field : {introStart, introLength}) {
        const std::optional<int> value = ParseInteger(field->text());
        if (!value || *value < kMinimum || *value > kMaximum) {
            *message = tr("Enter an integer between %1 and %2.").arg(kMinimum).arg(kMaximum);
            field->setFocus();
            field->selectAll();
            return false;
        }
    }
    bool ok = false;
    ffTime->text().trimmed().toUInt(&ok);
    if (!ok) {
        *message = tr("Please enter an integer.");
        ffTime->setFocus();
        return false;
    }
    return true;
}

void IntroPage::Apply() {
    settings::PlayerSettings& player = settings::playerSettings();
    player.introStart = introStart->text().trimmed().toUInt();
    player.introLength = introLength->text().trimmed().toUInt();
    player.ffTime = ffTime->text().trimmed().toUInt();
}

VideoPage::VideoPage(QWidget* parent) : COptionsPage(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("When a video plays:"), this));
    modes = AddRadios(this, layout,
                      {tr("&Automatically optimise the window size"),
                       tr("Always use the &same size and position"), tr("Play in &full screen"),
                       tr("&Maximise the video window")},
                      int(settings::viewSettings().videoMode));
    layout->addStretch();
}

void VideoPage::Apply() {
    if (modes->checkedId() >= 0) {
        settings::viewSettings().videoMode = uint32_t(modes->checkedId());
    }
}

int PriorityPage::IndexForClass(uint32_t priorityClass) {
    switch (priorityClass) {
        case process::HighPriorityClass:
            return 1;
        case process::RealtimePriorityClass:
            return 2;
        default:
            return 0;
    }
}

PriorityPage::PriorityPage(QWidget* parent) : COptionsPage(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Priority of Tavi among the running programs:"), this));
    classes = AddRadios(this, layout, {tr("&Normal"), tr("&High"), tr("&Realtime")},
                        IndexForClass(process::processPriorityClass()));
    layout->addStretch();
}

void PriorityPage::Apply() {
    static constexpr uint32_t kClasses[] = {
        process::NormalPriorityClass, process::HighPriorityClass, process::RealtimePriorityClass};
    const int index = classes->checkedId();
    if (index < 0) {
        return;
    }
    if (!process::setProcessPriorityClass(kClasses[index])) {
        // Raising the priority needs privileges; the page shows what the process really has.
        Q_EMIT refused(tr("The system did not allow this priority."));
        classes->button(IndexForClass(process::processPriorityClass()))->setChecked(true);
    }
}

}  // namespace tavi::ui
