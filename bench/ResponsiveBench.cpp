// How long the UI thread stops answering while a big tagged folder is added, the list is
// scrolled end to end and a FIFO without a writer is played: a 10-ms timer on the UI thread
// records its largest lateness in each phase.
//   BENCH ui_stall_add_ms, ui_stall_scroll_ms, ui_stall_fifo_open_ms, ui_max_stall_ms
#include "app/settings/ViewSettings.h"
#include "engines/player/PlayModes.h"
#include "playlist/CTaviDoc.h"
#include "playlist/CommandIds.h"
#include "platform/mci/MciExtensions.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "playlist/view/CPlayListBox.h"
#include "playlist/view/CTaviView.h"
#include "support/ProcessRegistry.h"
#include "support/TagWriter.h"
#include "support/TestMedia.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>

#include <taglib/tbytevectorstream.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace tavi;

namespace {

constexpr int kMp3Count = 10000;
constexpr int kAviCount = 50;
constexpr int kTickMs = 10;
constexpr int kPhaseLimitMs = 180000;
constexpr int kFifoWaitMs = 3000;
constexpr int kWholeRunLimitS = 540;  // under bench.sh's limit, so the figures still print

// The largest lateness of a 10-ms timer on the UI thread since the last restart().
class StallMeter {
public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
    }
    void restart() {
        m_worstMs = 0;
        m_last.start();
        m_timer.start();
    }
    // Counts the time since the last tick too: a phase may end inside a stall.
    double stop() {
        tick();
        m_timer.stop();
        return m_worstMs;
    }

private:
    void tick() {
        const double gapMs = double(m_last.nsecsElapsed()) / 1e6;
        m_last.start();
        m_worstMs = std::max(m_worstMs, gapMs - kTickMs);
    }

    QTimer m_timer;
    QElapsedTimer m_last;
    double m_worstMs = 0;
};

// The view with its messages kept instead of shown: a modal box would stop the run.
class QuietView : public playlist::CTaviView {
public:
    using CTaviView::CTaviView;
    int messages = 0;

protected:
    void ShowError(const QString& message) override {
        ++messages;
        std::fprintf(stderr, "view error: %s\n", qPrintable(message));
    }
    void ShowInformation(const QString&) override { ++messages; }
};

void report(const char* name, double ms) {
    std::printf("BENCH %s %.1f ms\n", name, ms);
    std::fflush(stdout);
}

bool runUntil(const std::function<bool()>& done, int limitMs) {
    QDeadlineTimer deadline(limitMs);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
}

// The template with its own tags, written by TagLib in memory: one file write per copy.
bool writeTaggedCopy(const QByteArray& mp3, const QString& path, int number) {
    TagLib::ByteVectorStream stream(TagLib::ByteVector(mp3.constData(), unsigned(mp3.size())));
    TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    file.ID3v2Tag(true)->setProperties(
        test::ToProperties({{"ARTIST", QStringLiteral("Artist %1").arg(number % 97)},
                            {"TITLE", QStringLiteral("Title %1").arg(number)}}));
    if (!file.save(TagLib::MPEG::File::ID3v2)) {
        return false;
    }
    const TagLib::ByteVector* bytes = stream.data();
    QFile out(path);
    return out.open(QIODevice::WriteOnly) &&
           out.write(bytes->data(), bytes->size()) == qint64(bytes->size());
}

