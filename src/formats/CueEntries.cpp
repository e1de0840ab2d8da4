#include "CueEntries.h"

#include "CPlaylistFile.h"
#include "FlacCueSheet.h"
#include "platform/errors/CFileException.h"

#include <QDateTime>
#include <QFileInfo>

#include <deque>
#include <mutex>

namespace tavi::formats {

namespace {

const QLatin1String kTrackPrefix("Track");
const QLatin1String kTrackExtension(".cuetrack");

bool hasExtension(const QString& path, QLatin1String extension) {
    return path.endsWith(extension, Qt::CaseInsensitive) &&
           path.lastIndexOf(u'/') < path.size() - extension.size();
}

bool isFlacFile(const QString& path) {
    return hasExtension(path, QLatin1String(".flac"));
}

// The sheets read last. Every track's name asks for its sheet, from the name reader's
// threads at once, so a 99-track sheet would otherwise be read 99 times; a sheet is taken
// again when its file's size or times changed.
class SheetCache {
public:
    std::optional<CueSheet> Find(const QString& container, const QFileInfo& info) {
        const std::lock_guard lock(m_lock);
        for (const Entry& entry : m_entries) {
            if (entry.container == container && entry.stamp == Stamp(info)) {
                return entry.sheet;
            }
        }
        return std::nullopt;
    }
    void Keep(const QString& container, const QFileInfo& info, const CueSheet& sheet) {
        const std::lock_guard lock(m_lock);
        std::erase_if(m_entries, [&](const Entry& entry) { return entry.container == container; });
        m_entries.push_front({container, Stamp(info), sheet});
        if (m_entries.size() > kKept) {
            m_entries.pop_back();
        }
    }

private:
    static constexpr std::size_t kKept = 8;
    struct FileStamp {
        qint64 size;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const FileStamp&) const = default;
    };
    struct Entry {
        QString container;
        FileStamp stamp;
        CueSheet sheet;
    };
    static FileStamp Stamp(const QFileInfo& info) {
        return {info.size(), info.lastModified(), info.metadataChangeTime()};
    }

    std::mutex m_lock;
    std::deque<Entry> m_entries;  // newest first; guarded by m_lock
};

SheetCache& sheetCache() {
    static SheetCache cache;
    return cache;
}

CueSheet ReadSheetUncached(const QString& container) {
    if (IsCueSheetFile(container)) {
        return ReadCueSheetFile(container);
    }
    const std::optional<QString> text = ReadFlacCueSheetText(container);
    if (!text) {
        if (!QFileInfo::exists(container)) {
            throw errors::CFileException(errors::CFileException::fileNotFound, container);
        }
        ThrowNoPlayableTrack(container);
    }
    CueSheet sheet = ParseCueSheetText(*text, QFileInfo(container).absolutePath(), container);
    if (sheet.tracks.empty()) {
        ThrowNoPlayableTrack(container);
    }
    return sheet;
}

}  // namespace

QString CueTrackEntry(const QString& container, int number) {
    return container + u'/' + kTrackPrefix +
           QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')) + kTrackExtension;
}

std::optional<CueTrackRef> ParseCueTrackEntry(const QString& entry) {
    const qsizetype slash = entry.lastIndexOf(u'/');
    const QStringView name = QStringView(entry).sliced(slash + 1);
    const qsizetype digitsAt = kTrackPrefix.size();
    if (slash <= 0 || name.size() != digitsAt + 2 + kTrackExtension.size() ||
        !name.startsWith(kTrackPrefix, Qt::CaseInsensitive) ||
        !name.endsWith(kTrackExtension, Qt::CaseInsensitive)) {
        return std::nullopt;
    }
    const QChar tens = name[digitsAt];
    const QChar ones = name[digitsAt + 1];
    if (!tens.isDigit() || !ones.isDigit() || tens.unicode() > '9' || ones.unicode() > '9') {
        return std::nullopt;
    }
    const int number = (tens.unicode() - '0') * 10 + (ones.unicode() - '0');
    if (number == 0) {
        return std::nullopt;
    }
    return CueTrackRef{entry.left(slash), number};
}

bool IsCueSheetFile(const QString& path) {
    return hasExtension(path, QLatin1String(".cue"));
}

CueSheet ReadContainerSheet(const QString& container) {
    const QFileInfo info(container);
    if (std::optional<CueSheet> kept = sheetCache().Find(container, info)) {
        return std::move(*kept);
    }
    CueSheet sheet = ReadSheetUncached(container);
    sheetCache().Keep(container, info, sheet);
    return sheet;
}

std::optional<QStringList> CueSheetEntries(const QString& path) {
    const bool flac = isFlacFile(path);
    if (!flac && !IsCueSheetFile(path)) {
        return std::nullopt;  // asked for every entry added: decided by the name alone
    }
    const QString container = QFileInfo(path).absoluteFilePath();
    CueSheet sheet;
    if (!flac) {
        sheet = ReadCueSheetFile(container);
    } else {
        const std::optional<QString> text = ReadFlacCueSheetText(container);
        if (!text) {
            return std::nullopt;
        }
        sheet = ParseCueSheetText(*text, QFileInfo(container).absolutePath(), container);
        if (sheet.tracks.empty()) {
            return std::nullopt;  // a sheet that says nothing usable: the file plays whole
        }
    }
    QStringList entries;
    for (const CueTrack& track : sheet.tracks) {
        entries.append(CueTrackEntry(container, track.number));
    }
    return entries;
}

void ReadCueSheetList(const QString& path, CPlaylistFile& list) {
    list.RemoveAll();
    for (const QString& entry : CueSheetEntries(path).value_or(QStringList())) {
        list.Add(entry);
    }
}

void RefuseCueSheetWrite(const QString& path, const CPlaylistFile& /*list*/) {
    throw errors::CFileException(errors::CFileException::accessDenied, path);
}

}  // namespace tavi::formats
