#include "platform/mci/MciCommands.h"
#include "platform/mci/MciDeviceTypes.h"
#include "platform/mci/MciErrors.h"
#include "platform/mci/MciExtensions.h"
#include "support/ProcessRegistry.h"
#include "support/SoundFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

using namespace tavi::mci;

namespace {

// Notices arrive on the devices' workers.
struct Notices {
    NotifyCallback Callback(int play) {
        return [this, play](uint32_t code, DeviceId) {
            std::lock_guard lock(mutex);
            codes.emplace_back(play, code);
        };
    }
    std::vector<std::pair<int, uint32_t>> Wait(size_t count) {
        for (int i = 0; i < 500; ++i) {
            {
                std::lock_guard lock(mutex);
                if (codes.size() >= count) {
                    return codes;
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::lock_guard lock(mutex);
        return codes;
    }
    std::mutex mutex;
    std::vector<std::pair<int, uint32_t>> codes;  // (which play, notice code)
};

class MciCommands : public testing::Test {
protected:
    MciCommands() {
        qputenv("TAVI_AUDIO_OUTPUT", "null");
        MciExtensions::reload();
    }
    ~MciCommands() override { MciExtensions::reload(); }

    QString Wav(const QString& name, double seconds) {
        const QString path = m_dir.filePath(name);
        const int64_t frames = int64_t(seconds * 44100);
        EXPECT_TRUE(
            tavi::test::WriteSoundFile(path, tavi::test::DistinctFrames(frames, 2, 1), 44100, 2));
        return path;
    }
    QString Bytes(const QString& name, const QByteArray& bytes) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }
    uint32_t Open(const QString& element, DeviceId* id, const QString& alias = {}) {
        MCI_OPEN_PARMS open;
        open.lpstrElementName = element;
        open.lpstrAlias = alias;
        const uint32_t flags = MCI_OPEN_ELEMENT | (alias.isEmpty() ? 0 : MCI_OPEN_ALIAS);
        const uint32_t result = mciSendCommand(0, MCI_OPEN, flags, &open);
        *id = open.wDeviceID;
        return result;
    }
    uint32_t Status(DeviceId id, uint32_t item) {
        MCI_STATUS_PARMS status;
        status.dwItem = item;
        EXPECT_EQ(mciSendCommand(id, MCI_STATUS, MCI_STATUS_ITEM, &status), 0u);
        return uint32_t(status.dwReturn);
    }
    void Close(DeviceId id) {
        MCI_GENERIC_PARMS none;
        EXPECT_EQ(mciSendCommand(id, MCI_CLOSE, MCI_WAIT, &none), 0u);
    }

    tavi::test::ProcessRegistry m_registry;
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(MciCommands, OpenFailuresHaveTheirOwnNumbersAndTexts) {
    m_registry.writeSystemFile(
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\MCI Extensions]\r\n"
        "\"xyz\"=\"nosuchdevice\"\r\n");
    MciExtensions::reload();
    DeviceId id = 0;
    EXPECT_EQ(Open(m_dir.filePath(QStringLiteral("a.xyz")), &id), MCIERR_DEVICE_NOT_INSTALLED);
    EXPECT_EQ(Open(m_dir.filePath(QStringLiteral("a.unknown")), &id), MCIERR_EXTENSION_NOT_FOUND);
    EXPECT_EQ(Open(m_dir.filePath(QStringLiteral("missing.wav")), &id), MCIERR_FILE_NOT_FOUND);
    for (uint32_t code : {MCIERR_DEVICE_NOT_INSTALLED, MCIERR_EXTENSION_NOT_FOUND,
                          MCIERR_FILE_NOT_FOUND, MCIERR_INVALID_FILE, MCIERR_DUPLICATE_ALIAS}) {
        EXPECT_FALSE(ErrorText(code).isEmpty()) << code;
    }
    EXPECT_NE(ErrorText(MCIERR_DEVICE_NOT_INSTALLED), ErrorText(MCIERR_EXTENSION_NOT_FOUND));

    // A type registered later is found by the table's name.
    RegisterDeviceType(QStringLiteral("NoSuchDevice"),
                       [] { return CreateDevice(QStringLiteral("waveaudio")); });
    const QString renamed = m_dir.filePath(QStringLiteral("tone.xyz"));
    QFile::copy(Wav(QStringLiteral("tone.wav"), 0.1), renamed);
    ASSERT_EQ(Open(renamed, &id, QStringLiteral("first")), 0u);
    DeviceId second = 0;
    EXPECT_EQ(Open(renamed, &second, QStringLiteral("FIRST")), MCIERR_DUPLICATE_ALIAS);
    Close(id);
    MCI_GENERIC_PARMS none;
    EXPECT_EQ(mciSendCommand(id, MCI_STOP, 0, &none), MCIERR_INVALID_DEVICE_ID) << "closed";
}

TEST_F(MciCommands, BadHeadersFailAtOpen) {
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"cut.wav", tavi::test::WavBytes(2, 44100, 4000, 1000).left(30)},
        {"nochannels.wav", tavi::test::WavBytes(0, 44100, 4000, 1000)},
        {"fast.wav", tavi::test::WavBytes(2, 7000000, 4000, 1000)},
        {"text.flac", QByteArray("this is not a FLAC file\n").repeated(20)},
        {"empty.wav", QByteArray()},
    };
    for (const auto& bad : cases) {
        DeviceId id = 0;
        EXPECT_EQ(Open(Bytes(QString::fromLatin1(bad.name), bad.bytes), &id), MCIERR_INVALID_FILE)
            << bad.name;
    }
    // Neither a folder nor a FIFO is opened (reading a FIFO without a writer would block).
    const QString folder = m_dir.filePath(QStringLiteral("folder.wav"));
    const QString fifo = m_dir.filePath(QStringLiteral("fifo.wav"));
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    DeviceId id = 0;
    EXPECT_EQ(Open(folder, &id), MCIERR_INVALID_FILE);
    EXPECT_EQ(Open(fifo, &id), MCIERR_INVALID_FILE);
}

TEST_F(MciCommands, ANewPlaySupersedesTheOldNoticeAndAStopAbortsIt) {
    DeviceId id = 0;
    ASSERT_EQ(Open(Wav(QStringLiteral("tone.wav"), 2.0), &id), 0u);
    EXPECT_EQ(Status(id, MCI_STATUS_LENGTH), 2000u);
    EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_STOP);
    Notices notices;
    MCI_PLAY_PARMS play;
    play.dwCallback = notices.Callback(1);
    ASSERT_EQ(mciSendCommand(id, MCI_PLAY, MCI_NOTIFY, &play), 0u);
    EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_PLAY);
    play.dwCallback = notices.Callback(2);
    play.dwFrom = 1500;
    ASSERT_EQ(mciSendCommand(id, MCI_PLAY, MCI_NOTIFY | MCI_FROM, &play), 0u);
    MCI_GENERIC_PARMS none;
    ASSERT_EQ(mciSendCommand(id, MCI_STOP, 0, &none), 0u);
    EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_STOP);
    const uint32_t stoppedAt = Status(id, MCI_STATUS_POSITION);
    EXPECT_GE(stoppedAt, 1500u);
    EXPECT_LT(stoppedAt, 2000u);
    using Codes = std::vector<std::pair<int, uint32_t>>;
    EXPECT_EQ(notices.Wait(2), (Codes{{1, MCI_NOTIFY_SUPERSEDED}, {2, MCI_NOTIFY_ABORTED}}));

    // A range plays to its end and says so once; out-of-range plays are refused.
    play.dwCallback = notices.Callback(3);
    play.dwFrom = 1900;
    play.dwTo = 2000;
    ASSERT_EQ(mciSendCommand(id, MCI_PLAY, MCI_NOTIFY | MCI_FROM | MCI_TO, &play), 0u);
    EXPECT_EQ(notices.Wait(3).back(), std::make_pair(3, MCI_NOTIFY_SUCCESSFUL));
    EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_STOP);
    EXPECT_EQ(Status(id, MCI_STATUS_POSITION), 2000u);
    play.dwFrom = 2001;
    EXPECT_EQ(mciSendCommand(id, MCI_PLAY, MCI_FROM, &play), MCIERR_OUTOFRANGE);
    Close(id);
}

