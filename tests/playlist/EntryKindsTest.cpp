#include "platform/mci/MciExtensions.h"
#include "playlist/DisplayName.h"
#include "playlist/EntryKinds.h"
#include "playlist/FormatDuration.h"
#include "support/ProcessRegistry.h"

#include <gtest/gtest.h>

using namespace tavi::playlist;
using namespace tavi::mci;

namespace {

class EntryKinds : public testing::Test {
protected:
    EntryKinds() { MciExtensions::reload(); }
    ~EntryKinds() override {
        MciExtensions::reload();
        displayNameHooks() = m_hooks;
    }
    tavi::test::ProcessRegistry registry;

private:
    DisplayNameHooks m_hooks = displayNameHooks();  // the real ones, back after the test
};

struct KindCase {
    const char* path;
    bool media;
    bool insertable;
    bool video;
    int image;
};

// One row per behaviour that can break: table order, case folding, the MCI fallback and
// pseudo-files.
const KindCase kKinds[] = {
    {"/m/a.mp3", true, true, false, 5},
    {"/m/a.Mp3", true, true, false, 5},
    {"/m/A.WAV", true, true, false, 2},
    {"/m/a.mid", true, true, false, 1},
    {"/m/a.kar", true, true, false, 17},  // registered, no picture of its own
    {"/m/a.flac", true, true, false, 17},
    {"/m/a.ogg", true, true, false, 30},
    {"/m/a.mp4", true, true, false, 31},
    {"/m/a.avi", true, true, true, 6},
    {"/m/a.mpeg", true, true, true, 9},
    {"/m/a.wmv", true, true, true, 26},
    {"/m/a.fli", false, false, true, 8},  // video by name, but no MCI device
    {"/m/a.mod", true, true, false, 10},
    {"/m/a.XM", true, true, false, 10},
    {"/m/Track05.cda", true, true, false, 0},
    {"10.pause", true, true, false, 13},
    {"/m/a.mpl", true, true, false, 14},
    {"/m/a.m3u", false, true, false, 14},
    {"/m/a.alb", false, true, false, 15},
    {"/m/a.pls", false, true, false, 15},
    {"/m/a.wpl", false, true, false, 33},
    {"/m/a.mp3.jingle", false, true, false, 25},
    {"/m/x.rotation", false, true, false, 28},
    {"/m/x.start", false, true, false, 18},
    {"/m/x.stop", false, true, false, 21},
    {"/m/x.dir", false, true, false, 27},
    {"/m/x.txt", false, true, false, 32},
    {"/m/x.record", false, false, false, 24},
    {"/m/x.play", false, false, false, 20},
    {"/m/x.lnk", false, false, false, 22},
    {"/m/x.ra", false, false, false, 12},
    {"/m/noext", false, false, false, 18},
    {"/m/dotted.dir/noext", false, false, false, 18},
    {"/m/a.mp3 ", false, false, false, 18},  // trailing blank: no match
    {"/m/a.xyz", false, false, false, 18},
    // What GStreamer plays passes the media test through the MCI table.
    {"/m/a.opus", true, true, false, 17},
    {"/m/a.aac", true, true, false, 17},
    {"/m/a.M4B", true, true, false, 17},
    {"/m/a.wv", true, true, false, 17},
    {"/m/a.ape", true, true, false, 17},
    {"/m/a.mka", true, true, false, 17},
    {"/m/a.mkv", true, true, false, 17},
    {"/m/a.ogv", true, true, false, 17},
    {"/m/a.m4v", true, true, false, 17},
    {"/m/a.ts", true, true, false, 17},
    {"/m/a.webm", true, true, false, 17},
    {"/m/a.mpc", true, true, false, 17},
    {"/m/a.oga", true, true, false, 17},
    // Streams are media whatever their last part is, unless it names a playlist.
    {"http://radio.example:8000/", true, true, false, 18},
    {"https://radio.example/live", true, true, false, 18},
    {"http://radio.example.com", true, true, false, 22},  // ".COM" names no program here
    {"http://radio.example/a.mp3", true, true, false, 5},
    {"http://radio.example/list.m3u", false, true, false, 14},
    {"http://radio.example/list.pls", false, true, false, 15},
};

}  // namespace

