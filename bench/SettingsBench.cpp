// Reading every setting from the user's hive file and writing them back, as one start and
// one exit of the program do.
#include "app/settings/AppKey.h"
#include "app/settings/MainFrameSettings.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/RecentFileList.h"
#include "app/settings/SettingsKeys.h"
#include "app/settings/ViewSettings.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

using namespace tavi::settings;

static void settings_load_save_us(benchmark::State& state) {
    QTemporaryDir dir;
    const tavi::reg::Registry::Locations locations{dir.filePath(QStringLiteral("user.reg")),
                                                   QString()};
    {
        tavi::reg::Registry registry(locations);
        auto key = openApplicationKey(registry, keys::kSettings);
        savePlayerSettings(key, PlayerSettings::defaults());
        ViewSettings view;
        view.font = LogFont{};
        saveViewSettings(key, view, true);
    }
    for (auto _ : state) {
        tavi::reg::Registry registry(locations);
        auto appKey = openApplicationKey(registry);
        auto key = appKey.subKey(keys::kSettings, true);
        auto frameKey = appKey.subKey(keys::kMainFrame, true);
        PlayerSettings player;
        ViewSettings view;
        RecentFileList recent;
        loadPlayerSettings(key, player);
        loadMediaDir(key, player);
        loadViewSettings(key, view, false);
        MainFrameSettings frame = loadMainFrameSettings(frameKey);
        recent.load(appKey);
        view.curSel += 1;  // something changed, so the hive is really written
        savePlayerSettings(key, player);
        saveMediaDir(key, player);
        saveViewSettings(key, view, true);
        saveMainFrameSettings(frameKey, frame);
        recent.save(appKey);
        benchmark::DoNotOptimize(view);
    }
}
BENCHMARK(settings_load_save_us)->Unit(benchmark::kMicrosecond);
