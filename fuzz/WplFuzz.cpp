// Any bytes either fail as a file error or give entries that a written WPL gives back.
#include "formats/CPlaylistFile.h"
#include "formats/WplList.h"
#include "platform/errors/CFileException.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

using namespace tavi::formats;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QBuffer input;
    input.setData(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    input.open(QIODevice::ReadOnly);
    CPlaylistFile list;
    try {
        ReadWplFrom(input, QStringLiteral("fuzz.wpl"), list);
    } catch (const tavi::errors::CFileException& e) {
        if (e.GetCause() != tavi::errors::CFileException::badFormat || list.GetCount() != 0) {
            std::abort();
        }
        return 0;
    }
    QBuffer output;
    output.open(QIODevice::WriteOnly);
    if (!WriteWplTo(output, QStringLiteral("fuzz"), list)) {
        std::abort();
    }
    output.close();
    output.open(QIODevice::ReadOnly);
    CPlaylistFile reread;
    ReadWplFrom(output, QStringLiteral("fuzz.wpl"), reread);  // must not throw
    if (reread.Entries() != list.Entries()) {
        std::abort();
    }
    return 0;
}
