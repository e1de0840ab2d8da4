// The audio output that outlives the tracks: which output a track gets, and that what the
// tracks render reaches it whole, across a change of track.
#include "TrackRecorder.h"
#include "app/settings/PlayerSettings.h"
#include "engines/TrackFactory.h"
#include "engines/mci/CMCITrack.h"
#include "engines/player/CPlayer.h"
#include "platform/gst/SharedAudioOutput.h"
#include "platform/mci/wave/QueuedWaveOutput.h"
#include "support/ListHost.h"
#include "support/OpenWait.h"
#include "support/PulseAudioServer.h"
#include "support/QtApp.h"
#include "support/SoundFiles.h"
#include "support/TestMedia.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>

using namespace tavi::engines;
using tavi::gst::AudioOutputSpec;
using tavi::gst::SharedAudioOutput;
using tavi::test::processEventsUntil;

namespace {

std::shared_ptr<SharedAudioOutput> acquire(const QString& choice, const QString& device = {}) {
    QString error;
    auto output = SharedAudioOutput::Acquire(
        AudioOutputSpec::Parse(choice), device, [] { return tavi::gst::ElementPtr(); }, &error);
    EXPECT_TRUE(output) << error.toStdString();
    return output;
}

// The streams the sound server plays ("sink inputs"), by their numbers.
QStringList soundServerStreams() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"),
                {QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("sink-inputs")});
    pactl.waitForFinished(5000);
    QStringList streams;
    for (const QString& line : QString::fromUtf8(pactl.readAllStandardOutput()).split(u'\n')) {
        if (!line.isEmpty()) {
            streams.append(line.section(u'\t', 0, 0));
        }
    }
    return streams;
}

// Counts, through the output's tap, the frames that carried sound.
struct SoundCounter {
    SoundCounter() {
        SharedAudioOutput::SetTap([this](const float* samples, size_t frames) {
            for (size_t i = 0; i < frames; ++i) {
                if (std::fabs(samples[2 * i]) > 1e-4f || std::fabs(samples[2 * i + 1]) > 1e-4f) {
                    ++sounding;
                }
            }
        });
    }
    ~SoundCounter() { SharedAudioOutput::SetTap(nullptr); }
    std::atomic<long> sounding = 0;
};

}  // namespace

TEST(SharedOutput, TheOutputOutlivesItsTracksUntilTheChoiceChanges) {
    tavi::test::coreApplication();
    QTemporaryDir dir;
    const QString file = QStringLiteral("file:") + dir.filePath(QStringLiteral("a.wav"));
    struct Step {
        QString choice;
        QString device;
        bool sameAsBefore;
    };
    const Step steps[] = {
        {QStringLiteral("null"), {}, false},
        {QStringLiteral("null"), {}, true},  // kept while no track holds it
        {QStringLiteral("null"), QStringLiteral("other"), false},
        {file, {}, false},
        {file, {}, false},  // a file output is finished once released
        {QStringLiteral("null"), {}, false},
    };
    std::weak_ptr<SharedAudioOutput> before;  // does not keep it
    for (const Step& step : steps) {
        std::shared_ptr<SharedAudioOutput> output = acquire(step.choice, step.device);
        ASSERT_TRUE(output);
        EXPECT_EQ(before.lock() == output, step.sameAsBefore) << step.choice.toStdString();
        EXPECT_EQ(acquire(step.choice, step.device), output) << "held: always the same";
        before = output;
    }
}

