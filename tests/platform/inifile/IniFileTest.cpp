#include "platform/errors/CFileException.h"
#include "platform/inifile/IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using tavi::errors::CFileException;
using tavi::ini::IniDocument;
using tavi::ini::IniFile;

namespace {

QString writeFile(const QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("t.ini"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

TEST(IniFile, WritesKeepEverythingElseAndIgnoreCase) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, "; comment\n[One]\nA=1\nodd line\n\n[Two]\nB = 2\n");
    IniFile file(path);
    file.SelectSection(QStringLiteral("one"));
    file.WriteString(QStringLiteral("a"), QStringLiteral("10"));
    file.WriteString(QStringLiteral("New"), QStringLiteral("x\ny"));
    file.SelectSection(QStringLiteral("TWO"));
    file.WriteInt(QStringLiteral("C"), -5);
    file.SelectSection(QStringLiteral("Three"));
    file.WriteString(QStringLiteral("D"), QString());
    file.Flush();
    EXPECT_EQ(
        readFile(path),
        "; comment\r\n[One]\r\nA=10\r\nodd line\r\nNew=x y\r\n\r\n[Two]\r\nB = 2\r\nC=-5\r\n\r\n"
        "[Three]\r\nD=\r\n");
    IniFile reread(path);
    reread.SelectSection(QStringLiteral("two"));
    EXPECT_EQ(reread.ReadInt(QStringLiteral("b"), 0), 2);
    EXPECT_EQ(reread.ReadString(QStringLiteral("missing"), QStringLiteral("dflt")),
              QStringLiteral("dflt"));
}

TEST(IniFile, IntegersReadLikeTheProfileFunctions) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"12", 12},   {" 12abc", 12}, {"-3", -3}, {"+4", 4},
                 {"0x1F", 31}, {"abc", 0},     {"", 77},   {"4294967297", 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(IniFile::ParseInt(QLatin1String(c.text), 77), c.value) << c.text;
    }
}

TEST(IniFile, Utf16FilesStayUtf16AndSectionlessKeysAreNotFound) {
    QTemporaryDir dir;
    const QString path = writeFile(dir, QByteArray("\xFF\xFE"
                                                   "K\0=\0v\0\n\0[\0S\0]\0\n\0",
                                                   18));
    IniFile file(path);
    file.SelectSection(QStringLiteral("s"));
    EXPECT_EQ(file.ReadString(QStringLiteral("K")), QString());
    file.WriteString(QStringLiteral("K"), QStringLiteral("w"));
    file.Flush();
    EXPECT_EQ(readFile(path), QByteArray("\xFF\xFE"
                                         "K\0=\0v\0\r\0\n\0[\0S\0]\0\r\0\n\0K\0=\0w\0\r\0\n\0",
                                         32));
}

TEST(IniFile, AnUnreadableFileIsNeverReplaced) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("folder.ini"));
    QDir().mkpath(path);  // opens, but cannot be read
    IniFile file(path);
    file.WriteString(QStringLiteral("K"), QStringLiteral("v"));
    EXPECT_THROW(file.Flush(), CFileException);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST(IniDocument, SerializeParsesBackToTheSameValues) {
    IniDocument document = IniDocument::parse("[a]\r\nx=1\r\n[A]\r\nx=2\r\n[b]\ny = \" q \"\n");
    EXPECT_EQ(document.value(QStringLiteral("A"), QStringLiteral("X")), QStringLiteral("1"));
    EXPECT_EQ(document.value(QStringLiteral("b"), QStringLiteral("y")), QStringLiteral(" q "));
    EXPECT_EQ(IniDocument::parse(document.serialize()).serialize(), document.serialize());
    EXPECT_EQ(document.keyNames(QStringLiteral("B")), QStringList{QStringLiteral("y")});
}

}  // namespace
