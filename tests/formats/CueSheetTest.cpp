#include "formats/CPlaylistFile.h"
#include "formats/CueEntries.h"
#include "formats/CueSheet.h"
#include "formats/FlacCueSheet.h"
#include "platform/errors/CFileException.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tavi::formats;
using tavi::errors::CFileException;

namespace {

class CueSheetFiles : public testing::Test {
protected:
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }

    QTemporaryDir dir;
};

QByteArray be(uint64_t value, int size) {
    QByteArray bytes;
    for (int i = size - 1; i >= 0; --i) {
        bytes.append(char((value >> (8 * i)) & 0xff));
    }
    return bytes;
}

QByteArray le32(uint32_t value) {
    QByteArray bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.append(char((value >> (8 * i)) & 0xff));
    }
    return bytes;
}

QByteArray flacBlock(int type, const QByteArray& body, bool last) {
    return char((last ? 0x80 : 0) | type) + be(uint64_t(body.size()), 3) + body;
}

// STREAMINFO of a 44.1 kHz stereo stream (only the rate matters here).
QByteArray streamInfo() {
    QByteArray body(34, '\0');
    const uint32_t rateBits = 44100u << 4;
    body[10] = char(rateBits >> 16);
    body[11] = char(rateBits >> 8);
    body[12] = char(rateBits | 0x02);
    return flacBlock(0, body, false);
}

QByteArray vorbisComments(const QList<QByteArray>& comments, bool last) {
    QByteArray body = le32(4) + "test" + le32(uint32_t(comments.size()));
    for (const QByteArray& comment : comments) {
        body += le32(uint32_t(comment.size())) + comment;
    }
    return flacBlock(4, body, last);
}

// A CUESHEET block: tracks given by number and sample offset, with an INDEX 01 at 0 each,
// and the lead-out (170) after them.
QByteArray cueSheetBlock(const QList<std::pair<int, uint64_t>>& tracks, uint64_t leadOut) {
    QByteArray body(128, '\0');
    body += be(0, 8) + QByteArray(259, '\0');
    body += char(tracks.size() + 1);
    for (const auto& [number, offset] : tracks) {
        body += be(offset, 8) + char(number) + QByteArray(12, '\0') + char(0) +
                QByteArray(13, '\0') + char(1);
        body += be(0, 8) + char(1) + QByteArray(3, '\0');
    }
    body += be(leadOut, 8) + char(170) + QByteArray(12, '\0') + char(0) + QByteArray(13, '\0') +
            char(0);
    return flacBlock(5, body, true);
}

std::optional<QString> sheetTextOf(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return FlacCueSheetTextFrom(buffer);
}

}  // namespace