TEST(SharedOutput, EverySoundOfConsecutiveTracksIsHeardOnce) {
    tavi::test::coreApplication();
    tavi::test::WaitForEveryOpen();
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("1.wav"));
    const QString second = dir.filePath(QStringLiteral("2.mp3"));
    ASSERT_TRUE(tavi::test::MakeWav(first, 0.5));
    ASSERT_TRUE(tavi::test::MakeMp3(second, 0.5));
    SoundCounter counter;
    tavi::test::TrackRecorder recorder;
    auto a = CreateTrackForFile(first, &recorder);
    a->Open(first);
    auto b = CreateTrackForFile(second, &recorder);
    ASSERT_TRUE(b->OpenAhead(second));
    a->Play();
    ASSERT_TRUE(processEventsUntil([&] { return recorder.reports.size() == 1; }, 10000));
    a->Close();
    b->Play();
    ASSERT_TRUE(processEventsUntil([&] { return recorder.reports.size() == 2; }, 10000));
    b->Close();
    constexpr double kExpected = 1.0;    // two half-second tones
    constexpr double kTolerance = 0.06;  // MP3 adds its encoder padding
    auto heard = [&] { return double(counter.sounding) / SharedAudioOutput::kRate; };
    // The output's cushion plays out; what comes after that would be sound heard twice.
    processEventsUntil([&] { return heard() >= kExpected - kTolerance; }, 10000);
    tavi::test::processEventsFor(300);
    EXPECT_NEAR(heard(), kExpected, kTolerance);
}

TEST(SharedOutput, ATrackChangeKeepsTheSoundServersStream) {
    tavi::test::coreApplication();
    tavi::test::PulseAudioServer server;
    if (!server.isReady()) {
        GTEST_SKIP() << "PulseAudio could not be started";
    }
    qputenv("TAVI_AUDIO_OUTPUT", "auto");
    tavi::settings::playerSettings() = tavi::settings::PlayerSettings();
    tavi::settings::playerSettings().fadeOut = false;
    tavi::test::WaitForEveryOpen();
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("1.wav"));
    const QString second = dir.filePath(QStringLiteral("2.wav"));
    ASSERT_TRUE(tavi::test::MakeWav(first, 0.6));
    ASSERT_TRUE(tavi::test::MakeWav(second, 0.6));
    tavi::test::ListHost host({first, second}, 0);
    CPlayer player(host);
    player.PlayCommand();
    QStringList during;
    ASSERT_TRUE(processEventsUntil(
        [&] {
            during = soundServerStreams();
            return !during.isEmpty();
        },
        10000));
    ASSERT_TRUE(processEventsUntil([&] { return host.started.size() == 2; }, 10000));
    ASSERT_TRUE(processEventsUntil([&] { return host.current->GetPosition() > 0.1; }, 10000));
    EXPECT_EQ(during.size(), 1);
    EXPECT_EQ(soundServerStreams(), during) << "the second track plays on the same stream";
    host.CloseCurrentTrack();
    qputenv("TAVI_AUDIO_OUTPUT", "null");
}

