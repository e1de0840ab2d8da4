#pragma once

#include "platform/registry/RegKey.h"

#include <QString>

#include <cstdint>

namespace tavi::settings {

// The application-wide player options, read when the playlist view is created and written
// when it is destroyed. Process-wide: one copy, playerSettings().
struct PlayerSettings {
    uint32_t introStart = 0;    // seconds into each track where Intro Scan starts
    uint32_t introLength = 15;  // seconds Intro Scan plays
    uint32_t ffTime = 30;       // seconds Fast forward and Rewind skip
    QString mixer;              // program the Mixer command starts
    bool ignoreErrors = false;
    bool autoPlay = false;
    bool mediaFilesOnly = true;
    bool fadeOut = true;
    bool saveOnExit = false;
    QString resetFile;  // MIDI file played to reset the device
    bool sendReset = false;
    // Our own: the General MIDI SoundFont the sequencer prefers to the system's. Only read;
    // the user sets it in the registry.
    QString midiSoundFont;

    // Read when the main frame is created, written when it is destroyed.
    QString mediaDir;

    // The first-start values; the mixer and music folder depend on the machine.
    static PlayerSettings defaults();
};

PlayerSettings& playerSettings();

// The first of pavucontrol-qt and pavucontrol found on PATH (full path), else empty.
QString defaultMixerProgram();
// The XDG music folder, else ~/Music.
QString defaultMediaDir();

// Read and write the group in their fixed orders. The key is the "Settings" key.
void loadPlayerSettings(const reg::RegKey& settingsKey, PlayerSettings& settings);
void savePlayerSettings(reg::RegKey& settingsKey, const PlayerSettings& settings);
// The same on the process-wide settings and the process-wide registry.
void LoadPlayerSettings();
void SavePlayerSettings();

void loadMediaDir(const reg::RegKey& settingsKey, PlayerSettings& settings);
void saveMediaDir(reg::RegKey& settingsKey, const PlayerSettings& settings);

}  // namespace tavi::settings
