#include "TrackRecorder.h"
#include "engines/TrackFactory.h"
#include "engines/directshow/CDirectShowTrack.h"
#include "engines/exceptions/CNoEngineException.h"
#include "engines/pause/CPauseTrack.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <thread>

using namespace tavi::engines;

namespace {

// Everything posted so far reaches its receiver; what is not delivered now never will be.
void deliverPosted() {
    QCoreApplication::sendPostedEvents();
}

// Deletes the track it is told about from inside the end report, as a player closing the
// current track does.
struct DeletingOwner : CMediaTrackCallback {
    void OnTrackEnded(CMediaTrack* track) override {
        ++ends;
        if (owned.get() == track) {
            owned.reset();
        }
    }
    void OnTrackError(CMediaTrack*, std::unique_ptr<tavi::errors::CException>) override {
        ++errors;
    }
    std::unique_ptr<CMediaTrack> owned;
    int ends = 0;
    int errors = 0;
};

}  // namespace

TEST(TrackFactory, PicksTheEngineByExtensionInAnyCase) {
    tavi::test::TrackRecorder owner;
    for (const char* name : {"5.pause", "5.PAUSE", "/x/5.Pause"}) {
        auto track = CreateTrackForFile(QString::fromUtf8(name), &owner);
        EXPECT_NE(dynamic_cast<CPauseTrack*>(track.get()), nullptr) << name;
        EXPECT_EQ(track->GetCallback(), &owner);
        EXPECT_EQ(track->GetFileName(), QString()) << "the factory does not open";
    }
    EXPECT_EQ(UpperExtension(QStringLiteral("/a.b/file")), QString());
    EXPECT_EQ(UpperExtension(QStringLiteral("/a/song.mp3")), QStringLiteral(".MP3"));
    EXPECT_EQ(UpperExtension(QStringLiteral("/a/song.mp3 ")), QStringLiteral(".MP3 "));
}

TEST(TrackFactory, UnlistedExtensionsGoToTheGeneralMediaEngine) {
    for (const char* name : {"/music/a.flac", "/music/b.WAV", "/music/c", "/music/d.mp3"}) {
        auto track = CreateTrackForFile(QString::fromUtf8(name), nullptr);
        EXPECT_NE(dynamic_cast<CDirectShowTrack*>(track.get()), nullptr) << name;
    }
    EXPECT_NE(dynamic_cast<CMP3DirectShowTrack*>(
                  CreateTrackForFile(QStringLiteral("x.Mp3"), nullptr).get()),
              nullptr);
    EXPECT_EQ(CNoEngineException(QStringLiteral("/music/a.flac")).GetErrorMessage(),
              QStringLiteral("There is no player for '/music/a.flac' on this system."));
}

TEST(NotifyPath, DeviceNoticesMapToEndErrorOrNothing) {
    tavi::test::coreApplication();
    tavi::test::TrackRecorder owner;
    auto track = CreateTrackForFile(QStringLiteral("1.pause"), &owner);
    track->Open(QStringLiteral("1.pause"));
    const auto& notify = track->GetNotifyWnd();
    EXPECT_EQ(notify.GetTitle(), QStringLiteral("1.pause"));
    notify.PostMessage(CMediaTrackNotifyWnd::kMciNotifyMessage,
                       CMediaTrackNotifyWnd::kMciNotifySuperseded);
    notify.PostMessage(CMediaTrackNotifyWnd::kMciNotifyMessage,
                       CMediaTrackNotifyWnd::kMciNotifyAborted);
    notify.PostMessage(CMediaTrackNotifyWnd::kMciNotifyMessage,
                       CMediaTrackNotifyWnd::kMciNotifyFailure);
    notify.PostMessage(CMediaTrackNotifyWnd::kMciNotifyMessage,
                       CMediaTrackNotifyWnd::kMciNotifySuccessful);
    notify.PostMessage(0x8002);
    deliverPosted();
    ASSERT_EQ(owner.reports.size(), 2u);
    EXPECT_FALSE(owner.reports[0].ended);
    EXPECT_EQ(owner.reports[0].message, QString()) << "a device failure notice has no text";
    EXPECT_TRUE(owner.reports[1].ended);
}

TEST(NotifyPath, MessagesFromWorkersArriveInOrderAndNoneAfterClose) {
    tavi::test::coreApplication();
    tavi::test::TrackRecorder owner;
    auto track = CreateTrackForFile(QStringLiteral("1.pause"), &owner);
    track->Open(QStringLiteral("1.pause"));
    std::thread worker([&] {
        track->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kMciNotifyMessage,
                                          CMediaTrackNotifyWnd::kMciNotifyFailure);
        track->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
    });
    worker.join();
    track->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
    track->Close();  // the queued end must be dropped
    deliverPosted();
    EXPECT_TRUE(owner.reports.empty());

    track->Open(QStringLiteral("1.pause"));
    std::thread second([&] {
        track->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kMciNotifyMessage,
                                          CMediaTrackNotifyWnd::kMciNotifyFailure);
        track->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
    });
    second.join();
    deliverPosted();
    ASSERT_EQ(owner.reports.size(), 2u);
    EXPECT_FALSE(owner.reports[0].ended);
    EXPECT_TRUE(owner.reports[1].ended);
}

TEST(NotifyPath, OwnerMayDeleteTheTrackInsideTheReport) {
    tavi::test::coreApplication();
    DeletingOwner owner;
    owner.owned = CreateTrackForFile(QStringLiteral("0.pause"), &owner);
    owner.owned->Open(QStringLiteral("0.pause"));
    owner.owned->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
    owner.owned->GetNotifyWnd().PostMessage(CMediaTrackNotifyWnd::kTrackEndedMessage);
    deliverPosted();
    EXPECT_EQ(owner.owned, nullptr);
    EXPECT_EQ(owner.ends, 1) << "the second message belonged to a deleted track";
}
