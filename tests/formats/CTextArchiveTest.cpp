#include "formats/CTextArchive.h"
#include "formats/CodePage.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include "FormatsTestFiles.h"

using tavi::formats::CTextArchive;
namespace CodePage = tavi::formats::CodePage;

namespace {

QStringList readAll(const QByteArray& bytes, int* codePage = nullptr,
                    CTextArchive::LineEnd* lineEnd = nullptr, bool* mark = nullptr) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CTextArchive archive(buffer, CTextArchive::Read);
    QStringList lines;
    QString line;
    while (archive.ReadLine(line)) {
        lines.append(line);
    }
    EXPECT_FALSE(archive.ReadLine(line)) << "stays at the end";
    if (codePage) {
        *codePage = archive.codePage();
    }
    if (lineEnd) {
        *lineEnd = archive.lineEnd();
    }
    if (mark) {
        *mark = archive.hasMark();
    }
    return lines;
}

QByteArray writeAll(int codePage, const QStringList& lines) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CTextArchive archive(buffer, CTextArchive::Write);
    if (codePage >= 0) {
        archive.SetEncoding(codePage);
    }
    for (const QString& line : lines) {
        archive.WriteLine(line);
    }
    archive.Close();
    return buffer.data();
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    QStringList lines;  // every ReadLine result, the empty last one included
    int codePage;
    CTextArchive::LineEnd lineEnd;
    bool mark;
};

class TextArchiveRead : public testing::TestWithParam<ReadCase> {};

using tavi::test::Strings;

const ReadCase kReadCases[] = {
    {"Utf8MarkCrLf",
     QByteArray("\xEF\xBB\xBF"
                "a\r\nb\r\n"),
     Strings({"a", "b", ""}), CodePage::kUtf8, CTextArchive::CrLf, true},
    {"NoMarkLf", "a\nb", Strings({"a", "b"}), CodePage::kAnsi, CTextArchive::Lf, false},
    {"Cr", "a\rb\r", Strings({"a", "b", ""}), CodePage::kAnsi, CTextArchive::Cr, false},
    {"LoneLfThenCrLfGivesEmptyLine", "a\nb\r\nc", Strings({"a", "b", "", "c"}), CodePage::kAnsi,
     CTextArchive::Lf, false},
    {"CrLfFileKeepsCharacterAfterLoneCr", "a\r\nb\rc\r\n", Strings({"a", "b", "c", ""}),
     CodePage::kAnsi, CTextArchive::CrLf, false},
    {"CrFileSplitsCrLfInTwo", "a\rb\r\nc", Strings({"a", "b", "", "c"}), CodePage::kAnsi,
     CTextArchive::Cr, false},
    {"NoTerminatorAnywhere", "abc", Strings({"abc"}), CodePage::kAnsi, CTextArchive::CrLf, false},
    {"Empty", "", Strings({""}), CodePage::kAnsi, CTextArchive::CrLf, false},
    {"ZeroBytesDropped", QByteArray("a\0b\r\n", 5), Strings({"ab", ""}), CodePage::kAnsi,
     CTextArchive::CrLf, false},
    {"Utf8WithoutMarkIsLocaleText", "caf\xC3\xA9\n", Strings({"caf\xC3\xA9", ""}), CodePage::kAnsi,
     CTextArchive::Lf, false},
    {"InvalidUtf8BecomesReplacement",
     QByteArray("\xEF\xBB\xBF"
                "a\xFF"
                "b\r\n"),
     Strings({"a\xEF\xBF\xBD"
              "b",
              ""}),
     CodePage::kUtf8, CTextArchive::CrLf, true},
    {"Utf16LeMark",
     QByteArray("\xFF\xFE"
                "a\0\r\0\n\0\xE9\0",
                10),
     Strings({"a", "\xC3\xA9"}), CodePage::kUtf16Le, CTextArchive::CrLf, true},
    {"Utf16BeMark", QByteArray("\xFE\xFF\0a\0\n\0\xE9\0\r\0\n", 12),
     Strings({"a", "\xC3\xA9", "", ""}), CodePage::kUtf16Be, CTextArchive::Lf, true},
    {"Utf16LeWithoutMarkKeepsAscii", QByteArray("a\0b\0\r\0\n\0c\0", 10), Strings({"ab", "", "c"}),
     CodePage::kAnsi, CTextArchive::Cr, false},
    {"Utf16OddLastByte",
     QByteArray("\xFF\xFE"
                "a\0b",
                5),
     Strings({"a\xEF\xBF\xBD"}), CodePage::kUtf16Le, CTextArchive::CrLf, true},
    {"Utf16ZeroUnitsDropped",
     QByteArray("\xFF\xFE"
                "a\0\0\0b\0",
                8),
     Strings({"ab"}), CodePage::kUtf16Le, CTextArchive::CrLf, true},
    {"Utf7Mark", QByteArray("+/v8-Hi +AOk-\r\nx"), Strings({"Hi \xC3\xA9", "x"}), CodePage::kUtf7,
     CTextArchive::CrLf, true},
    // Found by fuzzing: a zero character spelt in UTF-7 came through into an entry.
    {"Utf7ZeroCharactersDropped", QByteArray("+/v8-C:+aAAAAAAA-b\r\n+AAA-"),
     Strings({"C:\xE6\xA0\x80"
              "b",
              ""}),
     CodePage::kUtf7, CTextArchive::CrLf, true},
    {"Utf7InvalidBase64Replaced",
     QByteArray("+/v8-a+\xFF-\r\n"),
     {},
     CodePage::kUtf7,
     CTextArchive::CrLf,
     true},
};

