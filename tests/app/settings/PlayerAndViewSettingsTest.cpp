#include "app/settings/AppKey.h"
#include "app/settings/MainFrameSettings.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "app/settings/ViewSettings.h"
#include "platform/process/ProcessPriority.h"
#include "support/TempRegistry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

using namespace tavi::settings;
using tavi::reg::RegKey;
using tavi::reg::RegValue;

namespace {

class Settings : public testing::Test {
protected:
    RegKey settingsKey() { return openApplicationKey(*registry, keys::kSettings); }
    tavi::test::TempRegistry registry;
};

// Restores the test process's nice value after tests that change the priority class.
struct NiceGuard {
    ~NiceGuard() { ::setpriority(PRIO_PROCESS, 0, 0); }
};

}  // namespace

TEST_F(Settings, FirstStartWithEmptyRegistryGivesTheDefaults) {
    PlayerSettings player;
    player.introLength = 99;
    loadPlayerSettings(settingsKey(), player);
    EXPECT_EQ(player.introStart, 0u);
    EXPECT_EQ(player.introLength, 15u);
    EXPECT_EQ(player.ffTime, 30u);
    EXPECT_TRUE(player.mediaFilesOnly);
    EXPECT_TRUE(player.fadeOut);
    EXPECT_FALSE(player.ignoreErrors || player.autoPlay || player.saveOnExit || player.sendReset);
    EXPECT_EQ(player.resetFile, QString());
    EXPECT_EQ(player.mixer, defaultMixerProgram());

    NiceGuard guard;
    ViewSettings view;
    loadViewSettings(settingsKey(), view, false);
    EXPECT_EQ(view.playerMode, 0u);
    EXPECT_FALSE(view.showPath || view.showTrackNo || view.showSongLength || view.useMetaData ||
                 view.animateIcon);
    EXPECT_EQ(view.displayNameFormat, QStringLiteral("$(Artist) - $(Title)"));
    EXPECT_EQ(view.videoRect, (WinRect{0, 0, 480, 360}));
    EXPECT_EQ(view.miniPlaylistRect, (WinRect{0, 0, 150, 200}));
    EXPECT_EQ(view.soundBankOptions, 1u);
    EXPECT_EQ(view.curSel, 0);
    EXPECT_EQ(view.priorityClass, 32u);
    EXPECT_EQ(view.font, std::nullopt);
    loadViewSettings(settingsKey(), view, true);
    EXPECT_TRUE(view.animateIcon) << "the tray animation defaults on where a tray exists";
}

TEST_F(Settings, EveryValueRoundTripsThroughTheHive) {
    PlayerSettings player;
    player.introStart = 7;
    player.introLength = 300;
    player.ffTime = 5;
    player.mixer = QStringLiteral("/usr/bin/mixer");
    player.ignoreErrors = player.autoPlay = player.saveOnExit = player.sendReset = true;
    player.mediaFilesOnly = player.fadeOut = false;
    player.resetFile = QStringLiteral("/midi/reset.mid");
    player.mediaDir = QStringLiteral("/srv/müsic");
    ViewSettings view;
    view.playerMode = 5;
    view.showPath = view.showTrackNo = view.showSongLength = view.useMetaData = true;
    view.animateIcon = false;
    view.soundBankOptions = 3;
    view.videoMode = 2;
    view.videoRect = {1, 2, 3, 4};
    view.curSel = -1;
    view.displayNameFormat = QStringLiteral("$(Title)");
    view.miniPlaylistRect = {-10, -20, 30, 40};
    LogFont font;
    font.height = -13;
    font.weight = 700;
    font.italic = 1;
    font.faceName = QStringLiteral("DejaVu Sans");
    view.font = font;
    MainFrameSettings frame;
    frame.windowPos = WindowPlacement{0, 3, -1, -1, -1, -1, {5, 6, 700, 500}};
    frame.languageCode = QStringLiteral("de");
    frame.fullScreen = frame.hideWhenMinimized = frame.alwaysOnTop = true;

    NiceGuard guard;
    const bool raised = tavi::process::setProcessPriorityClass(tavi::process::HighPriorityClass);
    {
        RegKey key = settingsKey();
        savePlayerSettings(key, player);
        saveMediaDir(key, player);
        saveViewSettings(key, view, true);
        RegKey frameKey = openApplicationKey(*registry, keys::kMainFrame);
        saveMainFrameSettings(frameKey, frame);
    }
    registry.reopen();
    PlayerSettings player2;
    ViewSettings view2;
    loadPlayerSettings(settingsKey(), player2);
    loadMediaDir(settingsKey(), player2);
    loadViewSettings(settingsKey(), view2, true);
    const MainFrameSettings frame2 =
        loadMainFrameSettings(openApplicationKey(*registry, keys::kMainFrame));

    EXPECT_EQ(player2.introStart, 7u);
    EXPECT_EQ(player2.introLength, 300u);
    EXPECT_EQ(player2.ffTime, 5u);
    EXPECT_EQ(player2.mixer, player.mixer);
    EXPECT_TRUE(player2.ignoreErrors && player2.autoPlay && player2.saveOnExit &&
                player2.sendReset);
    EXPECT_FALSE(player2.mediaFilesOnly || player2.fadeOut);
    EXPECT_EQ(player2.resetFile, player.resetFile);
    EXPECT_EQ(player2.mediaDir, player.mediaDir);
    EXPECT_EQ(view2.playerMode, 5u);
    EXPECT_TRUE(view2.showPath && view2.showTrackNo && view2.showSongLength && view2.useMetaData);
    EXPECT_FALSE(view2.animateIcon);
    EXPECT_EQ(view2.soundBankOptions, 3u);
    EXPECT_EQ(view2.videoMode, 2u);
    EXPECT_EQ(view2.videoRect, view.videoRect);
    EXPECT_EQ(view2.curSel, -1);
    EXPECT_EQ(view2.displayNameFormat, view.displayNameFormat);
    EXPECT_EQ(view2.miniPlaylistRect, view.miniPlaylistRect);
    EXPECT_EQ(view2.font, view.font);
    EXPECT_EQ(view2.priorityClass, raised ? 128u : 32u);
    EXPECT_EQ(frame2.windowPos, frame.windowPos);
    EXPECT_EQ(frame2.languageCode, QStringLiteral("de"));
    EXPECT_TRUE(frame2.fullScreen && frame2.hideWhenMinimized && frame2.alwaysOnTop);
}