// The ordinary sheet: texts at both levels, quoted and unquoted names in several FILE
// blocks, REM lines, a pregap, and each track up to the next one's start in its file.
TEST_F(CueSheetFiles, ReadsTracksRangesAndTextsOfEveryFileBlock) {
    const QString sheet = write(QStringLiteral("album.cue"),
                                "\xEF\xBB\xBF"
                                "REM GENRE Jazz\r\n"
                                "PERFORMER \"The Qu\xC3\xA4rtet\"\r\n"
                                "TITLE \"Live at Home\"\r\n"
                                "FILE \"side a.wav\" WAVE\r\n"
                                "  TRACK 01 AUDIO\r\n"
                                "    TITLE \"Opening\"\r\n"
                                "    INDEX 01 00:00:00\r\n"
                                "  TRACK 02 AUDIO\r\n"
                                "    TITLE Second Song\r\n"
                                "    PERFORMER \"Guest\"\r\n"
                                "    INDEX 00 00:01:00\r\n"
                                "    INDEX 01 00:01:30\r\n"
                                "FILE sub/side b.mp3 MP3\r\n"
                                "  TRACK 03 AUDIO\r\n"
                                "    INDEX 01 00:00:00\r\n"
                                "  TRACK 04 AUDIO\r\n"
                                "    INDEX 01 61:02:74\r\n"
                                "FILE \"C:\\Rips\\last.aiff\" AIFF\r\n"
                                "  TRACK 05 AUDIO\r\n"
                                "    INDEX 01 00:00:00\r\n");
    const CueSheet cue = ReadCueSheetFile(sheet);
    EXPECT_EQ(cue.title, QStringLiteral("Live at Home"));
    EXPECT_EQ(cue.performer, QString::fromUtf8("The Qu\xC3\xA4rtet"));
    ASSERT_EQ(cue.tracks.size(), 5u);

    const CueTrack& first = cue.tracks[0];
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.title, QStringLiteral("Opening"));
    EXPECT_EQ(first.file, path(QStringLiteral("side a.wav")));
    EXPECT_DOUBLE_EQ(first.start, 0.0);
    ASSERT_TRUE(first.end.has_value());
    EXPECT_DOUBLE_EQ(*first.end, 1.4) << "ends at the next INDEX 01, not at its pregap";
    EXPECT_EQ(cue.PerformerOf(first), cue.performer);

    const CueTrack& second = cue.tracks[1];
    EXPECT_EQ(second.title, QStringLiteral("Second Song"));
    EXPECT_EQ(cue.PerformerOf(second), QStringLiteral("Guest"));
    EXPECT_DOUBLE_EQ(second.start, 1.4);
    EXPECT_FALSE(second.end.has_value()) << "the last track of its file runs to the file's end";

    EXPECT_EQ(cue.tracks[2].file, path(QStringLiteral("sub/side b.mp3")));
    EXPECT_DOUBLE_EQ(*cue.tracks[2].end, 61 * 60 + 2 + 74.0 / 75);
    EXPECT_DOUBLE_EQ(cue.tracks[3].start, 61 * 60 + 2 + 74.0 / 75);
    EXPECT_EQ(cue.tracks[4].file, path(QStringLiteral("last.aiff")))
        << "a Windows path means the file beside the sheet";
    EXPECT_EQ(cue.Track(4), &cue.tracks[3]);
    EXPECT_EQ(cue.Track(6), nullptr);
}

// Only what can be played is kept; the rest of the sheet still counts.
TEST_F(CueSheetFiles, LeavesOutTracksThatCannotBePlayed) {
    const QStringList lines = {
        QStringLiteral("TRACK 01 AUDIO"),  // before any FILE
        QStringLiteral("INDEX 01 00:00:00"),
        QStringLiteral("FILE \"disc.bin\" BINARY"),
        QStringLiteral("TRACK 02 MODE1/2352"),  // data
        QStringLiteral("INDEX 01 00:00:00"),
        QStringLiteral("TRACK 03 AUDIO"),
        QStringLiteral("INDEX 01 00:10:00"),
        QStringLiteral("TRACK 04 AUDIO"),  // an impossible time
        QStringLiteral("INDEX 01 00:61:00"),
        QStringLiteral("TRACK 05 AUDIO"),  // no INDEX 01
        QStringLiteral("INDEX 00 00:20:00"),
        QStringLiteral("TRACK 03 AUDIO"),  // a number given twice
        QStringLiteral("INDEX 01 00:30:00"),
        QStringLiteral("TRACK 06 AUDIO"),  // going back in the file
        QStringLiteral("INDEX 01 00:05:00"),
        QStringLiteral("TRACK 07 AUDIO"),
        QStringLiteral("INDEX 01 00:40:00"),
        QStringLiteral("TRACK 100 AUDIO"),  // beyond 99
        QStringLiteral("INDEX 01 00:50:00"),
        QStringLiteral("FILE \"http://example.org/a.wav\" WAVE"),
        QStringLiteral("TRACK 08 AUDIO"),
        QStringLiteral("INDEX 01 00:00:00"),
        QStringLiteral("FILE \"10.pause\" WAVE"),
        QStringLiteral("TRACK 09 AUDIO"),
        QStringLiteral("INDEX 01 00:00:00"),
    };
    const CueSheet cue = ParseCueSheet(lines, QStringLiteral("/music"));
    ASSERT_EQ(cue.tracks.size(), 2u);
    EXPECT_EQ(cue.tracks[0].number, 3);
    EXPECT_EQ(cue.tracks[0].file, QStringLiteral("/music/disc.bin"));
    EXPECT_DOUBLE_EQ(*cue.tracks[0].end, 40.0);
    EXPECT_EQ(cue.tracks[1].number, 7);
}

