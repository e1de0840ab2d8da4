#include "IniList.h"

#include "CPlaylistFile.h"
#include "EntryPath.h"
#include "IniListKeys.h"
#include "platform/inifile/IniFile.h"

#include <QFileInfo>

namespace tavi::formats {

using ini::IniFile;

void ReadIniList(const QString& path, CPlaylistFile& list) {
    IniFile file(path);
    file.SelectSection(IniListKeys::Section());
    const int count = file.ReadInt(IniListKeys::Count(), 0);
    // Relative entries are taken relative to the file, as in line lists: the process's
    // current directory has nothing to do with where a playlist's files are.
    const QString folder = QFileInfo(path).absolutePath();
    // Only the keys present are visited: a count far above them must not cost a loop.
    for (const int number : IniListKeys::FileNumbers(file.KeyNames(), count)) {
        const QString value = file.ReadString(IniListKeys::File(number));
        if (!value.isEmpty()) {
            list.Add(ResolveEntryPath(value, folder));
        }
    }
    const int next = file.ReadInt(IniListKeys::NextIndex(), 1) - 1;
    list.SetNextIndex(next >= list.GetCount() ? 0 : next);
}

void WriteIniList(const QString& path, const CPlaylistFile& list) {
    IniFile file(path, IniFile::Start::Empty);
    file.SelectSection(IniListKeys::Section());
    for (qsizetype i = 0; i < list.GetCount(); ++i) {
        file.WriteString(IniListKeys::File(static_cast<int>(i + 1)), EntryLineText(list.GetAt(i)));
    }
    file.WriteInt(IniListKeys::Count(), static_cast<int>(list.GetCount()));
    file.WriteInt(IniListKeys::NextIndex(), list.NextIndex() + 1);
    file.Flush();
}

}  // namespace tavi::formats