// The media-control engine's wave device feeds the same output: a WAV it plays, an MP3
// GStreamer plays and another WAV follow each other on one stream, every sound heard once.
TEST(SharedOutput, MciAndGStreamerTracksTakeTurnsOnOneStream) {
    tavi::test::coreApplication();
    tavi::test::PulseAudioServer server;
    if (!server.isReady()) {
        GTEST_SKIP() << "PulseAudio could not be started";
    }
    qputenv("TAVI_AUDIO_OUTPUT", "auto");
    tavi::test::WaitForEveryOpen();
    QTemporaryDir dir;
    const QStringList files = {dir.filePath(QStringLiteral("1.wav")),
                               dir.filePath(QStringLiteral("2.mp3")),
                               dir.filePath(QStringLiteral("3.wav"))};
    ASSERT_TRUE(tavi::test::MakeWav(files[0], 0.5));
    ASSERT_TRUE(tavi::test::MakeMp3(files[1], 0.5));
    ASSERT_TRUE(tavi::test::MakeWav(files[2], 0.5));
    SoundCounter counter;
    tavi::test::TrackRecorder recorder;
    std::vector<std::unique_ptr<CMediaTrack>> tracks;
    for (const QString& file : files) {
        if (file.endsWith(QLatin1String(".wav"))) {
            tracks.push_back(std::make_unique<tavi::engines::CMCITrack>());
            tracks.back()->SetCallback(&recorder);
        } else {
            tracks.push_back(CreateTrackForFile(file, &recorder));
        }
    }
    tracks[0]->Open(files[0]);
    tracks[0]->Play();
    QStringList streams;
    for (size_t i = 1; i <= tracks.size(); ++i) {
        if (i < tracks.size()) {
            ASSERT_TRUE(tracks[i]->OpenAhead(files[int(i)]));
        }
        ASSERT_TRUE(processEventsUntil([&] { return recorder.reports.size() == i; }, 10000));
        ASSERT_TRUE(recorder.reports.back().ended);
        if (i < tracks.size()) {
            tracks[i]->Play();
        }
        streams += soundServerStreams();
        tracks[i - 1]->Close();
    }
    constexpr double kExpected = 1.5;
    constexpr double kTolerance = 0.06;  // MP3 adds its encoder padding
    auto heard = [&] { return double(counter.sounding) / SharedAudioOutput::kRate; };
    processEventsUntil([&] { return heard() >= kExpected - kTolerance; }, 10000);
    tavi::test::processEventsFor(300);
    EXPECT_NEAR(heard(), kExpected, kTolerance);
    streams.removeDuplicates();
    EXPECT_EQ(streams.size(), 1) << "one stream of the sound server throughout";
    qputenv("TAVI_AUDIO_OUTPUT", "null");
}

namespace {

GstState outputState(const std::shared_ptr<SharedAudioOutput>& output) {
    GstState state = GST_STATE_VOID_PENDING;
    gst_element_get_state(output->Pipeline(), &state, nullptr, 0);
    return state;
}

// A buffer of `frames` stereo frames of one value, in either of the formats Push takes.
GstBuffer* constantBuffer(SharedAudioOutput::SampleFormat format, size_t frames, float value) {
    const bool f32 = format == SharedAudioOutput::SampleFormat::F32;
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, frames * 2 * (f32 ? 4 : 2), nullptr);
    GstMapInfo map;
    gst_buffer_map(buffer, &map, GST_MAP_WRITE);
    for (size_t i = 0; i < frames * 2; ++i) {
        if (f32) {
            reinterpret_cast<float*>(map.data)[i] = value;
        } else {
            reinterpret_cast<int16_t*>(map.data)[i] = int16_t(value * 32767.0f);
        }
    }
    gst_buffer_unmap(buffer, &map);
    return buffer;
}

// Both formats are heard whole; a held queue is not heard until released; an output left
// silent pauses (no wake-ups) and the next sound starts it again. `running` tells whether the
// output's device is playing.
void checkHeldHeardAndIdle(const std::shared_ptr<SharedAudioOutput>& output,
                           const std::function<bool()>& running) {
    ASSERT_TRUE(output->Paces());
    SoundCounter counter;
    const size_t frames = SharedAudioOutput::kRate / 5;
    const guint64 takenBefore = output->FramesTaken();
    output->Hold(true);
    for (auto format :
         {SharedAudioOutput::SampleFormat::F32, SharedAudioOutput::SampleFormat::S16}) {
        GstBuffer* buffer = constantBuffer(format, frames, 0.5f);
        output->Push(buffer, format);
        gst_buffer_unref(buffer);
    }
    tavi::test::processEventsFor(300);
    EXPECT_EQ(counter.sounding, 0) << "held sound is not heard";
    output->Hold(false);
    EXPECT_TRUE(processEventsUntil([&] { return counter.sounding >= long(2 * frames); }, 10000));
    EXPECT_EQ(output->FramesTaken() - takenBefore, 2 * frames) << "every frame taken once";

    EXPECT_TRUE(processEventsUntil([&] { return !running(); }, 10000))
        << "silence pauses the output";
    const long before = counter.sounding;
    GstBuffer* buffer = constantBuffer(SharedAudioOutput::SampleFormat::S16, frames, 0.5f);
    output->Push(buffer, SharedAudioOutput::SampleFormat::S16);
    gst_buffer_unref(buffer);
    EXPECT_TRUE(
        processEventsUntil([&] { return counter.sounding >= before + long(frames); }, 10000))
        << "sound starts it again";
    EXPECT_TRUE(running());
}

