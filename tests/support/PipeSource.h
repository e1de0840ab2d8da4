#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

namespace tavi::test {

// A sound input of the running private sound server that plays a 440-Hz tone: a
// module-pipe-source (which makes the FIFO) fed by a thread, in 10-ms pieces at the pace they are
// heard. The server's null source is unloaded first, so this is the only real input.
class PipeSource {
public:
    static constexpr int kRate = 44100;
    static constexpr double kFrequency = 440.0;

    PipeSource() {
        m_fifo = m_dir.filePath(QStringLiteral("input"));
        pactl({QStringLiteral("unload-module"), QStringLiteral("module-null-source")});
        QByteArray output;
        m_ready = pactl({QStringLiteral("load-module"), QStringLiteral("module-pipe-source"),
                         QStringLiteral("source_name=tavi_tone"), QStringLiteral("file=") + m_fifo,
                         QStringLiteral("format=s16le"), QStringLiteral("rate=44100"),
                         QStringLiteral("channels=2")},
                        &output);
        m_module = output.trimmed();
        if (m_ready) {
            m_writer = std::thread([this] { Write(); });
        }
    }
    ~PipeSource() {
        m_quit = true;
        if (m_writer.joinable()) {
            m_writer.join();
        }
        if (!m_module.isEmpty()) {
            pactl({QStringLiteral("unload-module"), QString::fromLatin1(m_module)});
        }
    }
    bool isReady() const { return m_ready; }

private:
    static bool pactl(const QStringList& arguments, QByteArray* output = nullptr) {
        QProcess process;
        process.start(QStringLiteral("pactl"), arguments);
        process.waitForFinished(10000);
        if (output) {
            *output = process.readAllStandardOutput();
        }
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    void Write() {
        // Opened for reading and writing, so the open does not wait for the server; not
        // blocking, so a server that stopped reading cannot hold the thread (a piece is lost).
        const int fd = ::open(QFile::encodeName(m_fifo).constData(), O_RDWR | O_NONBLOCK);
        if (fd < 0) {
            return;
        }
        const int frames = kRate / 100;
        std::vector<short> piece(size_t(frames) * 2);
        long long frame = 0;
        auto next = std::chrono::steady_clock::now();
        while (!m_quit) {
            for (int i = 0; i < frames; ++i, ++frame) {
                const double phase = 2.0 * M_PI * kFrequency * double(frame) / kRate;
                piece[size_t(2 * i)] = piece[size_t(2 * i + 1)] = short(12000 * std::sin(phase));
            }
            if (::write(fd, piece.data(), piece.size() * sizeof(short)) < 0 && errno != EAGAIN) {
                break;
            }
            next += std::chrono::milliseconds(10);
            std::this_thread::sleep_until(next);
        }
        ::close(fd);
    }

    QTemporaryDir m_dir;
    QString m_fifo;
    QByteArray m_module;
    bool m_ready = false;
    std::atomic<bool> m_quit = false;
    std::thread m_writer;
};

}  // namespace tavi::test
