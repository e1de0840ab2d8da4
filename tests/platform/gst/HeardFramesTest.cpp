// What the sound server is playing, from the periods written to it and the time since.
#include "platform/gst/HeardFrames.h"

#include <gtest/gtest.h>

using tavi::gst::HeardFrames;
using namespace std::chrono_literals;

namespace {
constexpr size_t kPeriod = 4410;  // 100 ms
}

TEST(HeardFrames, ThePlayingFrameLagsTheTakenOnesByWhatTheServerHoldsAndMovesWithTime) {
    HeardFrames heard;
    const HeardFrames::Clock::time_point start{};
    EXPECT_EQ(heard.At(start, 1234), 1234u) << "nothing written: what was taken";

    // Three periods of sound written at once; the server holds all three.
    heard.NoteWrite(1 * kPeriod, kPeriod, kPeriod, 1 * kPeriod, start);
    heard.NoteWrite(2 * kPeriod, kPeriod, kPeriod, 2 * kPeriod, start);
    heard.NoteWrite(3 * kPeriod, kPeriod, kPeriod, 3 * kPeriod, start);
    EXPECT_EQ(heard.At(start, 3 * kPeriod), 0u);
    EXPECT_EQ(heard.At(start + 150ms, 3 * kPeriod), kPeriod + kPeriod / 2);
    EXPECT_EQ(heard.At(start + 1s, 3 * kPeriod), 3 * kPeriod) << "all played";
    EXPECT_EQ(heard.At(start + 1s, 2 * kPeriod), 2 * kPeriod) << "never past what was taken";

    // A period that ends in silence (the queue ran dry): the sound stops where the queue did.
    heard.NoteWrite(3 * kPeriod + 1000, 1000, kPeriod, kPeriod, start + 1s);
    EXPECT_EQ(heard.At(start + 1s, 3 * kPeriod + 1000), 3 * kPeriod);
    EXPECT_EQ(heard.At(start + 1s + 10ms, 3 * kPeriod + 1000), 3 * kPeriod + 441);
    EXPECT_EQ(heard.At(start + 1s + 50ms, 3 * kPeriod + 1000), 3 * kPeriod + 1000);
    EXPECT_EQ(heard.At(start + 1s + 90ms, 3 * kPeriod + 1000), 3 * kPeriod + 1000);

    heard.Clear();
    EXPECT_EQ(heard.At(start + 1s, 99999), 99999u) << "a flush: the queue's front again";
}

TEST(HeardFrames, WhatTheServerHoldsBeyondTheKeptPeriodsStandsAtTheOldestOne) {
    HeardFrames heard;
    const HeardFrames::Clock::time_point start{};
    for (uint64_t i = 1; i <= 40; ++i) {
        heard.NoteWrite(i * 10, 10, 10, 40 * 10, start);  // a held figure too large to map
    }
    EXPECT_EQ(heard.At(start, 400), 400u - 32 * 10) << "the start of the oldest kept period";
}