// On the sound server's stream what is heard trails what was taken by what the server holds,
// moves on between its requests, and catches up once everything has played.
void checkHeardLagsTaken(const std::shared_ptr<SharedAudioOutput>& output) {
    const size_t frames = SharedAudioOutput::kRate * 2;
    const guint64 start = output->FramesTaken();
    GstBuffer* buffer = constantBuffer(SharedAudioOutput::SampleFormat::S16, frames, 0.5f);
    output->Push(buffer, SharedAudioOutput::SampleFormat::S16);
    gst_buffer_unref(buffer);
    ASSERT_TRUE(processEventsUntil(
        [&] { return output->FramesTaken() >= start + SharedAudioOutput::kRate / 2; }, 10000));
    const guint64 heard = output->FramesHeard();
    EXPECT_LT(heard, output->FramesTaken()) << "the server holds some of it";
    tavi::test::processEventsFor(30);
    EXPECT_GT(output->FramesHeard(), heard) << "within a period, not in its steps";
    EXPECT_TRUE(processEventsUntil([&] { return output->FramesHeard() == start + frames; }, 10000))
        << "all of it heard in the end";
}

// Whether the sound server plays the one stream it has (it is not corked).
bool soundServerStreamRuns() {
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    pactl.waitForFinished(5000);
    return pactl.readAllStandardOutput().contains("Corked: no");
}

}  // namespace

TEST(SharedOutput, PushedSoundOfEitherFormatIsHeldHeardAndWakesAnIdleOutput) {
    tavi::test::coreApplication();
    const std::shared_ptr<SharedAudioOutput> output = acquire(QStringLiteral("null"));
    ASSERT_TRUE(output);
    checkHeldHeardAndIdle(output, [&] { return outputState(output) == GST_STATE_PLAYING; });
}

// The same on the sound server's own stream, which is corked while idle; it starts corked.
TEST(SharedOutput, TheSoundServersStreamIsCorkedWhileIdleAndPlaysEverySound) {
    tavi::test::coreApplication();
    tavi::test::PulseAudioServer server;
    if (!server.isReady()) {
        GTEST_SKIP() << "PulseAudio could not be started";
    }
    const std::shared_ptr<SharedAudioOutput> output =
        acquire(QStringLiteral("auto"), QStringLiteral("corked-test"));
    ASSERT_TRUE(output);
    EXPECT_EQ(output->Pipeline(), nullptr) << "the server's own stream, not a GStreamer sink";
    EXPECT_EQ(soundServerStreams().size(), 1);
    EXPECT_FALSE(soundServerStreamRuns()) << "nothing to play yet";
    checkHeldHeardAndIdle(output, soundServerStreamRuns);
    checkHeardLagsTaken(output);
}

