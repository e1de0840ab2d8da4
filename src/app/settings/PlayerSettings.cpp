#include "PlayerSettings.h"

#include "AppKey.h"
#include "SettingsKeys.h"
#include "SettingsValues.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavi::settings {

QString defaultMixerProgram() {
    for (const QString& name : {QStringLiteral("pavucontrol-qt"), QStringLiteral("pavucontrol")}) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty()) {
            return path;
        }
    }
    return {};
}

// The XDG music folder when there is one, else the home folder: a first start must not
// show whatever folder it was started in.
QString defaultMediaDir() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return !music.isEmpty() && QFileInfo(music).isDir() ? music : QDir::homePath();
}

PlayerSettings PlayerSettings::defaults() {
    PlayerSettings settings;
    settings.mixer = defaultMixerProgram();
    settings.mediaDir = defaultMediaDir();
    return settings;
}

PlayerSettings& playerSettings() {
    static PlayerSettings settings = PlayerSettings::defaults();
    return settings;
}

void loadPlayerSettings(const reg::RegKey& key, PlayerSettings& s) {
    const PlayerSettings d = PlayerSettings::defaults();
    s.introStart = readNumber(key, keys::kIntroStart, d.introStart);
    s.introLength = readNumber(key, keys::kIntroLength, d.introLength);
    s.ffTime = readNumber(key, keys::kFfTime, d.ffTime);
    s.mixer = readString(key, keys::kMixer, d.mixer);
    s.ignoreErrors = readFlag(key, keys::kIgnoreErrors, d.ignoreErrors);
    s.autoPlay = readFlag(key, keys::kAutoPlay, d.autoPlay);
    s.mediaFilesOnly = readFlag(key, keys::kMediaFilesOnly, d.mediaFilesOnly);
    s.fadeOut = readFlag(key, keys::kFadeOut, d.fadeOut);
    s.saveOnExit = readFlag(key, keys::kSaveOnExit, d.saveOnExit);
    s.resetFile = readString(key, keys::kResetFile, d.resetFile);
    s.sendReset = readFlag(key, keys::kSendReset, d.sendReset);
    s.midiSoundFont = readString(key, keys::kMidiSoundFont, d.midiSoundFont);
}

void savePlayerSettings(reg::RegKey& key, const PlayerSettings& s) {
    writeNumber(key, keys::kIntroStart, s.introStart);
    writeNumber(key, keys::kIntroLength, s.introLength);
    writeNumber(key, keys::kFfTime, s.ffTime);
    writeString(key, keys::kMixer, s.mixer);
    writeFlag(key, keys::kAutoPlay, s.autoPlay);
    writeFlag(key, keys::kIgnoreErrors, s.ignoreErrors);
    writeFlag(key, keys::kMediaFilesOnly, s.mediaFilesOnly);
    writeFlag(key, keys::kFadeOut, s.fadeOut);
    writeFlag(key, keys::kSaveOnExit, s.saveOnExit);
    writeString(key, keys::kResetFile, s.resetFile);
    writeFlag(key, keys::kSendReset, s.sendReset);
}

void LoadPlayerSettings() {
    loadPlayerSettings(openApplicationKey(reg::Registry::instance(), keys::kSettings),
                       playerSettings());
}

void SavePlayerSettings() {
    reg::RegKey key = openApplicationKey(reg::Registry::instance(), keys::kSettings);
    savePlayerSettings(key, playerSettings());
}

void loadMediaDir(const reg::RegKey& key, PlayerSettings& settings) {
    settings.mediaDir = readString(key, keys::kMediaDir, defaultMediaDir());
}

void saveMediaDir(reg::RegKey& key, const PlayerSettings& settings) {
    writeString(key, keys::kMediaDir, settings.mediaDir);
}

}  // namespace tavi::settings