TEST_F(EntryKinds, TablesDecideByUpperCasedExtension) {
    for (const KindCase& c : kKinds) {
        const QString path = QString::fromUtf8(c.path);
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsMediaFile(path), c.media);
        EXPECT_EQ(IsInsertableFile(path), c.insertable);
        EXPECT_EQ(IsVideoFile(path), c.video);
        EXPECT_EQ(GetFileImageIndex(path), c.image);
    }
    EXPECT_TRUE(IsExpandablePlaylistFile(QStringLiteral("/a/b.pls")));
    EXPECT_TRUE(IsExpandablePlaylistFile(QStringLiteral("/a/b.WPL")));
    EXPECT_FALSE(IsExpandablePlaylistFile(QStringLiteral("/a/b.m3u"))) << "a mini playlist";
    EXPECT_TRUE(IsMiniPlaylistFile(QStringLiteral("/a/b.MPL")));
    EXPECT_FALSE(IsMiniPlaylistFile(QStringLiteral("/a/b.m3u")));
}

TEST_F(EntryKinds, PathParts) {
    const QString path = QStringLiteral("/music/v1.0/Song.Name.mP3");
    EXPECT_EQ(EntryExtension(path), QStringLiteral(".MP3"));
    EXPECT_EQ(RawExtension(path), QStringLiteral(".mP3"));
    EXPECT_EQ(FileTitle(path), QStringLiteral("Song.Name"));
    EXPECT_EQ(FolderPart(path), QStringLiteral("/music/v1.0/"));
    EXPECT_EQ(FileTitle(QStringLiteral("/music/v1.0/README")), QStringLiteral("README"));
    EXPECT_EQ(EntryExtension(QStringLiteral("/music/v1.0/README")), QString());
}

TEST_F(EntryKinds, MciTableComesFromTheMachineHive) {
    EXPECT_EQ(GetMciDeviceTypeForExtension(QStringLiteral(".WAV")), QStringLiteral("waveaudio"));
    EXPECT_EQ(GetMciDeviceTypeForExtension(QStringLiteral(".rmi")), QStringLiteral("sequencer"));
    EXPECT_EQ(GetMciDeviceTypeForExtension(QStringLiteral(".opus")), QStringLiteral("mpegvideo"));
    EXPECT_EQ(GetMciDeviceTypeForExtension(QStringLiteral(".cda")), QStringLiteral("cdaudio"));
    EXPECT_FALSE(HasMciDevice(QStringLiteral(".xyz")));

    // The system hive adds "xyz", takes "mp3" away and may register the empty name.
    registry.writeSystemFile(
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions]\r\n"
        "\"xyz\"=\"waveaudio\"\r\n\"mp3\"=-\r\n\"\"=\"mpegvideo\"\r\n");
    MciExtensions::reload();
    EXPECT_TRUE(IsMediaFile(QStringLiteral("/a/b.XYZ")));
    EXPECT_EQ(GetFileImageIndex(QStringLiteral("/a/b.xyz")), 17);
    EXPECT_FALSE(IsMediaFile(QStringLiteral("/a/b.mp3")));
    EXPECT_EQ(GetFileImageIndex(QStringLiteral("/a/b.mp3")), 5) << "the picture table comes first";
    EXPECT_EQ(GetFileImageIndex(QStringLiteral("/a/noext")), 17);
    EXPECT_FALSE(IsMediaFile(QStringLiteral("/a/noext"))) << "no extension is never media";
}