TEST_F(Settings, WritesInTheFixedOrderAndSkipsListValuesWithoutAList) {
    RegKey key = settingsKey();
    savePlayerSettings(key, PlayerSettings::defaults());
    ViewSettings view;
    view.font = LogFont{};
    saveViewSettings(key, view, false);
    const QStringList expected = {keys::kIntroStart,
                                  keys::kIntroLength,
                                  keys::kFfTime,
                                  keys::kMixer,
                                  keys::kAutoPlay,
                                  keys::kIgnoreErrors,
                                  keys::kMediaFilesOnly,
                                  keys::kFadeOut,
                                  keys::kSaveOnExit,
                                  keys::kResetFile,
                                  keys::kSendReset,
                                  keys::kPlayerMode,
                                  keys::kShowSongLength,
                                  keys::kSoundBankOptions,
                                  keys::kVideoMode,
                                  keys::kVideoRect,
                                  keys::kAnimateIcon,
                                  keys::kUseMetaData,
                                  keys::kDisplayNameFormat,
                                  keys::kMiniPlaylistRect,
                                  keys::kPriorityClass};
    EXPECT_EQ(key.valueNames(), expected);
    EXPECT_FALSE(key.subKey(keys::kFont).isValid());
    EXPECT_EQ(key.value(keys::kFadeOut)->type, tavi::reg::ValueType::Binary);
    EXPECT_EQ(key.value(keys::kFadeOut)->data, QByteArray("\x01\0\0\0", 4));
}

TEST_F(Settings, FontWithoutFaceNameIsArialAndShortLogFontIsIgnored) {
    RegKey fontKey = settingsKey().subKey(keys::kFont, true);
    LogFont font;
    font.height = -12;
    fontKey.setBinary(keys::kLogFont, font.toBinary());
    auto read = readFont(settingsKey());
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->faceName, QStringLiteral("Arial"));
    EXPECT_EQ(read->height, -12);
    fontKey.setBinary(keys::kLogFont, font.toBinary().left(27));
    EXPECT_EQ(readFont(settingsKey()), std::nullopt);
}

TEST_F(Settings, AbnormalEndLeavesTheStoredSettingsAsTheyWere) {
    {
        RegKey key = settingsKey();
        PlayerSettings player = PlayerSettings::defaults();
        player.introLength = 42;
        savePlayerSettings(key, player);
    }
    const QByteArray stored = registry.readUserFile();
    PlayerSettings changed;
    loadPlayerSettings(settingsKey(), changed);
    changed.introLength = 99;  // changed in an options page, never saved: the process dies
    EXPECT_EQ(registry.readUserFile(), stored);
    registry.reopen();
    PlayerSettings again;
    loadPlayerSettings(settingsKey(), again);
    EXPECT_EQ(again.introLength, 42u);
}

TEST(PriorityClass, NiceValuesMapToTheNearestClass) {
    using namespace tavi::process;
    EXPECT_EQ(priorityClassForNice(0), 32u);
    EXPECT_EQ(priorityClassForNice(19), 32u);
    EXPECT_EQ(priorityClassForNice(-10), 128u);
    EXPECT_EQ(priorityClassForNice(-20), 256u);
    for (uint32_t cls : {32u, 128u, 256u}) {
        EXPECT_EQ(priorityClassForNice(niceForPriorityClass(cls)), cls);
    }
    EXPECT_EQ(niceForPriorityClass(64), 0) << "unknown classes run normally";
}

// A first start roots the explorer at the music folder, or at home without one: never at
// whatever folder the program was started in.
TEST(MediaDir, TheMusicFolderWhenThereIsOneElseTheHomeFolder) {
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    EXPECT_EQ(defaultMediaDir(), home.path()) << "no ~/Music";
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Music")));
    EXPECT_EQ(defaultMediaDir(), home.filePath(QStringLiteral("Music")));
    qputenv("HOME", oldHome);
    if (oldConfig.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
}
