#include "LineList.h"

#include "CPlaylistFile.h"
#include "CTextArchive.h"
#include "CodePage.h"
#include "EntryPath.h"
#include "FileAccess.h"
#include "PlaylistFormats.h"

#include <QFileInfo>

namespace tavi::formats {

namespace {

bool isTrailingBlank(QChar c) {
    const char16_t unit = c.unicode();
    return unit == u' ' || unit == u'\t' || unit == u'\v' || unit == u'\f';
}

// Extensions written as UTF-8 with mark; all others go out in the locale's encoding.
constexpr const char* kUtf8Extensions[] = {".ALB", ".MPL"};

}  // namespace

void ReadLineList(const QString& path, CPlaylistFile& list) {
    const auto file = OpenForReading(path);
    ReadLineListFrom(*file, QFileInfo(path).absolutePath(), path, list);
}

void ReadLineListFrom(QIODevice& device, const QString& folder, const QString& fileName,
                      CPlaylistFile& list) {
    CTextArchive archive(device, CTextArchive::Read, fileName);
    QString line;
    while (archive.ReadLine(line)) {
        qsizetype length = line.size();
        while (length > 0 && isTrailingBlank(line[length - 1])) {
            --length;
        }
        if (length == 0 || line[0] == u'#') {
            continue;
        }
        line.truncate(length);
        list.Add(ResolveEntryPath(line, folder));
    }
}

void WriteLineList(const QString& path, const CPlaylistFile& list) {
    const QString extension = UpperExtension(path);
    const bool utf8 = std::any_of(std::begin(kUtf8Extensions), std::end(kUtf8Extensions),
                                  [&](const char* e) { return extension == QLatin1String(e); });
    WriteAtomically(path, [&](QIODevice& device) {
        CTextArchive archive(device, CTextArchive::Write, path);
        if (utf8) {
            archive.SetEncoding(CodePage::kUtf8);
        }
        for (const QString& entry : list.Entries()) {
            archive.WriteLine(EntryLineText(entry));
        }
        archive.Close();
    });
}

}  // namespace tavi::formats