TEST_F(CueSheetFiles, RefusesSheetsWithoutAPlayableTrackNamingThem) {
    const QByteArray bad[] = {
        QByteArray(),
        QByteArray("REM nothing here\nTITLE \"x\"\n"),
        QByteArray("FILE a.wav WAVE\nTRACK 01 AUDIO\nINDEX 01 1:2\n"),
        QByteArray("\x00\xff\x13\x88garbage\x00\x00", 12),
        QByteArray(2 << 20, 'A'),
    };
    int n = 0;
    for (const QByteArray& bytes : bad) {
        const QString sheet = write(QStringLiteral("bad%1.cue").arg(n++), bytes);
        try {
            ReadCueSheetFile(sheet);
            ADD_FAILURE() << "accepted " << sheet.toStdString();
        } catch (const CFileException& e) {
            EXPECT_EQ(e.GetCause(), CFileException::badFormat);
            EXPECT_TRUE(e.GetErrorMessage().contains(sheet)) << e.GetErrorMessage().toStdString();
        }
    }
    EXPECT_THROW(ReadCueSheetFile(path(QStringLiteral("missing.cue"))), CFileException);
    EXPECT_THROW(CueSheetEntries(path(QStringLiteral("bad1.cue"))), CFileException);
}

// Entries name the sheet and the track number; nothing else reads as one.
TEST_F(CueSheetFiles, TrackEntriesNameTheirSheetAndNumber) {
    const QString entry = CueTrackEntry(QStringLiteral("/m/a b.cue"), 7);
    EXPECT_EQ(entry, QStringLiteral("/m/a b.cue/Track07.cuetrack"));
    const auto ref = ParseCueTrackEntry(entry);
    ASSERT_TRUE(ref.has_value());
    EXPECT_EQ(ref->container, QStringLiteral("/m/a b.cue"));
    EXPECT_EQ(ref->number, 7);
    EXPECT_EQ(ParseCueTrackEntry(QStringLiteral("/m/x.flac/track12.CUETRACK"))->number, 12);
    for (const char* other : {"/m/a.cue", "/m/a.cue/Track00.cuetrack", "/m/a.cue/Track7.cuetrack",
                              "/m/a.cue/Track0x.cuetrack", "Track01.cuetrack",
                              "/m/a.cue/Song01.cuetrack", "/m/a.cue/Track01.wav"}) {
        EXPECT_FALSE(ParseCueTrackEntry(QString::fromLatin1(other)).has_value()) << other;
    }

    const QString sheet = write(QStringLiteral("two.cue"),
                                "FILE a.wav WAVE\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n"
                                "TRACK 05 AUDIO\nINDEX 01 00:03:00\n");
    EXPECT_EQ(CueSheetEntries(sheet),
              QStringList({CueTrackEntry(sheet, 2), CueTrackEntry(sheet, 5)}));
    EXPECT_FALSE(CueSheetEntries(path(QStringLiteral("a.wav"))).has_value());
    CPlaylistFile list;
    list.Load(sheet);
    EXPECT_EQ(list.Entries(), *CueSheetEntries(sheet)) << "a sheet opened as a list";
    EXPECT_THROW(list.Save(sheet), CFileException) << "a sheet is never written over";
    EXPECT_EQ(ReadCueSheetFile(sheet).tracks.size(), 2u);

    // Names read the sheet once per change of the file, not once per track.
    EXPECT_EQ(ReadContainerSheet(sheet).tracks.size(), 2u);
    write(QStringLiteral("two.cue"), "FILE a.wav WAVE\nTRACK 04 AUDIO\nINDEX 01 00:00:00\n");
    ASSERT_EQ(ReadContainerSheet(sheet).tracks.size(), 1u) << "an edited sheet is read again";
    EXPECT_EQ(ReadContainerSheet(sheet).tracks[0].number, 4);
    QFile::remove(sheet);
    EXPECT_THROW(ReadContainerSheet(sheet), CFileException);
}

