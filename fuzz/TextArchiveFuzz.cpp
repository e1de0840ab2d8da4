// Any bytes read as a line list must give entries without line breaks or zero characters,
// and for the byte encodings an album written from them must read back to the same list
// (but for trailing blanks, which reading always removes before it resolves the entry).
#include "formats/CPlaylistFile.h"
#include "formats/CTextArchive.h"
#include "formats/CodePage.h"
#include "formats/EntryPath.h"
#include "formats/LineList.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

using namespace tavi::formats;

namespace {

CPlaylistFile readList(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CPlaylistFile list;
    ReadLineListFrom(buffer, QStringLiteral("/lists"), QStringLiteral("fuzz.alb"), list);
    return list;
}

int codePageOf(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return CTextArchive(buffer, CTextArchive::Read).codePage();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const CPlaylistFile list = readList(bytes);
    const int codePage = codePageOf(bytes);
    const bool byteText = codePage == CodePage::kAnsi || codePage == CodePage::kUtf8;
    for (const QString& entry : list.Entries()) {
        if (entry.isEmpty() || entry.contains(QChar(0)) ||
            (byteText && (entry.contains(u'\r') || entry.contains(u'\n')))) {
            std::abort();
        }
    }
    if (!byteText) {
        return 0;  // UTF-7 and UTF-16 can carry CR and LF inside a line and lone surrogates
    }
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    CTextArchive writer(out, CTextArchive::Write);
    writer.SetEncoding(CodePage::kUtf8);
    for (const QString& entry : list.Entries()) {
        writer.WriteLine(entry);
    }
    writer.Close();
    // Folding "dir \" can leave an entry ending in a blank, which reading then drops.
    QStringList expected;
    for (QString entry : list.Entries()) {
        while (entry.endsWith(u' ') || entry.endsWith(u'\t') || entry.endsWith(u'\v') ||
               entry.endsWith(u'\f')) {
            entry.chop(1);
        }
        expected.append(ResolveEntryPath(entry, QStringLiteral("/lists")));
    }
    if (readList(out.data()).Entries() != expected) {
        std::abort();
    }
    return 0;
}
