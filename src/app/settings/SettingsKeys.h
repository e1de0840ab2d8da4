#pragma once

#include <QString>

// Registry key and value names of the settings, in one place. The misspelt "ShowSongLegth"
// is the name stored files use and must stay.
namespace tavi::settings::keys {

inline const QString kCompany = QStringLiteral("Kestrova");
inline const QString kApplication = QStringLiteral("Tavi");
inline const QString kSettings = QStringLiteral("Settings");
inline const QString kFont = QStringLiteral("Font");
inline const QString kMainFrame = QStringLiteral("MainFrame");
inline const QString kRecentFileList = QStringLiteral("Recent File List");

inline const QString kPlaylistDir = QStringLiteral("PlaylistDir");
inline const QString kMediaDir = QStringLiteral("MediaDir");

inline const QString kIntroStart = QStringLiteral("IntroStart");
inline const QString kIntroLength = QStringLiteral("IntroLength");
inline const QString kFfTime = QStringLiteral("FF_TIME");
inline const QString kMixer = QStringLiteral("Mixer");
inline const QString kIgnoreErrors = QStringLiteral("IgnoreErrors");
inline const QString kAutoPlay = QStringLiteral("AutoPlay");
inline const QString kMediaFilesOnly = QStringLiteral("MediaFilesOnly");
inline const QString kFadeOut = QStringLiteral("FadeOut");
inline const QString kSaveOnExit = QStringLiteral("SaveOnExit");
inline const QString kResetFile = QStringLiteral("ResetFile");
inline const QString kSendReset = QStringLiteral("SendReset");
inline const QString kMidiSoundFont = QStringLiteral("MidiSoundFont");

// Our own playback values (PlaybackSettings).
inline const QString kReplayGainMode = QStringLiteral("ReplayGainMode");
inline const QString kReplayGainPreamp = QStringLiteral("ReplayGainPreamp");
inline const QString kReplayGainFallback = QStringLiteral("ReplayGainFallback");
inline const QString kReplayGainNoClipping = QStringLiteral("ReplayGainNoClipping");
inline const QString kCrossfadeAuto = QStringLiteral("CrossfadeAuto");
inline const QString kCrossfadeManual = QStringLiteral("CrossfadeManual");
inline const QString kCrossfadeLength = QStringLiteral("CrossfadeLength");
inline const QString kFadePause = QStringLiteral("FadePause");
inline const QString kFadePauseLength = QStringLiteral("FadePauseLength");

inline const QString kPlayerMode = QStringLiteral("PlayerMode");
inline const QString kShowPath = QStringLiteral("ShowPath");
inline const QString kShowTrackNo = QStringLiteral("ShowTrackNo");
inline const QString kShowSongLength = QStringLiteral("ShowSongLegth");
inline const QString kAnimateIcon = QStringLiteral("AnimateIcon");
inline const QString kSoundBankOptions = QStringLiteral("SoundBank Options");
inline const QString kVideoMode = QStringLiteral("VideoMode");
inline const QString kVideoRect = QStringLiteral("VideoRect");
inline const QString kCurSel = QStringLiteral("CurSel");
inline const QString kUseMetaData = QStringLiteral("UseMetaData");
inline const QString kDisplayNameFormat = QStringLiteral("DisplayNameFormat");
inline const QString kMiniPlaylistRect = QStringLiteral("MiniPlaylist Rect");
inline const QString kPriorityClass = QStringLiteral("PriorityClass");
inline const QString kLogFont = QStringLiteral("LogFont");
inline const QString kFaceName = QStringLiteral("FaceName");

inline const QString kWindowPos = QStringLiteral("WindowPos");
inline const QString kLanguageCode = QStringLiteral("LanguageCode");
inline const QString kFullScreen = QStringLiteral("FullScreen");
inline const QString kHideWhenMinimized = QStringLiteral("HideWhenMinimized");
inline const QString kAlwaysOnTop = QStringLiteral("AlwaysOnTop");

}  // namespace tavi::settings::keys
