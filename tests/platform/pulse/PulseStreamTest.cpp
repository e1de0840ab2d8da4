// The output's own stream on the sound server: that it fails with a reason, notices a server
// that went away, and takes a new buffer while it runs.
#include "platform/pulse/PulseStream.h"
#include "support/PulseAudioServer.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <optional>
#include <vector>

using tavi::pulse::PulseStream;

namespace {

constexpr PulseStream::Buffer kCheap{PulseStream::kRate / 5, 600'000};
constexpr PulseStream::Buffer kShort{PulseStream::kRate / 100, 40'000};

// A stream that writes silence whenever the server has room, counting what it wrote.
struct SilentStream {
    explicit SilentStream(const QByteArray& sink = {}, const PulseStream::Buffer& buffer = kCheap) {
        stream = PulseStream::Open(
            sink, buffer,
            [this](PulseStream& s) {
                const size_t frames = s.WritableFrames();
                std::vector<int16_t> silence(frames * PulseStream::kChannels);
                s.Write(silence.data(), frames);
                written += long(frames);
            },
            &error);
    }
    std::unique_ptr<PulseStream> stream;
    QString error;
    std::atomic<long> written = 0;
};

bool waitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

}  // namespace

TEST(PulseStream, WithoutAServerOrSinkItFailsAtOnceWithTheReason) {
    tavi::test::coreApplication();
    {
        QTemporaryDir nowhere;
        tavi::test::withoutAnySoundServer(nowhere);
        QElapsedTimer timer;
        timer.start();
        SilentStream lonely;
        EXPECT_EQ(lonely.stream, nullptr);
        EXPECT_TRUE(
            lonely.error.startsWith(QStringLiteral("The sound server could not be reached")))
            << lonely.error.toStdString();
        EXPECT_LT(timer.elapsed(), 4000) << "a missing server is not waited for";
    }
    tavi::test::PulseAudioServer server;
    if (!server.isReady()) {
        GTEST_SKIP() << "PulseAudio could not be started";
    }
    SilentStream unknown("no_such_sink");
    EXPECT_EQ(unknown.stream, nullptr);
    EXPECT_TRUE(unknown.error.startsWith(QStringLiteral("The sound server refused to play")))
        << unknown.error.toStdString();
    SilentStream named("tavi_null");
    EXPECT_NE(named.stream, nullptr) << named.error.toStdString();
}

// Corked, it is given nothing to play; uncorked, it asks at the server's pace; a new buffer
// is granted while it runs; once the server is gone it says so.
TEST(PulseStream, ItRunsWhenUncorkedTakesANewBufferAndNoticesTheServerGoing) {
    tavi::test::coreApplication();
    std::optional<tavi::test::PulseAudioServer> server(std::in_place);
    if (!server->isReady()) {
        GTEST_SKIP() << "PulseAudio could not be started";
    }
    SilentStream silent;
    ASSERT_NE(silent.stream, nullptr) << silent.error.toStdString();
    EXPECT_TRUE(silent.stream->IsHealthy());
    QThread::msleep(300);
    const long corked = silent.written;
    EXPECT_LE(corked, PulseStream::kRate) << "no more than one buffer while corked";
    QThread::msleep(300);
    EXPECT_EQ(silent.written, corked) << "a corked stream is not asked again";

    silent.stream->SetCorked(false);
    EXPECT_TRUE(waitFor([&] { return silent.written > corked + PulseStream::kRate / 2; }, 5000))
        << "an uncorked stream is asked for more as it plays";
    EXPECT_GT(silent.stream->BufferUs(), 300'000);
    silent.stream->SetBuffer(kShort);
    EXPECT_TRUE(waitFor([&] { return silent.stream->BufferUs() < 100'000; }, 5000));

    server.reset();
    EXPECT_TRUE(waitFor([&] { return !silent.stream->IsHealthy(); }, 5000));
}
