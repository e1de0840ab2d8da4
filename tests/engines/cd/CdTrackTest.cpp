#include "engines/TrackFactory.h"
#include "engines/TrackRecorder.h"
#include "engines/cd/CCDTrack.h"
#include "engines/cd/CdServices.h"
#include "engines/exceptions/CMCIException.h"
#include "platform/mci/cd/CdDrives.h"
#include "support/CdImage.h"
#include "support/PlaybackEnvironment.h"
#include "support/QtApp.h"

#include <QFile>

#include <sys/stat.h>
#include <QTemporaryDir>
#include <cstdlib>

#include <gtest/gtest.h>

using namespace tavi::engines;
using tavi::test::processEventsUntil;

namespace {

// The published CDDB algorithm, worked from the image's own layout (2 s of lead-in).
uint32_t CddbIdOf(const tavi::test::CdImage& image) {
    auto digits = [](int n) {
        int sum = 0;
        for (; n > 0; n /= 10)
            sum += n % 10;
        return sum;
    };
    int n = 0;
    for (int t = 1; t <= image.TrackCount(); ++t)
        n += digits((image.StartSector(t) + 150) / 75);
    const int end = image.StartSector(image.TrackCount()) + image.Sectors(image.TrackCount());
    const int length = (end + 150) / 75 - (image.StartSector(1) + 150) / 75;
    return uint32_t(n % 255) << 24 | uint32_t(length) << 8 | uint32_t(image.TrackCount());
}

// GStreamer's shared output scales 16-bit sound by 32767 on the way out, so a sample may
// come back one step off; a wrong or shifted sample is thousands off.
bool SameSound(const std::vector<short>& heard, const std::vector<short>& expected) {
    if (heard.size() != expected.size()) {
        return false;
    }
    for (size_t i = 0; i < heard.size(); ++i) {
        if (std::abs(heard[i] - expected[i]) > 1) {
            return false;
        }
    }
    return true;
}

class CdTrack : public testing::Test {
protected:
    CdTrack() : m_image(m_dir.path(), {75, 90, 40}) {
        tavi::test::PrepareForPlayback();
        qputenv("TAVI_CD_DRIVE", m_image.Drive().toLocal8Bit());
    }
    ~CdTrack() override {
        qunsetenv("TAVI_CD_DRIVE");
        qputenv("TAVI_AUDIO_OUTPUT", "null");
    }

    QString Entry(int track) const { return cd::CdTrackEntries(m_image.Root(), track).last(); }
    std::unique_ptr<CCDTrack> Open(const QString& entry) {
        auto track = std::make_unique<CCDTrack>();
        track->SetCallback(&m_recorder);
        track->Open(entry);
        return track;
    }
    bool WaitForReport() {
        return processEventsUntil([&] { return !m_recorder.reports.empty(); }, 10000);
    }
    QString Record() {
        const QString recording = m_dir.filePath(QStringLiteral("heard.wav"));
        qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + recording).toLocal8Bit());
        return recording;
    }

    QTemporaryDir m_dir;
    tavi::test::CdImage m_image;
    tavi::test::TrackRecorder m_recorder;
};

}  // namespace

TEST_F(CdTrack, TheImageIsADriveWithItsTracksAndDiscId) {
    EXPECT_EQ(cd::FindCdDrive(), m_image.Root());
    EXPECT_EQ(cd::CountCdTracks(), 3);
    EXPECT_EQ(cd::CdTrackEntries(cd::FindCdDrive(), cd::CountCdTracks()),
              QStringList({m_image.Root() + QStringLiteral("Track01.cda"),
                           m_image.Root() + QStringLiteral("Track02.cda"),
                           m_image.Root() + QStringLiteral("Track03.cda")}));
    EXPECT_EQ(cd::IdentifyCdInDrive(), CddbIdOf(m_image));
    EXPECT_NE(dynamic_cast<CCDTrack*>(CreateTrackForFile(Entry(2), nullptr).get()), nullptr);
    // A disc image has no door: asking is harmless.
    cd::OpenCdDoor();
    cd::CloseCdDoor();
    EXPECT_EQ(cd::CountCdTracks(), 3);
}

TEST_F(CdTrack, NoDriveOrNoDiscIsNoCdFound) {
    qputenv("TAVI_CD_DRIVE", "");
    EXPECT_EQ(cd::FindCdDrive(), QString());
    EXPECT_EQ(cd::CountCdTracks(), 0);
    EXPECT_EQ(cd::IdentifyCdInDrive(), 0u);
    EXPECT_THROW(Open(QStringLiteral("/dev/sr0/Track01.cda")), CMCIException);
    // A drive holding something that is no disc: no tracks, and tracks fail at open.
    const QString junk = m_dir.filePath(QStringLiteral("junk.cue"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("TRACK 99 NONSENSE\n\x01\x02");
    file.close();
    qputenv("TAVI_CD_DRIVE", junk.toLocal8Bit());
    EXPECT_EQ(cd::CountCdTracks(), 0);
    EXPECT_EQ(cd::IdentifyCdInDrive(), 0u);
    EXPECT_THROW(Open(junk + QStringLiteral("/Track01.cda")), CMCIException);
    // A track the disc does not have.
    qputenv("TAVI_CD_DRIVE", m_image.Drive().toLocal8Bit());
    EXPECT_THROW(Open(m_image.Root() + QStringLiteral("Track07.cda")), CMCIException);
    EXPECT_THROW(Open(m_image.Root() + QStringLiteral("Track00.cda")), CMCIException);
}

TEST_F(CdTrack, TimesAreTheTracksOwn) {
    auto track = Open(Entry(2));
    EXPECT_EQ(track->TrackNumber(), 2);
    EXPECT_NEAR(track->TrackStart(), m_image.StartSector(2) / 75.0, 1.0 / 75);
    EXPECT_NEAR(track->GetLength(), m_image.Sectors(2) / 75.0, 1.0 / 75);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 0.0);
    track->Seek(0.5);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 0.5);
    EXPECT_EQ(track->GetDevice().GetDeviceId() != 0, true);
    EXPECT_EQ(const_cast<CMCI&>(track->GetDevice()).QueryPosition(),
              uint32_t((track->TrackStart() + 0.5) * 1000 + 1e-6));
    track->Seek(-3.0);
    EXPECT_DOUBLE_EQ(track->GetPosition(), 0.0);
    track->Seek(99.0);
    EXPECT_NEAR(track->GetPosition(), track->GetLength(), 0.001);
    // A base name shorter than two characters is track 1.
    auto first = Open(m_image.Root() + QStringLiteral("7.cda"));
    EXPECT_EQ(first->TrackNumber(), 1);
    EXPECT_DOUBLE_EQ(first->TrackStart(), 0.0);
}

