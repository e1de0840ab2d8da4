#pragma once

#include "app/ApplicationServices.h"
#include "app/settings/RecentFileList.h"
#include "engines/CMediaTrack.h"
#include "platform/errors/CException.h"

#include <QStringList>

namespace tavi::test {

// The application's side of the frame, recording what the frame asks for.
class RecordingServices : public app::ApplicationServices {
public:
    bool OpenDocumentFile(const QString& path) override {
        opened.append(path);
        return true;
    }
    void NewDocument() override { ++newDocuments; }
    settings::RecentFileList& RecentFiles() override { return recent; }
    void SaveSettings() override { ++settingsSaved; }
    void RunStartupCommand() override { ++startupCommands; }
    void EditPrograms() override { ++programEdits; }

    QStringList opened;
    int startupCommands = 0;
    int programEdits = 0;
    int newDocuments = 0;
    int settingsSaved = 0;
    settings::RecentFileList recent;
};

class TrackReadError : public errors::CException {
public:
    QString GetErrorMessage() const override { return QStringLiteral("cannot read"); }
};

// A track whose position and length the test sets, and that can fail its reads.
class ScriptedTrack : public engines::CMediaTrack {
public:
    void Play() override {}
    void PlayRange(double, double) override {}
    void Stop() override {}
    void Pause() override {}
    void Resume() override {}
    bool IsStopped() override { return false; }
    bool IsPaused() override { return paused; }
    bool IsPlaying() override { return !paused; }
    double GetPosition() override {
        if (failing)
            throw TrackReadError();
        return position;
    }
    double GetLength() override {
        if (failing)
            throw TrackReadError();
        return length;
    }

    double position = 0;
    double length = 0;
    bool failing = false;
    bool paused = false;
};

}  // namespace tavi::test