// A FLAC's own sheet: its CUESHEET comment (with titles) before its CUESHEET block.
TEST_F(CueSheetFiles, FindsTheSheetInsideAFlacFile) {
    const QByteArray comment =
        "CUESHEET=PERFORMER \"Band\"\nFILE \"whatever.wav\" WAVE\nTRACK 01 AUDIO\nTITLE \"One\"\n"
        "INDEX 01 00:00:00\nTRACK 02 AUDIO\nTITLE \"Two\"\nINDEX 01 00:02:00\n";
    const QString tagged =
        write(QStringLiteral("tagged.flac"),
              "fLaC" + streamInfo() + flacBlock(1, QByteArray(100, '\0'), false) +
                  vorbisComments({"TITLE=Whole", comment}, false) +
                  cueSheetBlock({{1, 0}, {2, 44100}, {3, 88200}}, 132300));
    const CueSheet fromComment = ReadContainerSheet(tagged);
    ASSERT_EQ(fromComment.tracks.size(), 2u);
    EXPECT_EQ(fromComment.tracks[1].title, QStringLiteral("Two"));
    EXPECT_EQ(fromComment.tracks[0].file, tagged) << "an embedded sheet plays its own file";
    EXPECT_EQ(CueSheetEntries(tagged),
              QStringList({CueTrackEntry(tagged, 1), CueTrackEntry(tagged, 2)}));

    const QString blockOnly =
        write(QStringLiteral("block.flac"),
              "fLaC" + streamInfo() + vorbisComments({"ARTIST=Band", "ALBUM=Disc"}, false) +
                  cueSheetBlock({{1, 0}, {2, 44100 * 2 + 588 * 15}}, 44100 * 4));
    const CueSheet fromBlock = ReadContainerSheet(blockOnly);
    EXPECT_EQ(fromBlock.performer, QStringLiteral("Band"));
    EXPECT_EQ(fromBlock.title, QStringLiteral("Disc"));
    ASSERT_EQ(fromBlock.tracks.size(), 2u) << "the lead-out is no track";
    EXPECT_DOUBLE_EQ(fromBlock.tracks[1].start, 2.2);
    EXPECT_DOUBLE_EQ(*fromBlock.tracks[0].end, 2.2);

    // A FLAC without a sheet, or with one that names nothing usable, is an entry of its own.
    const QString plain =
        write(QStringLiteral("plain.flac"), "fLaC" + streamInfo() + vorbisComments({}, true));
    EXPECT_FALSE(CueSheetEntries(plain).has_value());
    const QString useless = write(QStringLiteral("useless.flac"),
                                  "fLaC" + streamInfo() + vorbisComments({"CUESHEET=REM"}, true));
    EXPECT_FALSE(CueSheetEntries(useless).has_value());
    EXPECT_THROW(ReadContainerSheet(useless), CFileException);
}

// Damaged metadata gives no sheet and never reads past what is there.
TEST_F(CueSheetFiles, DamagedFlacMetadataGivesNoSheet) {
    const QByteArray good = "fLaC" + streamInfo() + vorbisComments({"CUESHEET=x"}, true);
    EXPECT_TRUE(sheetTextOf(good).has_value());
    for (qsizetype cut = 0; cut < good.size(); ++cut) {
        EXPECT_FALSE(sheetTextOf(good.left(cut)).has_value()) << "cut at " << cut;
    }
    QByteArray lying = good;
    lying[4 + 38 + 4] = char(0x7f);  // the vendor length points past the block
    EXPECT_FALSE(sheetTextOf(lying).has_value());
    EXPECT_FALSE(sheetTextOf(QByteArray("ID3\x04\0\0\0\0\0\x05", 10) + "xxxxxfLaC").has_value());
    const QByteArray id3 = QByteArray("ID3\x04\0\0\0\0\0\x02", 10) + "ab" + good;
    EXPECT_EQ(sheetTextOf(id3), QStringLiteral("x")) << "an ID3 tag before the stream";
}
