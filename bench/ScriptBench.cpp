// Script macros: how soon a handler runs after its event is raised, and how many member
// calls a script loop makes a second, in JavaScript and in Lua. The named item is an object
// shaped like the Player (its coclass and events) whose Position property returns a stored
// value, so the figures are the script layer's own cost.
#include "automation/dispatch/CCmdTargetPlus.h"
#include "automation/objects/Guids.h"
#include "automation/script/CActiveScriptSite.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>

using namespace tavi::automation;
using namespace tavi::automation::script;

namespace {

using Clock = std::chrono::steady_clock;

class BenchPlayer : public CCmdTargetPlus {
public:
    BenchPlayer() : CCmdTargetPlus(guids::kPlayer, guids::kPlayer, guids::kPlayerEvents) {
        AddProperty(QStringLiteral("Position"), 1, Variant::Type::Double,
                    [](const auto&) { return Variant::FromDouble(12.5); });
        AddMethod(QStringLiteral("Entered"), 2, {}, Variant::Type::Empty, [this](const auto&) {
            entered = Clock::now();
            return Variant();
        });
    }
    Clock::time_point entered;
};

// A site with the player as its named item, running the given script.
struct ScriptRun {
    ScriptRun(const char* extension, const QByteArray& text) {
        site.AddNamedItemInfo(QStringLiteral("Player"), player,
                              scriptitem::kIsVisible | scriptitem::kIsSource);
        QFile file(dir.filePath(QStringLiteral("bench.") + QLatin1String(extension)));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.close();
        ok = !hr::Failed(site.LoadScriptFile(file.fileName())) && !hr::Failed(site.RunScript());
    }
    // Calls the script's function Loop(n) and gives the seconds it took.
    double TimeLoop(int calls) {
        const auto global = site.ScriptDispatch();
        const DispId loop = global->GetIDsOfNames({QStringLiteral("Loop")}).front();
        const auto start = Clock::now();
        global->Invoke(loop, dispatchflags::kMethod, {Variant::FromInt32(calls)});
        return std::chrono::duration<double>(Clock::now() - start).count();
    }
    QTemporaryDir dir;
    std::shared_ptr<BenchPlayer> player = std::make_shared<BenchPlayer>();
    CActiveScriptSite site;
    bool ok = false;
};

}  // namespace

static void counters_script_event(benchmark::State& state) {
    ScriptRun run("js", "function Player_Start() { Player.Entered(); }\n");
    if (!run.ok) {
        state.SkipWithError("the script did not load");
        return;
    }
    std::vector<double> microseconds;
    for (auto _ : state) {
        for (int i = 0; i < 2000; ++i) {
            const auto raised = Clock::now();
            run.player->FireEvent(1);
            microseconds.push_back(
                std::chrono::duration<double, std::micro>(run.player->entered - raised).count());
        }
    }
    std::nth_element(microseconds.begin(), microseconds.begin() + microseconds.size() / 2,
                     microseconds.end());
    state.counters["script_event_us:us"] = microseconds[microseconds.size() / 2];
}
BENCHMARK(counters_script_event)->Iterations(1)->Unit(benchmark::kMillisecond);

static void counters_script_calls(benchmark::State& state) {
    ScriptRun js("js",
                 "function Loop(n) { var s = 0; for (var i = 0; i < n; i++) s += Player.Position; "
                 "return s; }\n");
    ScriptRun lua("lua",
                  "function Loop(n) local s = 0 for i = 1, n do s = s + Player.Position end "
                  "return s end\n");
    if (!js.ok || !lua.ok) {
        state.SkipWithError("a script did not load");
        return;
    }
    constexpr int kCalls = 500000;
    for (auto _ : state) {
        js.TimeLoop(10000);  // the engine compiles the loop on its first runs
        state.counters["script_calls_per_s:calls/s"] = kCalls / js.TimeLoop(kCalls);
        state.counters["lua_calls_per_s:calls/s"] = kCalls / lua.TimeLoop(kCalls);
    }
}
BENCHMARK(counters_script_calls)->Iterations(1)->Unit(benchmark::kMillisecond);