TEST_P(TextArchiveRead, LinesCodePageAndLineEnd) {
    const ReadCase& c = GetParam();
    int codePage = -1;
    CTextArchive::LineEnd lineEnd{};
    bool mark = false;
    const QStringList lines = readAll(c.bytes, &codePage, &lineEnd, &mark);
    if (!c.lines.isEmpty()) {
        EXPECT_EQ(lines, c.lines);
    } else {
        ASSERT_EQ(lines.size(), 2);  // the line and the empty rest after its CR LF
        EXPECT_TRUE(lines[0].startsWith(u'a'));
        EXPECT_TRUE(lines[0].contains(QChar::ReplacementCharacter));
    }
    EXPECT_EQ(codePage, c.codePage);
    EXPECT_EQ(lineEnd, c.lineEnd);
    EXPECT_EQ(mark, c.mark);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextArchiveRead, testing::ValuesIn(kReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextArchive, CrLfSplitAcrossBuffersIsOneTerminator) {
    QByteArray bytes = "ab\r\n";
    bytes += QByteArray(CTextArchive::kBufferSize - 1 - bytes.size(), 'x');
    bytes += "\r\nnext\r\n";  // the CR is the last byte of the first buffer
    ASSERT_EQ(bytes[CTextArchive::kBufferSize - 1], '\r');
    const QStringList lines = readAll(bytes);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[1].size(), CTextArchive::kBufferSize - 5);
    EXPECT_EQ(lines[2], QStringLiteral("next"));
}

TEST(TextArchive, LinesLongerThanTheBufferAndUtf16AcrossBuffers) {
    const QString longLine(100000, u'\u00E9');
    const QByteArray utf8 = writeAll(CodePage::kUtf8, {longLine, QStringLiteral("b")});
    EXPECT_EQ(readAll(utf8), (QStringList{longLine, QStringLiteral("b"), QString()}));
    const QByteArray utf16 = writeAll(CodePage::kUtf16Be, {longLine, QStringLiteral("b")});
    EXPECT_EQ(readAll(utf16), (QStringList{longLine, QStringLiteral("b"), QString()}));
}

struct WriteCase {
    const char* name;
    int codePage;  // -1: SetEncoding not called
    QByteArray bytes;
};

class TextArchiveWrite : public testing::TestWithParam<WriteCase> {};

const WriteCase kWriteCases[] = {
    {"DefaultIsLocaleTextCrLf", -1, "caf\xC3\xA9\r\n\r\n"},
    {"Utf8Mark", CodePage::kUtf8,
     "\xEF\xBB\xBF"
     "caf\xC3\xA9\r\n\r\n"},
    {"Utf16Le", CodePage::kUtf16Le,
     QByteArray("\xFF\xFE"
                "c\0a\0f\0\xE9\0\r\0\n\0\r\0\n\0",
                18)},
    {"Utf16Be", CodePage::kUtf16Be, QByteArray("\xFE\xFF\0c\0a\0f\0\xE9\0\r\0\n\0\r\0\n", 18)},
};

TEST_P(TextArchiveWrite, MarkTextAndTerminators) {
    const WriteCase& c = GetParam();
    const QByteArray bytes = writeAll(c.codePage, Strings({"caf\xC3\xA9", ""}));
    EXPECT_EQ(tavi::test::Hex(bytes).toStdString(), tavi::test::Hex(c.bytes).toStdString());
}

INSTANTIATE_TEST_SUITE_P(Cases, TextArchiveWrite, testing::ValuesIn(kWriteCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextArchive, Utf7WritesMarkAndReadsBack) {
    const QStringList lines = Strings({"Hi \xC3\xA9 +1 \xF0\x9F\x98\x80", "x"});
    const QByteArray bytes = writeAll(CodePage::kUtf7, lines);
    EXPECT_TRUE(bytes.startsWith("+/v8-"));
    EXPECT_EQ(readAll(bytes), lines + QStringList{QString()});
}

TEST(TextArchive, SetEncodingOnlyBeforeTheFirstLine) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CTextArchive archive(buffer, CTextArchive::Write);
    archive.WriteLine(QStringLiteral("a"));
    EXPECT_THROW(archive.SetEncoding(CodePage::kUtf8), std::logic_error);
}

}  // namespace
