#include "ViewSettings.h"

#include "SettingsKeys.h"
#include "platform/process/ProcessPriority.h"

namespace tavi::settings {

ViewSettings ViewSettings::defaults(bool trayAvailable) {
    ViewSettings settings;
    settings.animateIcon = trayAvailable;
    return settings;
}

ViewSettings& viewSettings() {
    static ViewSettings settings;
    return settings;
}

std::optional<LogFont> readFont(const reg::RegKey& settingsKey) {
    const reg::RegKey fontKey = settingsKey.subKey(keys::kFont);
    const auto binary = fontKey.value(keys::kLogFont);
    if (!binary || binary->type != reg::ValueType::Binary) {
        return std::nullopt;
    }
    auto font = LogFont::fromBinary(binary->data);
    if (font) {
        font->faceName = readString(fontKey, keys::kFaceName, QStringLiteral("Arial"));
    }
    return font;
}

void writeFont(reg::RegKey& settingsKey, const LogFont& font) {
    reg::RegKey fontKey = settingsKey.subKey(keys::kFont, true);
    fontKey.setBinary(keys::kLogFont, font.toBinary());
    fontKey.setString(keys::kFaceName, font.faceName);
}

void loadViewSettings(const reg::RegKey& key, ViewSettings& s, bool trayAvailable) {
    const ViewSettings d = ViewSettings::defaults(trayAvailable);
    s.playerMode = readNumber(key, keys::kPlayerMode, d.playerMode);
    s.showPath = readFlag(key, keys::kShowPath, d.showPath);
    s.showTrackNo = readFlag(key, keys::kShowTrackNo, d.showTrackNo);
    s.showSongLength = readFlag(key, keys::kShowSongLength, d.showSongLength);
    s.animateIcon = readFlag(key, keys::kAnimateIcon, d.animateIcon);
    s.soundBankOptions = readNumber(key, keys::kSoundBankOptions, d.soundBankOptions);
    s.videoMode = readNumber(key, keys::kVideoMode, d.videoMode);
    s.videoRect = readRect(key, keys::kVideoRect, d.videoRect);
    s.curSel =
        static_cast<int32_t>(readNumber(key, keys::kCurSel, static_cast<uint32_t>(d.curSel)));
    s.useMetaData = readFlag(key, keys::kUseMetaData, d.useMetaData);
    s.displayNameFormat = readString(key, keys::kDisplayNameFormat, d.displayNameFormat);
    s.miniPlaylistRect = readRect(key, keys::kMiniPlaylistRect, d.miniPlaylistRect);
    s.font = readFont(key);
    s.priorityClass = readNumber(key, keys::kPriorityClass, d.priorityClass);
    process::setProcessPriorityClass(s.priorityClass);
}

void saveViewSettings(reg::RegKey& key, const ViewSettings& s, bool listExists) {
    writeNumber(key, keys::kPlayerMode, s.playerMode);
    writeFlag(key, keys::kShowSongLength, s.showSongLength);
    writeNumber(key, keys::kSoundBankOptions, s.soundBankOptions);
    writeNumber(key, keys::kVideoMode, s.videoMode);
    writeRect(key, keys::kVideoRect, s.videoRect);
    writeFlag(key, keys::kAnimateIcon, s.animateIcon);
    writeFlag(key, keys::kUseMetaData, s.useMetaData);
    writeString(key, keys::kDisplayNameFormat, s.displayNameFormat);
    writeRect(key, keys::kMiniPlaylistRect, s.miniPlaylistRect);
    if (listExists) {
        writeNumber(key, keys::kCurSel, static_cast<uint32_t>(s.curSel));
        writeFlag(key, keys::kShowPath, s.showPath);
        writeFlag(key, keys::kShowTrackNo, s.showTrackNo);
        if (s.font) {
            writeFont(key, *s.font);
        }
    }
    writeNumber(key, keys::kPriorityClass, process::processPriorityClass());
}

}  // namespace tavi::settings
