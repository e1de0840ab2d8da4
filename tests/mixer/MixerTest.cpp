#include "mixer/MasterVolumeScale.h"
#include "platform/mixer/CMixer.h"
#include "support/PulseAudioServer.h"

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QThread>

using namespace tavi::mixer;

TEST(MasterVolumeScale, SliderAndMixerAgreeInIntegerSteps) {
    EXPECT_EQ(SliderPositionForVolume(32768), 500);
    EXPECT_EQ(VolumeForSliderPosition(250), 16383u);
    EXPECT_EQ(SliderPositionForVolume(65535), 1000);
    EXPECT_EQ(VolumeForSliderPosition(1000), 65535u);
    EXPECT_EQ(VolumeForSliderPosition(-5), 0u);
    EXPECT_EQ(VolumeForSliderPosition(1200), 65535u);
}

TEST(CMixerException, MessagesFollowTheResultCodeTable) {
    EXPECT_EQ(CMixerException(MMSYSERR_NODRIVER).GetErrorMessage(),
              QStringLiteral(
                  "Mixer Error: No mixer device is available for the object specified by uMxId."));
    EXPECT_EQ(CMixerException(MMSYSERR_INVALPARAM).GetErrorMessage(),
              QStringLiteral("Mixer Error: One or more parameters are invalid."));
    EXPECT_EQ(CMixerException(3).GetErrorMessage(),
              QStringLiteral("Mixer Error: Unknown Error Code"));
    EXPECT_EQ(CMMException(6).GetErrorMessage(), QStringLiteral("Multimedia Exception: 6"));
}

TEST(CMixer, MasterVolumeOfARealMixerReadsBackWhatIsSet) {
    tavi::test::PulseAudioServer server;
    ASSERT_TRUE(server.isReady());
    CMixer mixer;
    mixer.OpenMixer(0);
    const MixerLine line = mixer.GetLineInfo(0);
    EXPECT_EQ(line.name, QStringLiteral("Master"));
    const MixerControl control = mixer.GetControlByType(line.lineId, CMixer::kVolumeControlType);
    for (uint32_t value : {0u, 1u, 16383u, 32768u, 40000u, 65534u, 65535u}) {
        mixer.SetControlDetails(control.controlId, value);
        EXPECT_EQ(mixer.GetControlDetails(control.controlId), value);
    }
    // Another program's change is seen.
    MasterVolume other;
    other.Set(12345);
    // The server passes it on a moment later: read until it shows, for a generous while.
    QDeadlineTimer deadline(10000);
    uint32_t seen = mixer.GetControlDetails(control.controlId);
    while (seen != 12345u && !deadline.hasExpired()) {
        QThread::msleep(2);
        seen = mixer.GetControlDetails(control.controlId);
    }
    EXPECT_EQ(seen, 12345u);

    EXPECT_THROW(mixer.GetLineInfo(1), CMixerException);
    EXPECT_THROW(mixer.GetControlByType(line.lineId, 0x50030002), CMixerException);
    EXPECT_THROW(mixer.GetControlDetails(999), CMixerException);
}

TEST(CMixer, WithoutAnySoundServiceOpeningFailsWithNoDriver) {
    QTemporaryDir empty;
    tavi::test::withoutAnySoundServer(empty);
    CMixer mixer;
    try {
        mixer.OpenMixer(0);
        FAIL() << "a mixer opened without any sound service";
    } catch (const CMixerException& e) {
        EXPECT_EQ(e.GetCode(), MMSYSERR_NODRIVER);
    }
    EXPECT_FALSE(mixer.IsOpen());
    EXPECT_THROW(mixer.GetLineInfo(0), CMixerException);
}
