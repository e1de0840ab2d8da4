#pragma once

#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "playlist/CTaviDoc.h"
#include "playlist/DisplayName.h"
#include "platform/mci/MciExtensions.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "support/ProcessRegistry.h"
#include "support/QtApp.h"
#include "support/QtPrinters.h"
#include "support/SettingsScope.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tavi::test {

// A playlist document over an isolated registry, with the process-wide settings restored
// after each test and a model tester watching every change of the list.
class PlaylistTest : public testing::Test {
protected:
    PlaylistTest() {
        coreApplication();  // additions go on from the event loop
        mci::MciExtensions::reload();
        doc = std::make_unique<playlist::CTaviDoc>();
        tester = std::make_unique<QAbstractItemModelTester>(
            &doc->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
        doc->NewDocument();
    }
    ~PlaylistTest() override {
        tester.reset();
        doc.reset();
        mci::MciExtensions::reload();
    }

    playlist::PlaylistModel& model() { return doc->model(); }
    playlist::PlaylistEditor& editor() { return doc->editor(); }
    QStringList entries() { return model().paths(); }
    settings::PlayerSettings& player() { return settings::playerSettings(); }
    void fill(const QStringList& paths, int current) {
        model().reset(paths, current);
        doc->ResetUndo(true);
    }
    // Lets the additions running in the background (folders, big pastes) finish.
    void settle() {
        QDeadlineTimer deadline(30000);
        while (editor().IsBusy() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        ASSERT_FALSE(editor().IsBusy()) << "the addition did not finish";
    }
    // Creates a file (and its folders) below the temporary folder; returns its path.
    QString touch(const QString& relative, const QByteArray& bytes = "x") {
        const QString path = files.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

    ProcessRegistry registry;
    QTemporaryDir files;
    std::unique_ptr<playlist::CTaviDoc> doc;
    std::unique_ptr<QAbstractItemModelTester> tester;

private:
    SettingsScope m_settings;  // defaults for the test, the old values afterwards
};

}  // namespace tavi::test