// A chosen device of the sound server plays on a stream of the server's own; a device of
// another kind keeps its GStreamer sink.
TEST(SharedOutput, AChosenDeviceOfTheSoundServerGetsTheServersOwnStream) {
    tavi::test::coreApplication();
    tavi::test::PulseAudioServer server;
    if (!server.isReady()) {
        GTEST_SKIP() << "PulseAudio could not be started";
    }
    const auto device = [](const char* factory) {
        return [factory] {
            QString missing;
            tavi::gst::ElementPtr sink = tavi::gst::MakeElement(factory, nullptr, &missing);
            if (sink && g_object_class_find_property(G_OBJECT_GET_CLASS(sink.get()), "device")) {
                g_object_set(sink.get(), "device", "tavi_null", nullptr);
            } else if (sink) {
                g_object_set(sink.get(), "sync", TRUE, nullptr);  // paced, as a device is
            }
            return sink;
        };
    };
    QString error;
    const auto spec = AudioOutputSpec::Parse(QStringLiteral("auto"));
    auto serverDevice = SharedAudioOutput::Acquire(spec, QStringLiteral("pulse:tavi_null"),
                                                   device("pulsesink"), &error);
    ASSERT_TRUE(serverDevice) << error.toStdString();
    EXPECT_EQ(serverDevice->Pipeline(), nullptr);
    EXPECT_EQ(soundServerStreams().size(), 1);
    auto other =
        SharedAudioOutput::Acquire(spec, QStringLiteral("fake"), device("fakesink"), &error);
    ASSERT_TRUE(other) << error.toStdString();
    EXPECT_NE(other->Pipeline(), nullptr);
}

namespace {

// Frames of a raw 16-bit stereo recording whose left sample is loud.
long loudFrames(const QByteArray& raw) {
    const auto* samples = reinterpret_cast<const int16_t*>(raw.constData());
    long loud = 0;
    for (qsizetype i = 0; i + 1 < raw.size() / 2; i += 2) {
        loud += std::abs(samples[i]) > 8000;
    }
    return loud;
}

}  // namespace

