#include "CueSheet.h"

#include "CTextArchive.h"
#include "EntryPath.h"
#include "FileAccess.h"
#include "platform/errors/CFileException.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

namespace tavi::formats {

namespace {

// A sheet for a whole disc is a few kilobytes; anything this large is no sheet.
constexpr qint64 kMaxSheetBytes = 1 << 20;
constexpr int kFramesPerSecond = 75;
constexpr int kMaxTrackNumber = 99;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// The line's words; a word in double quotes may hold blanks (the format has no escapes, and
// a quote left open runs to the line's end).
QStringList wordsOf(QStringView line) {
    QStringList words;
    qsizetype i = 0;
    const qsizetype size = line.size();
    while (i < size) {
        while (i < size && isBlank(line[i])) {
            ++i;
        }
        if (i == size) {
            break;
        }
        if (line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? size : close;
            words.append(line.sliced(i + 1, end - i - 1).toString());
            i = end + 1;
            continue;
        }
        const qsizetype start = i;
        while (i < size && !isBlank(line[i])) {
            ++i;
        }
        words.append(line.sliced(start, i - start).toString());
    }
    return words;
}

// The name of a FILE line: quoted, or everything but the type word after an unquoted name
// (sheets written by hand leave blanks in names unquoted).
QString fileNameOf(QStringView line) {
    QStringView rest = line.trimmed();
    qsizetype keywordEnd = 0;
    while (keywordEnd < rest.size() && !isBlank(rest[keywordEnd])) {
        ++keywordEnd;
    }
    rest = rest.sliced(keywordEnd).trimmed();
    if (rest.startsWith(u'"')) {
        const qsizetype close = rest.indexOf(u'"', 1);
        return rest.sliced(1, (close < 0 ? rest.size() : close) - 1).toString();
    }
    qsizetype lastBlank = rest.size() - 1;
    while (lastBlank >= 0 && !isBlank(rest[lastBlank])) {
        --lastBlank;
    }
    return (lastBlank < 0 ? rest : rest.first(lastBlank)).trimmed().toString();
}

// A FILE name as a local path. Sheets made on Windows name the file by a drive path that
// means nothing here, while the file lies beside the sheet: only its last part is used.
// Anything that is no local file (a URL, a command entry) plays nothing.
QString resolveFile(const QString& name, const QString& folder) {
    QString text = name;
    if (text.contains(QLatin1String("://"))) {
        return {};
    }
    if (IsVerbatimEntry(text)) {
        const qsizetype cut = std::max(text.lastIndexOf(u'/'), text.lastIndexOf(u'\\'));
        text = text.mid(cut + 1);
        if (text.isEmpty() || IsVerbatimEntry(text)) {
            return {};
        }
    }
    if (text.isEmpty()) {
        return {};
    }
    const QString path = ResolveEntryPath(text, folder);
    return path.startsWith(u'/') ? path : QString();
}

bool allDigits(QStringView text) {
    if (text.isEmpty()) {
        return false;
    }
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

// "mm:ss:ff" in seconds: minutes of any size a file may have, frames of 1/75 s.
std::optional<double> indexTime(QStringView text) {
    const QList<QStringView> parts = text.split(u':');
    if (parts.size() != 3 || parts[0].size() > 4 || parts[1].size() > 2 || parts[2].size() > 2) {
        return std::nullopt;
    }
    for (QStringView part : parts) {
        if (!allDigits(part)) {
            return std::nullopt;
        }
    }
    const int minutes = parts[0].toInt();
    const int seconds = parts[1].toInt();
    const int frames = parts[2].toInt();
    if (seconds >= 60 || frames >= kFramesPerSecond) {
        return std::nullopt;
    }
    return minutes * 60.0 + seconds + double(frames) / kFramesPerSecond;
}

class SheetParser {
public:
    SheetParser(const QString& folder, const QString& embeddedIn)
        : m_folder(folder), m_embeddedIn(embeddedIn) {}

    void Line(QStringView line);
    CueSheet Finish();

private:
    struct Pending {
        CueTrack track;
        bool usable = false;  // an AUDIO track with a number
        bool started = false;
    };

    void File(QStringView line);
    void Track(const QStringList& words);
    void Index(const QStringList& words);
    void Text(const QString& keyword, const QStringList& words);
    void EndTrack();

    QString m_folder;
    QString m_embeddedIn;
    QString m_file;  // the FILE now in force, resolved; empty: none usable
    bool m_hadFile = false;
    std::optional<Pending> m_track;
    CueSheet m_sheet;
    std::vector<CueTrack> m_read;
};

void SheetParser::Line(QStringView line) {
    const QStringList words = wordsOf(line);
    if (words.isEmpty()) {
        return;
    }
    const QString keyword = words.first().toUpper();
    if (keyword == QLatin1String("FILE")) {
        File(line);
    } else if (keyword == QLatin1String("TRACK")) {
        Track(words);
    } else if (keyword == QLatin1String("INDEX")) {
        Index(words);
    } else if (keyword == QLatin1String("TITLE") || keyword == QLatin1String("PERFORMER")) {
        Text(keyword, words);
    }
    // REM, FLAGS, ISRC, PREGAP, CATALOG and the rest say nothing about what plays.
}

void SheetParser::File(QStringView line) {
    m_hadFile = true;
    if (!m_embeddedIn.isEmpty()) {
        m_file = m_embeddedIn;
        return;
    }
    m_file = resolveFile(fileNameOf(line), m_folder);
}

void SheetParser::Track(const QStringList& words) {
    EndTrack();
    m_track = Pending{};  // clang cannot tell Pending is default-constructible inside its class
    if (!m_hadFile || words.size() < 3 || !allDigits(words[1]) || words[1].size() > 3) {
        return;
    }
    const int number = words[1].toInt();
    m_track->track.number = number;
    m_track->usable = number >= 1 && number <= kMaxTrackNumber &&
                      words[2].compare(QLatin1String("AUDIO"), Qt::CaseInsensitive) == 0;
}

// INDEX 01 starts the track (in the FILE in force there); INDEX 00, the pregap, belongs
// to the track before and does not move the start.
void SheetParser::Index(const QStringList& words) {
    if (!m_track || words.size() < 3 || !allDigits(words[1]) || words[1].toInt() != 1) {
        return;
    }
    if (m_track->started) {
        return;  // a second INDEX 01 moves nothing
    }
    const std::optional<double> at = indexTime(words[2]);
    if (!at) {
        m_track->usable = false;
        return;
    }
    m_track->track.start = *at;
    m_track->track.file = m_file;
    m_track->started = true;
}

void SheetParser::Text(const QString& keyword, const QStringList& words) {
    const QString value = words.mid(1).join(u' ');
    const bool title = keyword == QLatin1String("TITLE");
    if (m_track) {
        (title ? m_track->track.title : m_track->track.performer) = value;
    } else {
        (title ? m_sheet.title : m_sheet.performer) = value;
    }
}

void SheetParser::EndTrack() {
    if (m_track && m_track->usable && m_track->started && !m_track->track.file.isEmpty()) {
        m_read.push_back(m_track->track);
    }
    m_track.reset();
}

// Each track runs to the next one's start in the same file; a track that does not start
// after the one before it in its file (or repeats a number) is left out.
CueSheet SheetParser::Finish() {
    EndTrack();
    QHash<QString, std::size_t> lastInFile;
    QHash<int, bool> numbers;
    for (const CueTrack& track : m_read) {
        if (numbers.contains(track.number)) {
            continue;
        }
        const auto before = lastInFile.constFind(track.file);
        if (before != lastInFile.constEnd()) {
            CueTrack& previous = m_sheet.tracks[*before];
            if (track.start <= previous.start) {
                continue;
            }
            previous.end = track.start;
        }
        numbers.insert(track.number, true);
        lastInFile.insert(track.file, m_sheet.tracks.size());
        m_sheet.tracks.push_back(track);
    }
    return std::move(m_sheet);
}

}  // namespace

const CueTrack* CueSheet::Track(int number) const {
    for (const CueTrack& track : tracks) {
        if (track.number == number) {
            return &track;
        }
    }
    return nullptr;
}

QString CueSheet::PerformerOf(const CueTrack& track) const {
    return track.performer.isEmpty() ? performer : track.performer;
}

CueSheet ParseCueSheet(const QStringList& lines, const QString& folder, const QString& embeddedIn) {
    SheetParser parser(folder, embeddedIn);
    for (const QString& line : lines) {
        parser.Line(line);
    }
    return parser.Finish();
}

CueSheet ParseCueSheetText(const QString& text, const QString& folder, const QString& embeddedIn) {
    SheetParser parser(folder, embeddedIn);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\n' || text[i] == u'\r') {
            parser.Line(QStringView(text).sliced(start, i - start));
            start = i + 1;
        }
    }
    return parser.Finish();
}

void ThrowNoPlayableTrack(const QString& path) {
    throw errors::CFileException(
        errors::CFileException::badFormat, path, 0,
        QCoreApplication::translate("CueSheet",
                                    "the CUE sheet holds no track that can be played."));
}

CueSheet ReadCueSheetFile(const QString& path) {
    const auto file = OpenForReading(path);
    if (file->size() > kMaxSheetBytes) {
        ThrowNoPlayableTrack(path);
    }
    QStringList lines;
    CTextArchive archive(*file, CTextArchive::Read, path);
    QString line;
    while (archive.ReadLine(line)) {
        lines.append(line);
    }
    CueSheet sheet = ParseCueSheet(lines, QFileInfo(path).absolutePath());
    if (sheet.tracks.empty()) {
        ThrowNoPlayableTrack(path);
    }
    return sheet;
}

}  // namespace tavi::formats