// One MP3 encoded once and tagged per copy; one AVI muxed once, copied.
bool makeFolder(const QString& folder, const QString& work) {
    const QString mp3 = work + QStringLiteral("/source.mp3");
    const QString avi = work + QStringLiteral("/source.avi");
    if (!test::MakePlainMp3(mp3, 0.2) ||
        !test::MakeAvi(avi, 0.5, QStringLiteral("artist=Film,title=Clip"))) {
        return false;
    }
    QFile source(mp3);
    if (!source.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = source.readAll();
    QDir().mkpath(folder);
    for (int i = 0; i < kMp3Count; ++i) {
        const QString path =
            QStringLiteral("%1/%2.mp3").arg(folder).arg(i, 5, 10, QLatin1Char('0'));
        if (!writeTaggedCopy(bytes, path, i)) {
            return false;
        }
    }
    for (int i = 0; i < kAviCount; ++i) {
        if (!QFile::copy(avi, QStringLiteral("%1/clip%2.avi").arg(folder).arg(i))) {
            return false;
        }
    }
    return true;
}

bool visibleNamesKnown(const playlist::CPlayListBox& list, const playlist::PlaylistModel& model) {
    const QRect area = list.viewport()->rect();
    const QModelIndex top = list.indexAt(area.topLeft());
    if (!top.isValid()) {
        return model.count() == 0;
    }
    QModelIndex bottom = list.indexAt(QPoint(area.left(), area.bottom()));
    const int last = bottom.isValid() ? bottom.row() : model.count() - 1;
    for (int row = top.row(); row <= last; ++row) {
        if (!model.isNameKnown(row)) {
            return false;
        }
    }
    return true;
}

double addPhase(QuietView& view, const QString& folder, StallMeter& meter) {
    playlist::PlaylistModel& model = view.document().model();
    meter.restart();
    QTimer::singleShot(0, &view, [&view, folder] { view.DropFiles({folder}); });
    const bool done = runUntil(
        [&] {
            return model.count() == kMp3Count + kAviCount &&
                   visibleNamesKnown(*view.listBox(), model);
        },
        kPhaseLimitMs);
    const double stall = meter.stop();
    if (!done) {
        std::fprintf(stderr, "add: %d rows, visible names %s\n", model.count(),
                     visibleNamesKnown(*view.listBox(), model) ? "known" : "missing");
    } else {
        std::fprintf(stderr, "add: row 0 shows \"%s\"\n", qPrintable(model.displayText(0)));
    }
    return stall;
}

double scrollPhase(QuietView& view, StallMeter& meter) {
    QScrollBar* bar = view.listBox()->verticalScrollBar();
    meter.restart();
    for (int value = bar->minimum(); value <= bar->maximum(); value += bar->pageStep()) {
        bar->setValue(value);
        runUntil([] { return false; }, 15);  // paints the page, takes the names that came
    }
    bar->setValue(bar->maximum());
    runUntil([] { return false; }, 15);
    return meter.stop();
}

// Lets anything that opens the FIFO go on, with an empty stream, until stopped.
void feedFifo(const QByteArray& fifo, const std::atomic<bool>& stop) {
    while (!stop.load()) {
        const int writer = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            ::close(writer);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

double fifoPhase(QuietView& view, const QString& fifo, StallMeter& meter) {
    playlist::PlaylistModel& model = view.document().model();
    view.document().editor().AddEntry(fifo);
    model.setCurrent(model.count() - 1);
    view.listBox()->scrollToBottom();
    runUntil([] { return false; }, 50);
    std::atomic<bool> released{false};
    std::atomic<bool> stopFeeding{false};
    std::thread helper([&] {
        QDeadlineTimer wait(kFifoWaitMs);
        while (!released.load() && !wait.hasExpired()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!released.load()) {
            std::fprintf(stderr, "fifo: still waiting after %d ms, a writer opens it\n",
                         kFifoWaitMs);
            feedFifo(QFile::encodeName(fifo), stopFeeding);
        }
    });
    bool played = false;
    meter.restart();
    QTimer::singleShot(0, &view, [&] {
        view.OnCommand(engines::playercmd::kPlay);
        played = true;
    });
    QElapsedTimer elapsed;
    elapsed.start();
    runUntil([&] { return played && elapsed.elapsed() >= kFifoWaitMs; }, kPhaseLimitMs);
    const double stall = meter.stop();
    released = true;
    stopFeeding = true;
    helper.join();
    view.OnCommand(engines::playercmd::kStop);
    return stall;
}

[[noreturn]] void watchdog() {
    std::this_thread::sleep_for(std::chrono::seconds(kWholeRunLimitS));
    std::fprintf(stderr, "responsive: still running after %d s, giving up\n", kWholeRunLimitS);
    std::_Exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    std::thread(watchdog).detach();
    QTemporaryDir work;
    qputenv("XDG_STATE_HOME", QFile::encodeName(work.filePath(QStringLiteral("state"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(work.filePath(QStringLiteral("data"))));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    test::ProcessRegistry registry;  // a private XDG_CONFIG_HOME: the user's settings stay
    QApplication app(argc, argv);
    const QString folder = work.filePath(QStringLiteral("music"));
    QElapsedTimer clock;
    clock.start();
    if (!makeFolder(folder, work.path())) {
        std::fprintf(stderr, "responsive: could not make the media\n");
        return 1;
    }
    const QString fifo = work.filePath(QStringLiteral("stream.mp3"));
    if (mkfifo(QFile::encodeName(fifo).constData(), 0600) != 0) {
        return 1;
    }
    mci::MciExtensions::reload();
    settings::viewSettings().useMetaData = true;
    settings::viewSettings().displayNameFormat = QStringLiteral("$(Artist) - $(Title)");

    playlist::CTaviDoc document;
    document.NewDocument();
    QuietView view(document);
    view.resize(480, 640);
    view.show();
    runUntil([] { return false; }, 100);

    std::fprintf(stderr, "media made in %lld ms\n", clock.restart());

    StallMeter meter;
    const double add = addPhase(view, folder, meter);
    std::fprintf(stderr, "add: %lld ms\n", clock.restart());
    report("ui_stall_add_ms", add);
    const double scroll = scrollPhase(view, meter);
    std::fprintf(stderr, "scroll: %lld ms\n", clock.restart());
    report("ui_stall_scroll_ms", scroll);
    const double open = fifoPhase(view, fifo, meter);
    std::fprintf(stderr, "fifo: %lld ms\n", clock.restart());
    report("ui_stall_fifo_open_ms", open);
    report("ui_max_stall_ms", std::max({add, scroll, open}));
    std::fprintf(stderr, "done\n");
    return 0;
}
