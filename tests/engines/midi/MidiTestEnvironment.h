#pragma once

// What the MIDI engine's tests share: a temporary folder, the registry, the MIDI files of
// support/MidiFiles.h written there, and GStreamer hidden so that the sequencer writes to
// the media-control layer's own outputs (a WAV file the test reads back).
#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "platform/mci/MciExtensions.h"
#include "platform/mci/midi/SequencerSynths.h"
#include "support/MidiFiles.h"
#include "support/ProcessRegistry.h"
#include "support/QtApp.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavi::test {

class MidiTestEnvironment : public testing::Test {
protected:
    MidiTestEnvironment() {
        qputenv("GST_REGISTRY_1_0", m_dir.filePath(QStringLiteral("registry.bin")).toLocal8Bit());
        qputenv("GST_PLUGIN_SYSTEM_PATH_1_0", "/nonexistent");
        qputenv("GST_PLUGIN_PATH_1_0", "/nonexistent");
        qputenv("TAVI_AUDIO_OUTPUT", "null");
        coreApplication();
        mci::MciExtensions::reload();
        settings::playerSettings() = settings::PlayerSettings();
        settings::playerSettings().fadeOut = false;
        settings::viewSettings().soundBankOptions = 1;
        mci::SequencerSynths::Instance().SetSystemSoundFonts(
            mci::SequencerSynths::DefaultSystemSoundFonts());
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        EXPECT_TRUE(WriteBytes(path, bytes));
        return path;
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

    static QString SystemFont() { return QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2"); }

    ProcessRegistry m_registry;
    QTemporaryDir m_dir;
};

}  // namespace tavi::test