// Exactly the track's sound, from its start to its end, then the end is reported.
TEST_F(CdTrack, ATrackPlaysFromItsStartToItsEnd) {
    const QString recording = Record();
    {
        auto track = Open(Entry(2));
        track->Play();
        ASSERT_TRUE(WaitForReport());
        EXPECT_TRUE(m_recorder.reports.front().ended)
            << m_recorder.reports.front().message.toStdString();
        EXPECT_TRUE(track->IsStopped());
    }
    const std::vector<short> heard = tavi::test::ReadSamples(recording);
    ASSERT_EQ(heard.size(), m_image.Samples(2).size());
    EXPECT_TRUE(SameSound(heard, m_image.Samples(2)));
}

TEST_F(CdTrack, PauseAndResumeGoOnToTheTracksEnd) {
    const QString recording = Record();
    {
        auto track = Open(Entry(1));
        track->Play();
        ASSERT_TRUE(processEventsUntil([&] { return track->GetPosition() > 0.3; }, 5000));
        track->Pause();
        EXPECT_TRUE(track->IsPaused());
        const double paused = track->GetPosition();
        tavi::test::processEventsFor(100);
        EXPECT_DOUBLE_EQ(track->GetPosition(), paused);
        EXPECT_TRUE(m_recorder.reports.empty());
        track->Resume();
        EXPECT_FALSE(track->IsPaused());
        ASSERT_TRUE(WaitForReport());
        EXPECT_TRUE(m_recorder.reports.front().ended);
        EXPECT_EQ(m_recorder.reports.size(), 1u);
    }
    const std::vector<short> heard = tavi::test::ReadSamples(recording);
    EXPECT_TRUE(SameSound(heard, m_image.Samples(1))) << heard.size() << " samples heard";
}

// A seek while playing plays on from there to the end of the same track.
TEST_F(CdTrack, ASeekWhilePlayingPlaysOnToTheTracksEnd) {
    auto track = Open(Entry(1));
    track->Play();
    track->Seek(0.8);
    ASSERT_TRUE(WaitForReport());
    EXPECT_TRUE(m_recorder.reports.back().ended);
    EXPECT_NEAR(track->GetPosition(), track->GetLength(), 1.0 / 75);
}

// An image cut short reads as stale sound past its end (libcdio answers such reads as
// good): the play fails instead, whether the image was cut before the play or during it,
// and the track closes.
TEST_F(CdTrack, ADamagedImageFailsThePlay) {
    QTemporaryDir dir;
    tavi::test::CdImage image(dir.path(), {600, 100});
    qputenv("TAVI_CD_DRIVE", image.Drive().toLocal8Bit());
    QFile bin(image.BinPath());
    auto track = Open(image.Root() + QStringLiteral("Track01.cda"));
    ASSERT_TRUE(bin.resize(qint64(100) * 2352 + 1000));
    track->Play();
    ASSERT_TRUE(WaitForReport());
    EXPECT_FALSE(m_recorder.reports.front().ended);
    track->Close();

    tavi::test::CdImage intact(dir.path(), {600, 100});
    m_recorder.reports.clear();
    track = Open(image.Root() + QStringLiteral("Track01.cda"));
    track->Play();
    ASSERT_TRUE(processEventsUntil([&] { return track->GetPosition() > 0.2; }, 5000));
    ASSERT_TRUE(bin.resize(0));
    ASSERT_TRUE(WaitForReport());
    EXPECT_FALSE(m_recorder.reports.front().ended);
    EXPECT_EQ(m_recorder.reports.front().message, QStringLiteral("The device is not ready."));
    EXPECT_LT(track->GetPosition(), 2.0);
    track->Close();
    // The disc is gone for good: the next open finds none.
    EXPECT_THROW(Open(image.Root() + QStringLiteral("Track01.cda")), CMCIException);
}

// Only the program's drive opens: an entry naming a FIFO, a folder or another image
// fails at once (opening a FIFO would wait for a writer for ever).
TEST_F(CdTrack, AnEntryNamingNoDriveFailsAtOnce) {
    const QString fifo = m_dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    EXPECT_THROW(Open(fifo + QStringLiteral("/Track01.cda")), CMCIException);
    EXPECT_THROW(Open(m_dir.path() + QStringLiteral("/Track01.cda")), CMCIException);
    QTemporaryDir other;
    tavi::test::CdImage otherImage(other.path(), {75});
    EXPECT_THROW(Open(otherImage.Root() + QStringLiteral("Track01.cda")), CMCIException);
    EXPECT_NO_THROW(Open(Entry(1)));
}
