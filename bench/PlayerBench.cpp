// How fast the player moves from one entry to the next, and how late a pause reports its end.
#include "engines/player/CPlayer.h"
#include "support/ListHost.h"
#include "support/QtApp.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

using namespace tavi::engines;

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

// Stamps the moment each end report reaches the player.
class TimedPlayer : public CPlayer {
public:
    using CPlayer::CPlayer;
    void OnTrackEnded(CMediaTrack* track) override {
        endReceived.start();
        CPlayer::OnTrackEnded(track);
    }
    QElapsedTimer endReceived;
};

// Ends every track as soon as it started, so the run measures the player, not the pause.
class InstantEndHost : public tavi::test::ListHost {
public:
    using ListHost::ListHost;
    void SetCurrentTrack(std::unique_ptr<CMediaTrack> track) override {
        if (player && player->endReceived.isValid()) {
            transitions.push_back(player->endReceived.nsecsElapsed() / 1e6);
        }
        ListHost::SetCurrentTrack(std::move(track));
        if (int(transitions.size()) < target) {
            current->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
        }
    }
    TimedPlayer* player = nullptr;
    std::vector<double> transitions;
    int target = 200;
};

}  // namespace

static void counters_player_transition(benchmark::State& state) {
    tavi::test::coreApplication();
    for (auto _ : state) {
        InstantEndHost host(QStringList(10, QStringLiteral("0.pause")), 0);
        TimedPlayer player(host);
        host.player = &player;
        player.SetMode(ModeRepeat);
        player.PlayCommand();
        tavi::test::processEventsUntil([&] { return int(host.transitions.size()) >= host.target; },
                                       60000);
        host.CloseCurrentTrack();
        state.counters["player_transition_ms:ms"] = median(host.transitions);
    }
}
BENCHMARK(counters_player_transition)->Iterations(1);

static void counters_pause_end_jitter(benchmark::State& state) {
    tavi::test::coreApplication();
    for (auto _ : state) {
        std::vector<double> lateness;
        for (int run = 0; run < 5; ++run) {
            tavi::test::ListHost host(QStringList{QStringLiteral("1.pause")}, 0);
            CPlayer player(host);
            QElapsedTimer clock;
            double endedAt = -1;
            QObject::connect(&player, &CPlayer::trackStopped,
                             [&] { endedAt = clock.nsecsElapsed() / 1e6; });
            clock.start();
            player.PlayCommand();
            tavi::test::processEventsUntil([&] { return endedAt >= 0; }, 5000);
            lateness.push_back(endedAt - 1000.0);
        }
        state.counters["pause_end_jitter_ms:ms"] = median(lateness);
    }
}
BENCHMARK(counters_pause_end_jitter)->Iterations(1);