TEST_F(EntryKinds, DisplayNames) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"/x/10.pause", "10 sec."},
        {"/x/30.LIVE", "30 sec."},
        {"/x/5.record", "5 sec."},
        {"/m/Artist - Song.mp3", "Artist - Song"},
        {"/m/Artist - Song.mp3.jingle", "Artist - Song"},
        {"/dev/sr0/Track07.cda", "Track07"},  // no CD database yet: the file title
        {"/dev/sr0/TrackA7.cda", "TrackA7"},
        // A stream without a title of its own shows as it stands.
        {"http://radio.example:8000/", "http://radio.example:8000/"},
        {"https://radio.example/live.ogg", "live"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetDisplayName(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
    }
}

// Only these are read off the UI thread; the rest are computed where they are shown.
TEST_F(EntryKinds, OnlyTagNamesReadTheFile) {
    const NameOptions tags{true, QStringLiteral("$(Title)")};
    for (const char* path : {"/m/a.mp3", "/m/a.avi", "/m/a.mp3.jingle", "/m/noextension"}) {
        EXPECT_TRUE(DisplayNameReadsFile(QString::fromUtf8(path), tags)) << path;
        EXPECT_FALSE(DisplayNameReadsFile(QString::fromUtf8(path), NameOptions{})) << path;
    }
    for (const char* path : {"30.pause", "/m/5.live", "/m/5.record", "/dev/sr0/Track01.cda",
                             "http://radio.example/live.mp3"}) {
        EXPECT_FALSE(DisplayNameReadsFile(QString::fromUtf8(path), tags)) << path;
    }
}

TEST_F(EntryKinds, DisplayNameSeamsForTagsAndTheCdDatabase) {
    displayNameHooks().mediaFileName = [](const QString& path, const NameOptions& options) {
        return path.endsWith(QLatin1String("tagged.mp3")) ? options.displayNameFormat : QString();
    };
    displayNameHooks().cdTrackTitle = [](int track) {
        return QStringLiteral("CD track %1").arg(track);
    };
    const NameOptions tags{true, QStringLiteral("Tagged Title")};
    auto name = [&tags](const char* path) { return GetDisplayName(QString::fromUtf8(path), tags); };
    EXPECT_EQ(name("/m/tagged.mp3"), QStringLiteral("Tagged Title"));
    EXPECT_EQ(name("/m/tagged.mp3.jingle"), QStringLiteral("Tagged Title"));
    EXPECT_EQ(name("/m/plain.mp3"), QStringLiteral("plain"));
    EXPECT_EQ(name("http://radio.example/tagged.mp3"), QStringLiteral("tagged"))
        << "a stream is never asked for tags";
    EXPECT_EQ(GetDisplayName(QStringLiteral("/m/tagged.mp3"), NameOptions{}),
              QStringLiteral("tagged"))
        << "without UseMetaData there are no tags to ask for";
    EXPECT_EQ(name("/dev/sr0/Track07.cda"), QStringLiteral("CD track 7"));
    EXPECT_EQ(name("/dev/sr0/Track00.cda"), QStringLiteral("Track00"));
    EXPECT_EQ(name("/dev/sr0/Tr5.cda"), QStringLiteral("Tr5"));
    EXPECT_EQ(CdTrackNumberOf(QStringLiteral("/dev/sr0/Track12.cda")), 12);
    EXPECT_EQ(CdTrackNumberOf(QStringLiteral("/dev/sr0/7.cda")), 0);
}

TEST(FormatDuration, HoursMinutesSeconds) {
    EXPECT_EQ(FormatDuration(0), QStringLiteral("0:00:00"));
    EXPECT_EQ(FormatDuration(999), QStringLiteral("0:00:00"));
    EXPECT_EQ(FormatDuration(61'000), QStringLiteral("0:01:01"));
    EXPECT_EQ(FormatDuration(3'723'000), QStringLiteral("1:02:03"));
    EXPECT_EQ(FormatDuration(360'000'000), QStringLiteral("100:00:00"));
    EXPECT_EQ(FormatDurationSeconds(61.9999), QStringLiteral("0:01:01"));
    EXPECT_EQ(FormatDurationSeconds(-1.0), QStringLiteral("?:??:??"));
    EXPECT_EQ(FormatDurationSeconds(std::nan("")), QStringLiteral("?:??:??"));
}
