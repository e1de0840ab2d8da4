// Loading a CUE sheet of 99 tracks into entries, for cue_load.sh:
//   tavi_cue_load N   median milliseconds of N loads: the sheet read and parsed, its entries
//                     made and every entry's display name built from the sheet (not played)
#include "formats/CueEntries.h"
#include "playlist/DisplayName.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kTracks = 99;

// A sheet as rippers write them: album texts, one FILE, per track a title, a performer,
// an ISRC, flags and a pregap.
QByteArray sheetText() {
    QByteArray text =
        "REM GENRE Rock\r\nREM DATE 1999\r\nPERFORMER \"The Band\"\r\n"
        "TITLE \"Ninety-Nine\"\r\nFILE \"The Band - Ninety-Nine.flac\" WAVE\r\n";
    for (int n = 1; n <= kTracks; ++n) {
        const int frames = n * 75 * 150;  // 2:30 a track
        const auto time = [](int at) {
            return QStringLiteral("%1:%2:%3")
                .arg(at / 4500, 2, 10, QLatin1Char('0'))
                .arg(at / 75 % 60, 2, 10, QLatin1Char('0'))
                .arg(at % 75, 2, 10, QLatin1Char('0'))
                .toLatin1();
        };
        text += QStringLiteral(
                    "  TRACK %1 AUDIO\r\n    TITLE \"Song number %1 of the album\"\r\n"
                    "    PERFORMER \"Singer %1\"\r\n    ISRC GBAAA99%1\r\n")
                    .arg(n, 2, 10, QLatin1Char('0'))
                    .toUtf8();
        text += "    FLAGS DCP\r\n    INDEX 00 " + time(frames - 75) + "\r\n    INDEX 01 " +
                time(frames) + "\r\n";
    }
    return text;
}

double LoadMs(const QString& sheet) {
    QElapsedTimer timer;
    timer.start();
    const QStringList entries = tavi::formats::CueSheetEntries(sheet).value_or(QStringList());
    tavi::playlist::NameOptions options;
    options.displayNameFormat = QStringLiteral("$(Artist) - $(Title)");
    int named = 0;
    for (const QString& entry : entries) {
        named += tavi::playlist::GetDisplayName(entry, options).startsWith(u"Singer ") ? 1 : 0;
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    if (entries.size() != kTracks || named != kTracks) {
        throw std::runtime_error("the sheet did not give its 99 named tracks");
    }
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int times = argc > 1 ? std::max(1, atoi(argv[1])) : 21;
    QTemporaryDir dir;
    const QString sheet = QDir(dir.path()).filePath(QStringLiteral("album.cue"));
    QFile file(sheet);
    if (!file.open(QIODevice::WriteOnly) || file.write(sheetText()) < 0) {
        return 1;
    }
    file.close();
    try {
        std::vector<double> ms;
        for (int i = 0; i < times; ++i) {
            ms.push_back(LoadMs(sheet));
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%.2f\n", ms[ms.size() / 2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
