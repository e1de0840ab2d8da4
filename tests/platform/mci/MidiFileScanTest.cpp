#include "platform/mci/MciConstants.h"
#include "platform/mci/midi/MidiFileScan.h"
#include "platform/mci/midi/RmiUnwrap.h"
#include "support/MidiFiles.h"

#include <gtest/gtest.h>

using tavi::mci::MidiFileScan;
using tavi::mci::MidiTempoMap;
using namespace tavi::test;

TEST(MidiFileScan, LengthFollowsTheTempoChangesOfEveryTrack) {
    uint32_t error = 1;
    const auto type0 = MidiFileScan::Scan(Type0Midi(), &error);
    ASSERT_TRUE(type0);
    EXPECT_EQ(error, 0u);
    EXPECT_DOUBLE_EQ(type0->lengthMs, 2000.0);
    EXPECT_TRUE(type0->trackName.isEmpty());

    const auto type1 = MidiFileScan::Scan(Type1Midi(), &error);
    ASSERT_TRUE(type1);
    EXPECT_EQ(type1->tracks, 2);
    EXPECT_EQ(type1->lastTick, 384u);
    EXPECT_DOUBLE_EQ(type1->lengthMs, 1500.0);
    EXPECT_EQ(type1->trackName, QByteArray("Conductor Song"));
    // Positions map back to ticks across the change.
    EXPECT_EQ(type1->tempo.TickAt(500.0), 96u);
    EXPECT_EQ(type1->tempo.TickAt(1250.0), 288u);
    EXPECT_DOUBLE_EQ(type1->tempo.MillisecondsAt(288), 1250.0);

    // A tempo change in a later track counts too, and changes need not come in order.
    MidiTempoMap map(100);
    map.AddChange(200, 1000000);
    map.AddChange(100, 2000000);
    EXPECT_DOUBLE_EQ(map.MillisecondsAt(300), 500.0 + 2000.0 + 1000.0);
}

TEST(MidiFileScan, DamagedFilesAreRefusedWithAnErrorNumber) {
    const QByteArray good = Type0Midi();
    QByteArray hugeChunk = good;
    hugeChunk.replace(18, 4, BigEndianBytes(0x7FFFFFFF, 4));  // a 2-GB track length
    MidiTrackBytes slow;
    slow.Event(0x0FFFFFFF, {0x90, 60, 100}).Event(0x0FFFFFFF, {0x80, 60, 0});
    const QByteArray years = MidiFileBytes(0, 1, {slow.Chunk()});
    QByteArray smpte = good;
    smpte[12] = char(0xE7);  // -25 frames a second
    const struct {
        const char* what;
        QByteArray bytes;
        uint32_t error;
    } cases[] = {
        {"zero bytes", QByteArray(), tavi::mci::MCIERR_INVALID_FILE},
        {"header only", good.left(14), tavi::mci::MCIERR_INVALID_FILE},
        {"truncated track chunk", good.left(good.size() - 5), tavi::mci::MCIERR_INVALID_FILE},
        {"2-GB track length", hugeChunk, tavi::mci::MCIERR_INVALID_FILE},
        {"delta times of years", years, tavi::mci::MCIERR_INVALID_FILE},
        {"SMPTE division", smpte, tavi::mci::MCIERR_SEQ_DIV_INCOMPATIBLE},
        {"plain text", QByteArray("MThd is not enough of a MIDI file").repeated(3),
         tavi::mci::MCIERR_INVALID_FILE},
    };
    for (const auto& c : cases) {
        uint32_t error = 0;
        EXPECT_FALSE(MidiFileScan::Scan(c.bytes, &error)) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
}

TEST(MidiFileScan, EventsCutShortInsideTheirChunkEndTheTrack) {
    MidiTrackBytes track;
    track.Note(0, 96).Note(0, 96);
    QByteArray chunk = track.Chunk();
    // Drop the end of track and the last note off, and say so in the chunk's length.
    chunk.chop(6);
    chunk.replace(4, 4, BigEndianBytes(uint32_t(chunk.size() - 8), 4));
    uint32_t error = 0;
    const auto summary = MidiFileScan::Scan(MidiFileBytes(0, 96, {chunk}), &error);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->lastTick, 96u);
}

TEST(RmiUnwrap, TakesTheDataChunkAndLeavesPlainMidiAlone) {
    const QByteArray midi = Type1Midi();
    QByteArray out;
    ASSERT_TRUE(tavi::mci::UnwrapRmi(RmiBytes(midi), &out));
    EXPECT_EQ(out, midi);
    ASSERT_TRUE(tavi::mci::UnwrapRmi(midi, &out));
    EXPECT_EQ(out, midi);

    QByteArray wave = RmiBytes(midi);
    wave.replace(8, 4, "WAVE");
    QByteArray noData = RmiBytes(midi);
    noData.replace(noData.indexOf("data"), 4, "junk");
    for (const QByteArray& bad : {wave, noData, RmiBytes(midi).left(40), QByteArray("RIFF")}) {
        EXPECT_FALSE(tavi::mci::UnwrapRmi(bad, &out));
    }
}