TEST_F(MciCommands, PauseKeepsTheNoticeAndResumeEndsIt) {
    DeviceId id = 0;
    ASSERT_EQ(Open(Wav(QStringLiteral("tone.wav"), 0.3), &id), 0u);
    Notices notices;
    MCI_PLAY_PARMS play;
    play.dwCallback = notices.Callback(1);
    ASSERT_EQ(mciSendCommand(id, MCI_PLAY, MCI_NOTIFY, &play), 0u);
    MCI_GENERIC_PARMS none;
    ASSERT_EQ(mciSendCommand(id, MCI_PAUSE, 0, &none), 0u);
    EXPECT_EQ(Status(id, MCI_STATUS_MODE), MCI_MODE_PAUSE);
    const uint32_t pausedAt = Status(id, MCI_STATUS_POSITION);
    EXPECT_EQ(Status(id, MCI_STATUS_POSITION), pausedAt);
    ASSERT_EQ(mciSendCommand(id, MCI_RESUME, 0, &none), 0u);
    EXPECT_EQ(notices.Wait(1), (std::vector<std::pair<int, uint32_t>>{{1, MCI_NOTIFY_SUCCESSFUL}}));
    Close(id);
}

TEST_F(MciCommands, SeeksMoveAStoppedDevice) {
    DeviceId id = 0;
    ASSERT_EQ(Open(Wav(QStringLiteral("tone.wav"), 1.0), &id), 0u);
    MCI_SEEK_PARMS seek;
    seek.dwTo = 400;
    ASSERT_EQ(mciSendCommand(id, MCI_SEEK, MCI_TO, &seek), 0u);
    EXPECT_EQ(Status(id, MCI_STATUS_POSITION), 400u);
    ASSERT_EQ(mciSendCommand(id, MCI_SEEK, MCI_SEEK_TO_END, &seek), 0u);
    EXPECT_EQ(Status(id, MCI_STATUS_POSITION), 1000u);
    ASSERT_EQ(mciSendCommand(id, MCI_SEEK, MCI_SEEK_TO_START, &seek), 0u);
    EXPECT_EQ(Status(id, MCI_STATUS_POSITION), 0u);
    seek.dwTo = 1001;
    EXPECT_EQ(mciSendCommand(id, MCI_SEEK, MCI_TO, &seek), MCIERR_OUTOFRANGE);
    MCI_SET_PARMS set;
    set.dwTimeFormat = 9;
    EXPECT_EQ(mciSendCommand(id, MCI_SET, MCI_SET_TIME_FORMAT, &set), MCIERR_BAD_TIME_FORMAT);
    Close(id);
}
