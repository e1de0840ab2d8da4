// Any cdplayer.ini reads without failing: counts stay in 0..99, names within 255 characters,
// and a write keeps the bytes of every other section.
#include "engines/cd/CCdDatabase.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

using tavi::engines::CCdDatabase;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cdplayer.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return 0;
    }
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    CCdDatabase database(path);
    for (const uint32_t identity : {0x1A2B3C04u, 0x0u, 0xFFFFFFFFu}) {
        database.SelectDisc(identity);
        const int count = database.GetTrackCount();
        if (count < 0 || count > CCdDatabase::kMaxTracks) {
            std::abort();
        }
        for (int i = -1; i <= count; ++i) {
            if (database.GetTrackName(i).size() > CCdDatabase::kValueChars) {
                std::abort();
            }
        }
        if (database.GetArtist().size() > CCdDatabase::kValueChars ||
            database.GetTitle().size() > CCdDatabase::kValueChars) {
            std::abort();
        }
    }
    database.SelectDisc(0x1A2B3C04u);
    database.SetAll(QStringLiteral("A"), QStringLiteral("T"), {QStringLiteral("N")});
    CCdDatabase reread(path);
    reread.SelectDisc(0x1A2B3C04u);
    if (reread.GetTrackName(0) != QStringLiteral("N")) {
        std::abort();
    }
    return 0;
}
