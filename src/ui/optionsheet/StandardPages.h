#pragma once

#include "COptionsPage.h"

#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tavi::ui {

// "General": the player's switches.
class GeneralPage : public COptionsPage {
    Q_OBJECT
public:
    explicit GeneralPage(QWidget* parent = nullptr);
    void Apply() override;

    QCheckBox* autoPlay;
    QCheckBox* fadeOut;
    QCheckBox* ignoreErrors;
    QCheckBox* mediaFilesOnly;
    QCheckBox* showSongLength;
    QCheckBox* saveOnExit;
};

// "Music Folder": the root of the explorer bar.
class MusicFolderPage : public COptionsPage {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 260;
    explicit MusicFolderPage(QWidget* parent = nullptr);
    void Apply() override;

    QLineEdit* folder;
};

// "Intro": where Intro Scan starts and how long it plays (0..300 s each), and how far
// Fast Forward and Rewind skip.
class IntroPage : public COptionsPage {
    Q_OBJECT
public:
    static constexpr int kMinimum = 0;
    static constexpr int kMaximum = 300;
    explicit IntroPage(QWidget* parent = nullptr);
    bool Validate(QString* message) override;
    void Apply() override;

    QLineEdit* introStart;
    QLineEdit* introLength;
    QLineEdit* ffTime;
};

// "Video": the preferred video window mode.
class VideoPage : public COptionsPage {
    Q_OBJECT
public:
    explicit VideoPage(QWidget* parent = nullptr);
    void Apply() override;

    QButtonGroup* modes;
};

// "Priority": the process's priority class, applied at once.
class PriorityPage : public COptionsPage {
    Q_OBJECT
public:
    explicit PriorityPage(QWidget* parent = nullptr);
    void Apply() override;
    // The class the page shows for the process's class: 128 High, 256 Realtime, else Normal.
    static int IndexForClass(uint32_t priorityClass);

    QButtonGroup* classes;

Q_SIGNALS:
    void refused(const QString& message);
};

}  // namespace tavi::ui
