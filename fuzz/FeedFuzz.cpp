// Any bytes read as a feed end quietly; only files that exist come out, as absolute paths.
#include "formats/CPlaylistFile.h"
#include "formats/FeedEnclosures.h"

#include <QBuffer>
#include <QFileInfo>

#include <cstdint>
#include <cstdlib>

using namespace tavi::formats;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QBuffer input;
    input.setData(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    input.open(QIODevice::ReadOnly);
    CPlaylistFile list;
    ReadFeedFrom(input, QStringLiteral("/nonexistent-feed-folder"), list);
    for (const QString& entry : list.Entries()) {
        if (!entry.startsWith(u'/') || !QFileInfo(entry).isFile()) {
            std::abort();
        }
    }
    return 0;
}
