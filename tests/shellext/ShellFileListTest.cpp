#include "shellext/HandOffError.h"
#include "shellext/ShellFileList.h"
#include "shellext/ShellStrings.h"

#include <QDBusMessage>
#include <QDir>

#include <gtest/gtest.h>

using namespace tavi::shellext;

namespace {

TEST(ShellFileList, UriListsKeepTheirOrderAndDecodeEscapesAsUtf8) {
    ShellFileList list;
    const QByteArray text =
        "# from a drag\r\n"
        "file:///music/a%20b/first.mp3\r\n"
        "file:///music/Gr%C3%BC%C3%9Fe/%E2%99%AA.ogg\r\n"
        "\r\n"
        "file://localhost/music/100%25.wav\r\n"
        "file:/music/short%20form.flac\n"
        "http://example.org/stream.mp3\r\n"
        "file:///music/last.mp3";
    ASSERT_EQ(list.LoadFromUriList(text), hresult::kOk);
    EXPECT_EQ(
        list.paths(),
        (QStringList{QStringLiteral("/music/a b/first.mp3"), QStringLiteral("/music/Grüße/♪.ogg"),
                     QStringLiteral("/music/100%.wav"), QStringLiteral("/music/short form.flac"),
                     QStringLiteral("http://example.org/stream.mp3"),
                     QStringLiteral("/music/last.mp3")}));
}

TEST(ShellFileList, EntriesThatNameNoLocalFileAreLeftOut) {
    // Another host, a NUL byte, no path at all, a bare word without a scheme.
    EXPECT_EQ(ShellFileList::PathOfFileUri("file://server/music/a.mp3"), QString());
    EXPECT_EQ(ShellFileList::PathOfFileUri("file:///music/a%00b.mp3"), QString());
    EXPECT_EQ(ShellFileList::PathOfFileUri("file://"), QString());
    EXPECT_EQ(ShellFileList::PathOfFileUri("file:relative.mp3"), QString());
    // Broken escapes stand for themselves; a query or fragment is no part of the name.
    EXPECT_EQ(ShellFileList::PathOfFileUri("file:///a%2/b%zz%"), QStringLiteral("/a%2/b%zz%"));
    EXPECT_EQ(ShellFileList::PathOfFileUri("file:///a%23b.mp3#frag"), QStringLiteral("/a#b.mp3"));
    EXPECT_EQ(ShellFileList::PathOfFileUri("FILE:///A.MP3?x=1"), QStringLiteral("/A.MP3"));

    ShellFileList list;
    EXPECT_EQ(list.LoadFromUriList("file://server/x.mp3\r\n# only a comment\r\nnot a uri\r\n"),
              hresult::kInvalidArg);
    EXPECT_TRUE(list.paths().isEmpty());
    EXPECT_EQ(list.LoadFromUriList(""), hresult::kInvalidArg);
}

TEST(ShellFileList, ArgumentsArePathsOrUrisMadeAbsolute) {
    ShellFileList list;
    ASSERT_EQ(list.LoadFromArguments({QStringLiteral("relative dir/song.mp3"), QString(),
                                      QStringLiteral("/abs/../abs/x.wav"),
                                      QStringLiteral("file:///music/50%25%20off.mp3"),
                                      QStringLiteral("file://elsewhere/y.mp3"),
                                      QStringLiteral(":odd.mp3"), QStringLiteral(":..8/..")}),
              hresult::kOk);
    // A leading ':' is part of a file name here (found by fuzzing: ":..8/.." came out as ".").
    const QString here = QDir::currentPath();
    EXPECT_EQ(list.paths(),
              (QStringList{here + QStringLiteral("/relative dir/song.mp3"),
                           QStringLiteral("/abs/x.wav"), QStringLiteral("/music/50% off.mp3"),
                           here + QStringLiteral("/:odd.mp3"), here}));
    EXPECT_EQ(list.LoadFromArguments({}), hresult::kInvalidArg);
}

TEST(ShellStrings, TheUsersLanguagePicksTheTable) {
    using L = ShellStrings::Language;
    EXPECT_EQ(ShellStrings::LanguageOf(nullptr, nullptr, nullptr, "de_DE.UTF-8"), L::German);
    EXPECT_EQ(ShellStrings::LanguageOf(nullptr, nullptr, nullptr, "fr_FR.UTF-8"), L::English);
    EXPECT_EQ(ShellStrings::LanguageOf(nullptr, nullptr, "de_AT", "en_US.UTF-8"), L::German);
    EXPECT_EQ(ShellStrings::LanguageOf(nullptr, "en_GB", "de_AT", "de_DE"), L::English);
    // LANGUAGE: the first of its list we have a table for, but not in the C locale.
    EXPECT_EQ(ShellStrings::LanguageOf("fr:de:en", nullptr, nullptr, "fr_FR.UTF-8"), L::German);
    EXPECT_EQ(ShellStrings::LanguageOf("de", nullptr, nullptr, "C"), L::English);
    EXPECT_EQ(ShellStrings::LanguageOf("", "", "", ""), L::English);

    const ShellStrings german(L::German);
    EXPECT_EQ(german.Text(ShellStrings::kAddItem), "Zur Tavi-Playliste hinzuf\xC3\xBCgen");
    EXPECT_EQ(german.Text(ShellStrings::kCaption), "TaviExt");
    EXPECT_EQ(ShellStrings(L::English).Text(ShellStrings::kPlayHelp),
              "Opens the selected files with Tavi media player");
    EXPECT_EQ(german.Text(ShellStrings::Id(104)), "");
}

TEST(HandOffError, TheTextIsTheLaunchFailureThenTheMessageOrTheCode) {
    const ShellStrings english(ShellStrings::Language::English);
    EXPECT_EQ(HandOffError({0x80040154, QStringLiteral("Class not registered\r\n")}).Text(english),
              QStringLiteral("Failed to launch Tavi\r\nClass not registered"));
    EXPECT_EQ(HandOffError({0x80040200 + 1001, QString()}).Text(english),
              QStringLiteral("Failed to launch Tavi\r\nIDispatch error #1001"));
    EXPECT_EQ(HandOffError({0x8004FFFF, QString()}).Text(english),
              QStringLiteral("Failed to launch Tavi\r\nIDispatch error #65023"));
    EXPECT_EQ(HandOffError({0x80004005, QString()}).Text(english),
              QStringLiteral("Failed to launch Tavi\r\nUnknown error 0x80004005"));
    EXPECT_EQ(HandOffError({0x800401FF, QString()}).Text(english),
              QStringLiteral("Failed to launch Tavi\r\nUnknown error 0x800401FF"));
    EXPECT_EQ(
        HandOffError({0x80004005, QString()}).Text(ShellStrings(ShellStrings::Language::German)),
        QStringLiteral("Tavi konnte nicht gestartet werden\r\nUnknown error 0x80004005"));
}

TEST(HandOffError, BusErrorsBecomeTheCodesAnAutomationClientSees) {
    EXPECT_EQ(
        HandOffError::CodeOfErrorName(QStringLiteral("org.kestrova.Tavi.Error.Exception.Code1001")),
        0x80040200u + 1001);
    EXPECT_EQ(HandOffError::CodeOfErrorName(QStringLiteral("org.kestrova.Tavi.Error.Exception")),
              0x80020009u);
    EXPECT_EQ(HandOffError::CodeOfErrorName(QStringLiteral("org.kestrova.Tavi.Error.TypeMismatch")),
              0x80020005u);
    EXPECT_EQ(HandOffError::CodeOfErrorName(
                  QStringLiteral("org.kestrova.Tavi.Error.Exception.Code99999")),
              0x80020009u);
    EXPECT_EQ(
        HandOffError::CodeOfErrorName(QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown")),
        hresult::kClassNotRegistered);
    EXPECT_EQ(HandOffError::CodeOfErrorName(QStringLiteral("com.example.Whatever")),
              hresult::kFail);
    const HandOffError error = HandOffError::FromReply(QDBusMessage::createError(
        QStringLiteral("org.kestrova.Tavi.Error.Exception.Code1001"), QString()));
    EXPECT_EQ(error.Text(ShellStrings(ShellStrings::Language::English)),
              QStringLiteral("Failed to launch Tavi\r\nIDispatch error #1001"));
}

}  // namespace
