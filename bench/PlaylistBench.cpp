// The playlist with 100,000 entries: adding, sorting, one undo snapshot, and the memory of
// the list with a full undo history (21 snapshots).
#include "playlist/CTaviDoc.h"
#include "playlist/CommandIds.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <random>

using namespace tavi::playlist;

namespace {

constexpr int kEntries = 100'000;

// Keeps the benchmarks away from the user's registry files.
struct IsolatedConfig {
    IsolatedConfig() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(dir.path()));
    }
    QTemporaryDir dir;
};
const IsolatedConfig isolatedConfig;

// 100,000 distinct paths of 60 characters, in a shuffled order.
QStringList makePaths() {
    QStringList paths;
    paths.reserve(kEntries);
    std::mt19937 random(42);
    for (int i = 0; i < kEntries; ++i) {
        const int n = int(random() % 1'000'000);
        QString path = QStringLiteral("/home/user/Music/Artist %1/Album %2/Track %3 title.mp3")
                           .arg(n % 1000, 4, 10, QLatin1Char('0'))
                           .arg(n % 97, 2, 10, QLatin1Char('0'))
                           .arg(n, 6, 10, QLatin1Char('0'));
        paths.append(path);
    }
    return paths;
}

double residentMegabytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

void fill(CTaviDoc& doc, const QStringList& paths) {
    for (const QString& path : paths) {
        doc.editor().AddEntry(path);
    }
}

}  // namespace

static void counters_model_memory(benchmark::State& state) {
    for (auto _ : state) {
        ::malloc_trim(0);
        const double before = residentMegabytes();
        auto doc = std::make_unique<CTaviDoc>();
        doc->NewDocument();
        fill(*doc, makePaths());
        // 21 changes, 10 undone, 10 more: 10 undo, 10 redo and the current snapshot.
        for (int i = 0; i < 21; ++i) {
            doc->editor().MoveToTop();
        }
        for (int i = 0; i < 10; ++i) {
            doc->OnEditUndo();
        }
        for (int i = 0; i < 10; ++i) {
            doc->editor().MoveToBottom();
        }
        if (doc->history().UndoCount() + doc->history().RedoCount() + 1 != 21) {
            state.SkipWithError("the history does not hold 21 snapshots");
        }
        state.counters["model_memory_100k_mb:MB"] = residentMegabytes() - before;
        benchmark::DoNotOptimize(doc);
    }
}
BENCHMARK(counters_model_memory)->Iterations(1)->Unit(benchmark::kMillisecond);

static void model_add_100k_ms(benchmark::State& state) {
    const QStringList paths = makePaths();
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CTaviDoc>();
        doc->NewDocument();
        state.ResumeTiming();
        fill(*doc, paths);
        state.PauseTiming();
        if (doc->model().count() != kEntries) {
            state.SkipWithError("entries were lost");
        }
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(model_add_100k_ms)->Unit(benchmark::kMillisecond);

static void model_sort_100k_ms(benchmark::State& state) {
    const QStringList paths = makePaths();
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<CTaviDoc>();
        fill(*doc, paths);  // names not yet computed, as after loading a playlist
        state.ResumeTiming();
        doc->editor().Sort();
        state.PauseTiming();
        doc.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(model_sort_100k_ms)->Unit(benchmark::kMillisecond);

static void model_undo_snapshot_100k_ms(benchmark::State& state) {
    CTaviDoc doc;
    doc.NewDocument();
    fill(doc, makePaths());
    for (auto _ : state) {
        doc.RecordUndo(cmd::kMoveUp);
    }
}
BENCHMARK(model_undo_snapshot_100k_ms)->Unit(benchmark::kMillisecond);
