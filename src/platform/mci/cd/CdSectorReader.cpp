#include "CdSectorReader.h"

#include "CdDrives.h"
#include "CdToc.h"

#include <cdio/cdio.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <sys/stat.h>

#include <cstring>
#include <thread>

namespace tavi::mci {

namespace {

// A sector that cannot be read after this many tries is a disc that left (or is ruined).
constexpr int kReadRetries = 3;
// A halted caller still waits this long for a read under way, so that a pause keeps the
// reader (and its place on the disc) in the usual case.
constexpr std::chrono::milliseconds kHaltGrace{150};
constexpr std::chrono::milliseconds kWaitSlice{20};

// Paranoia's callback carries no context; the reading thread counts its own hard errors.
thread_local int t_readErrors = 0;

void CountReadErrors(long, paranoia_cb_mode_t mode) {
    if (mode == PARANOIA_CB_READERR) {
        ++t_readErrors;
    }
}

// The size of a disc image's data file, -1 for a drive (or an image whose file is gone).
int64_t ImageDataSize(const QByteArray& dataFile) {
    struct stat info {};
    if (dataFile.isEmpty() || ::stat(dataFile.constData(), &info) != 0) {
        return -1;
    }
    return int64_t(info.st_size);
}

}  // namespace

struct CdSectorReader::State {
    ~State() {
        if (paranoia) {
            cdio_paranoia_free(paranoia);
        }
        if (drive) {
            cdio_cddap_close_no_free_cdio(drive);
        }
        if (disc) {
            cdio_destroy(disc);
        }
    }

    // The reading thread's alone once it runs.
    bool ReadOne(int32_t sector, std::vector<int16_t>* frames);
    void Serve();

    CdIo_t* disc = nullptr;
    cdrom_drive_t* drive = nullptr;
    cdrom_paranoia_t* paranoia = nullptr;
    QByteArray imageData;     // an image's data file; a file that shrank is a damaged disc
    int64_t imageSize = -1;   // its size when the disc was opened
    int32_t nextSector = -1;  // where paranoia stands

    std::mutex mutex;
    std::condition_variable changed;
    // Guarded by mutex: the one request and its answer.
    bool requested = false;
    bool answered = false;
    bool abandoned = false;
    bool readOk = false;
    int32_t sector = 0;
    std::vector<int16_t> frames;
};

bool CdSectorReader::State::ReadOne(int32_t wanted, std::vector<int16_t>* out) {
    if (cdio_get_media_changed(disc) == 1) {
        return false;  // the disc left: its sectors would be retried for ever
    }
    if (imageSize >= 0 && ImageDataSize(imageData) < imageSize) {
        return false;  // the image was cut short: what is past its end reads as stale data
    }
    if (wanted != nextSector) {
        cdio_paranoia_seek(paranoia, wanted, SEEK_SET);
    }
    t_readErrors = 0;
    const int16_t* sound = cdio_paranoia_read_limited(paranoia, CountReadErrors, kReadRetries);
    nextSector = wanted + 1;
    if (!sound || t_readErrors > 0) {
        nextSector = -1;
        return false;
    }
    out->assign(sound, sound + CdToc::kFramesPerSector * 2);
    return true;
}

void CdSectorReader::State::Serve() {
    std::vector<int16_t> read;
    for (;;) {
        int32_t wanted = 0;
        {
            std::unique_lock lock(mutex);
            changed.wait(lock, [this] { return requested || abandoned; });
            if (abandoned) {
                return;
            }
            requested = false;
            wanted = sector;
        }
        const bool ok = ReadOne(wanted, &read);
        std::lock_guard lock(mutex);
        readOk = ok;
        frames.swap(read);
        answered = true;
        changed.notify_all();
    }
}

std::shared_ptr<CdSectorReader> CdSectorReader::Open(const QByteArray& drivePath) {
    SilenceCdioLog();
    auto state = std::make_shared<State>();
    state->disc = cdio_open(drivePath.constData(), DRIVER_UNKNOWN);
    if (!state->disc) {
        return nullptr;
    }
    if (const driver_id_t driver = cdio_get_driver_id(state->disc);
        driver == DRIVER_BINCUE || driver == DRIVER_CDRDAO || driver == DRIVER_NRG) {
        if (const char* source = cdio_get_arg(state->disc, "source")) {
            state->imageData = QByteArray(source);
            state->imageSize = ImageDataSize(state->imageData);
        }
    }
    char* messages = nullptr;
    state->drive = cdio_cddap_identify_cdio(state->disc, CDDA_MESSAGE_FORGETIT, &messages);
    cdio_cddap_free_messages(messages);
    if (!state->drive || cdio_cddap_open(state->drive) != 0) {
        return nullptr;
    }
    state->paranoia = cdio_paranoia_init(state->drive);
    if (!state->paranoia) {
        return nullptr;
    }
    // Full checking, but a sector that stays unreadable is given up rather than retried.
    paranoia_modeset(state->paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    std::thread([state] { state->Serve(); }).detach();
    return std::shared_ptr<CdSectorReader>(new CdSectorReader(std::move(state)));
}

CdSectorReader::CdSectorReader(std::shared_ptr<State> state) : m_state(std::move(state)) {}

CdSectorReader::~CdSectorReader() {
    std::lock_guard lock(m_state->mutex);
    m_state->abandoned = true;
    m_state->changed.notify_all();
}

bool CdSectorReader::Usable() const {
    std::lock_guard lock(m_state->mutex);
    return !m_state->abandoned;
}

CdSectorReader::Result CdSectorReader::Read(int32_t sector, std::vector<int16_t>* frames,
                                            const std::atomic<bool>& halt,
                                            std::chrono::milliseconds bound) {
    State& state = *m_state;
    std::unique_lock lock(state.mutex);
    if (state.abandoned) {
        return Result::Failed;
    }
    state.sector = sector;
    state.requested = true;
    state.answered = false;
    state.changed.notify_all();
    const auto deadline = std::chrono::steady_clock::now() + bound;
    std::chrono::steady_clock::time_point haltDeadline =
        std::chrono::steady_clock::time_point::max();
    while (!state.answered) {
        state.changed.wait_for(lock, kWaitSlice);
        const auto now = std::chrono::steady_clock::now();
        if (halt && haltDeadline == std::chrono::steady_clock::time_point::max()) {
            haltDeadline = now + kHaltGrace;
        }
        if (!state.answered && (now >= deadline || now >= haltDeadline)) {
            state.abandoned = true;  // the thread ends after its read; its handles go with it
            state.changed.notify_all();
            return now >= haltDeadline ? Result::Halted : Result::Failed;
        }
    }
    if (!state.readOk) {
        state.abandoned = true;
        state.changed.notify_all();
        return Result::Failed;
    }
    frames->swap(state.frames);
    return Result::Read;
}

}  // namespace tavi::mci
