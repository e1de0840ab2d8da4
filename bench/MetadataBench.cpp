// Display names of a thousand tagged MP3 files with tag names switched on: what a playlist
// of that size costs to show once.
#include "app/settings/ViewSettings.h"
#include "formats/metadata/CMediaFile.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

static void tags_1k_ms(benchmark::State& state) {
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("0.mp3"));
    if (!tavi::test::MakeMp3(first, 1.0) ||
        !tavi::test::TagMp3(first, {{"ARTIST", QStringLiteral("Artist")},
                                    {"TITLE", QStringLiteral("Title")},
                                    {"ALBUM", QStringLiteral("Album")},
                                    {"DATE", QStringLiteral("2001")}})) {
        state.SkipWithError("cannot make the test file");
        return;
    }
    QStringList files{first};
    for (int i = 1; i < 1000; ++i) {
        files.append(dir.filePath(QStringLiteral("%1.mp3").arg(i)));
        QFile::copy(first, files.last());
    }
    tavi::settings::viewSettings().useMetaData = true;
    for (auto _ : state) {
        qsizetype total = 0;
        for (const QString& file : files) {
            total += tavi::formats::CMediaFile(file).GetDisplayName().size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(tags_1k_ms)->Unit(benchmark::kMillisecond);