// A live feed makes the device restart with a small buffer, but only once the device holds
// no more sound of recorded tracks, so none of it is lost. The cheap buffer comes back once
// the output has fallen idle without live feeds.
TEST(SharedOutput, ALiveFeedShortensTheDeviceBufferWithoutLosingQueuedSound) {
    tavi::test::coreApplication();
    tavi::test::PulseAudioServer server;
    if (!server.isReady()) {
        GTEST_SKIP() << "PulseAudio could not be started";
    }
    QProcess monitor;
    monitor.start(
        QStringLiteral("parec"),
        {QStringLiteral("-d"), QStringLiteral("tavi_null.monitor"), QStringLiteral("--raw"),
         QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"),
         QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=20")});
    ASSERT_TRUE(monitor.waitForStarted(5000));
    tavi::test::processEventsFor(1000);  // until it records
    QString error;
    const std::shared_ptr<SharedAudioOutput> output = SharedAudioOutput::Acquire(
        AudioOutputSpec::Parse(QStringLiteral("auto")), QStringLiteral("live-test"),
        [] { return tavi::gst::ElementPtr(); }, &error);
    ASSERT_TRUE(output) << error.toStdString();
    const size_t frames = SharedAudioOutput::kRate * 3 / 2;
    GstBuffer* buffer = constantBuffer(SharedAudioOutput::SampleFormat::S16, frames, 0.5f);
    output->Push(buffer, SharedAudioOutput::SampleFormat::S16);
    gst_buffer_unref(buffer);
    tavi::test::processEventsFor(500);  // the device's buffer is full of it by now
    EXPECT_GT(output->DeviceBufferUs(), 100'000);
    output->AddLiveFeed();
    tavi::test::processEventsFor(300);
    EXPECT_GT(output->DeviceBufferUs(), 100'000) << "restarted while the sound was held";
    EXPECT_TRUE(processEventsUntil([&] { return output->DeviceBufferUs() < 100'000; }, 5000));
    tavi::test::processEventsFor(2000);
    monitor.terminate();
    monitor.waitForFinished(5000);
    // Recorded at the server's own pace: a little of the sound may fall outside the
    // recording's first moments, none may be missing from the middle.
    EXPECT_GT(loudFrames(monitor.readAllStandardOutput()), long(frames) * 95 / 100);

    output->RemoveLiveFeed();
    EXPECT_TRUE(processEventsUntil([&] { return output->DeviceBufferUs() > 100'000; }, 10000))
        << "the cheap buffer comes back when idle";
}

// Two tracks playing at once (a mini playlist's overlap) are mixed on the output, not queued
// one after the other: the recording is shorter than both together and holds both.
TEST(SharedOutput, OverlappingTracksAreMixedNotQueued) {
    tavi::test::coreApplication();
    tavi::test::WaitForEveryOpen();
    QTemporaryDir dir;
    const QString recording = dir.filePath(QStringLiteral("out.wav"));
    qputenv("TAVI_AUDIO_OUTPUT", (QStringLiteral("file:") + recording).toLocal8Bit());
    const QString first = dir.filePath(QStringLiteral("1.wav"));
    const QString second = dir.filePath(QStringLiteral("2.wav"));
    ASSERT_TRUE(tavi::test::MakeWav(first, 1.0));
    ASSERT_TRUE(tavi::test::MakeWav(second, 1.0));
    tavi::test::TrackRecorder recorder;
    {
        auto a = CreateTrackForFile(first, &recorder);
        auto b = CreateTrackForFile(second, &recorder);
        a->Open(first);
        b->Open(second);
        a->Play();
        ASSERT_TRUE(processEventsUntil([&] { return a->GetPosition() >= 0.6; }, 10000));
        b->Play();
        ASSERT_TRUE(processEventsUntil([&] { return recorder.reports.size() >= 2; }, 10000));
        a->Close();
        b->Close();
    }
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    int channels = 0;
    const std::vector<short> samples = tavi::test::ReadSamples(recording, &channels);
    ASSERT_EQ(channels, 2);
    const double seconds = double(samples.size()) / 2 / SharedAudioOutput::kRate;
    EXPECT_GT(seconds, 1.4);
    EXPECT_LT(seconds, 1.9) << "queued one after the other it would last 2 s";
}

// The media-control devices' road onto a pacing output: a write is due while the queue has
// room, not past the mark; a flush (a stop) empties the queue, so the next write is due at
// once, and what was queued is never heard.
TEST(SharedOutput, AWaveWriteIsDueWhileTheQueueHasRoomAndAFlushMakesRoom) {
    tavi::test::coreApplication();
    const std::shared_ptr<SharedAudioOutput> output = acquire(QStringLiteral("null"));
    ASSERT_TRUE(output);
    SoundCounter counter;
    output->Hold(true);  // nothing is taken: the queue only grows
    tavi::mci::QueuedWaveOutput wave(output);
    EXPECT_EQ(wave.SecondsUntilDue(), 0.0);
    const size_t frames = SharedAudioOutput::kRate / 2;
    const std::vector<float> sound(frames * 2, 0.5f);
    ASSERT_TRUE(wave.Write(sound.data(), frames));
    EXPECT_GT(wave.SecondsUntilDue(), 0.0) << "half a second queued is past the mark";
    wave.Flush();
    EXPECT_EQ(wave.SecondsUntilDue(), 0.0);
    output->Hold(false);
    tavi::test::processEventsFor(300);
    EXPECT_EQ(counter.sounding, 0) << "flushed sound is not heard";
}

namespace {

double queuedSeconds(const std::shared_ptr<SharedAudioOutput>& output) {
    // Sound of no lane would go after everything queued.
    return double(output->AheadOf(SharedAudioOutput::kSequential)) / SharedAudioOutput::kRate;
}

// A 0.6-s track queued whole on a null output that takes nothing yet: more than the
// queue-ahead waits for the device.
struct QueuedTrack {
    QueuedTrack() {
        tavi::test::coreApplication();
        tavi::test::WaitForEveryOpen();
        qputenv("TAVI_AUDIO_OUTPUT", "null");
        output = acquire(QStringLiteral("null"));
        EXPECT_TRUE(tavi::test::MakeWav(file, 0.6));
        track = CreateTrackForFile(file, &recorder);
        track->Open(file);
        output->Hold(true);
        track->Play();
        // A track that waited at every period would stand at the queue-ahead (0.3 s).
        queued = processEventsUntil([&] { return queuedSeconds(output) >= 0.59; }, 900);
    }
    ~QueuedTrack() { track->Close(); }
    // Heard to the end (and nothing twice).
    double heardSeconds() {
        processEventsUntil([&] { return counter.sounding >= SharedAudioOutput::kRate * 58 / 100; },
                           5000);
        tavi::test::processEventsFor(300);
        return double(counter.sounding) / SharedAudioOutput::kRate;
    }

    std::shared_ptr<SharedAudioOutput> output;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.wav"));
    SoundCounter counter;
    tavi::test::TrackRecorder recorder;
    std::unique_ptr<CMediaTrack> track;
    bool queued = false;
};

}  // namespace

// A track fills the queue well past the queue-ahead in one go, yet its end is reported only
// once its last sound is as near the device as a track that refills at every period has it:
// the next track is started from that report and must not come early.
TEST(SharedOutput, ATrackQueuesAheadInBurstsAndReportsItsEndWhenItsSoundIsNearTheDevice) {
    QueuedTrack queued;
    ASSERT_TRUE(queued.queued) << "filled in a burst";
    tavi::test::processEventsFor(400);
    EXPECT_TRUE(queued.recorder.reports.empty()) << "the end came 0.6 s before the device";
    queued.output->Hold(false);
    ASSERT_TRUE(processEventsUntil([&] { return !queued.recorder.reports.empty(); }, 5000));
    EXPECT_TRUE(queued.recorder.reports.front().ended);
    EXPECT_LT(queuedSeconds(queued.output), 0.3);
    EXPECT_NEAR(queued.heardSeconds(), 0.6, 0.02);
}

// A pause while the last sound waits to be heard holds the end back however long it lasts;
// played on, the track is heard to its end and then reports it.
TEST(SharedOutput, APauseBeforeTheLastSoundIsHeardHoldsBackTheEnd) {
    QueuedTrack queued;
    ASSERT_TRUE(queued.queued);
    queued.track->Pause();
    queued.output->Hold(false);          // the track's own hold stays
    tavi::test::processEventsFor(2000);  // longer than a stalled device is waited for
    EXPECT_TRUE(queued.recorder.reports.empty()) << "the end came while paused";
    EXPECT_EQ(queued.counter.sounding, 0);
    queued.track->Play();
    ASSERT_TRUE(processEventsUntil([&] { return !queued.recorder.reports.empty(); }, 5000));
    EXPECT_TRUE(queued.recorder.reports.front().ended);
    EXPECT_NEAR(queued.heardSeconds(), 0.6, 0.02);
}

// A track closed before its end (a stop, the next entry chosen) is not heard any more: what
// it had queued is dropped, the sound server's buffer too. (One closed at its end leaves its
// last sound: EverySoundOfConsecutiveTracksIsHeardOnce.)
TEST(SharedOutput, ATrackClosedBeforeItsEndIsNotHeardAnyMore) {
    tavi::test::coreApplication();
    tavi::test::WaitForEveryOpen();
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    const std::shared_ptr<SharedAudioOutput> output = acquire(QStringLiteral("null"));
    ASSERT_TRUE(output);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.wav"));
    ASSERT_TRUE(tavi::test::MakeWav(file, 3.0));
    SoundCounter counter;
    tavi::test::TrackRecorder recorder;
    auto track = CreateTrackForFile(file, &recorder);
    track->Open(file);
    track->Play();
    ASSERT_TRUE(processEventsUntil([&] { return track->GetPosition() >= 1.0; }, 10000));
    output->Hold(true);  // nothing more is taken: what follows is only what stayed queued
    tavi::test::processEventsFor(50);  // a period taken just before is counted by then
    const long before = counter.sounding;
    ASSERT_GT(queuedSeconds(output), 0.05);
    track->Close();
    output->Hold(false);
    tavi::test::processEventsFor(600);
    EXPECT_EQ(counter.sounding, before);
}
