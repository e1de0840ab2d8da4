#include "CdAudioDevice.h"

#include "CdDrives.h"
#include "platform/mci/MciCommands.h"
#include "platform/mci/wave/WaveOutputs.h"

#include <cdio/cdio.h>

#include <algorithm>
#include <vector>

namespace tavi::mci {

namespace {

constexpr int64_t kFramesPerSecond = WaveOutput::kRate;

void ToFloat(const int16_t* sector, size_t frames, uint32_t volume, std::vector<float>* out) {
    const float left = volume == 0xFFFFFFFF ? 1.0f : float(volume & 0xFFFF) / 65535.0f;
    const float right = volume == 0xFFFFFFFF ? 1.0f : float(volume >> 16) / 65535.0f;
    out->resize(frames * 2);
    for (size_t i = 0; i < frames; ++i) {
        (*out)[2 * i] = float(sector[2 * i]) / 32768.0f * left;
        (*out)[2 * i + 1] = float(sector[2 * i + 1]) / 32768.0f * right;
    }
}

}  // namespace

CdAudioDevice::~CdAudioDevice() {
    HaltRun();
    ReleaseDisc();
}

void CdAudioDevice::ReleaseDisc() {
    m_reader.reset();
    m_toc.reset();
}

// No drive at all fails; a drive without a disc opens, so that its door can be moved.
uint32_t CdAudioDevice::Open(const QString& element) {
    SilenceCdioLog();
    const QString drive = element.isEmpty() ? DefaultCdDrive() : element;
    if (drive.isEmpty() || !IsCdDrive(drive)) {
        return MCIERR_HARDWARE;
    }
    m_drive = drive.toLocal8Bit();
    CdIo_t* disc = cdio_open(m_drive.constData(), DRIVER_UNKNOWN);
    if (!disc) {
        return MCIERR_HARDWARE;
    }
    m_toc = CdToc::Read(disc);
    cdio_destroy(disc);
    if (!m_toc) {
        return 0;
    }
    if (!OpenReader()) {
        ReleaseDisc();
        return MCIERR_DEVICE_NOT_READY;
    }
    return 0;
}

bool CdAudioDevice::OpenReader() {
    if (!m_reader || !m_reader->Usable()) {
        m_reader = CdSectorReader::Open(m_drive);
    }
    return m_reader != nullptr;
}

uint32_t CdAudioDevice::Set(uint32_t flags, const MCI_SET_PARMS& parms) {
    if (flags & (MCI_SET_DOOR_OPEN | MCI_SET_DOOR_CLOSED)) {
        return MoveDoor(flags & MCI_SET_DOOR_OPEN);
    }
    return MciPlaybackDevice::Set(flags, parms);
}

// Opening the door takes the disc away: whatever plays stops first.
uint32_t CdAudioDevice::MoveDoor(bool open) {
    if (open) {
        Stop();
        return cdio_eject_media_drive(m_drive.constData()) == DRIVER_OP_SUCCESS
                   ? 0
                   : MCIERR_UNSUPPORTED_FUNCTION;
    }
    driver_id_t driver = DRIVER_UNKNOWN;
    return cdio_close_tray(m_drive.constData(), &driver) == DRIVER_OP_SUCCESS
               ? 0
               : MCIERR_UNSUPPORTED_FUNCTION;
}

uint32_t CdAudioDevice::Status(uint32_t flags, MCI_STATUS_PARMS* parms) {
    if (!(flags & MCI_STATUS_ITEM)) {
        return MCIERR_MISSING_PARAMETER;
    }
    switch (parms->dwItem) {
        case MCI_STATUS_MEDIA_PRESENT:
            parms->dwReturn = m_toc ? 1 : 0;
            return 0;
        case MCI_STATUS_NUMBER_OF_TRACKS:
            if (!m_toc) {
                return MCIERR_DEVICE_NOT_READY;
            }
            parms->dwReturn = uintptr_t(m_toc->TrackCount());
            return 0;
        case MCI_STATUS_LENGTH:
        case MCI_STATUS_POSITION:
            if (!m_toc) {
                return MCIERR_DEVICE_NOT_READY;
            }
            if (flags & MCI_TRACK) {
                return TrackStatus(flags, parms);
            }
            break;
        default:
            break;
    }
    return MciPlaybackDevice::Status(flags, parms);
}

uint32_t CdAudioDevice::TrackStatus(uint32_t, MCI_STATUS_PARMS* parms) {
    const int track = int(parms->dwTrack);
    if (!m_toc->HasTrack(track)) {
        return MCIERR_OUTOFRANGE;
    }
    const int64_t start = m_toc->TrackStart(track);
    parms->dwReturn = parms->dwItem == MCI_STATUS_POSITION
                          ? uintptr_t(CdToc::SectorToMs(start))
                          : uintptr_t(CdToc::SectorToMs(m_toc->TrackEnd(track) - start));
    return 0;
}

uint64_t CdAudioDevice::LengthMs() {
    return m_toc ? CdToc::SectorToMs(m_toc->leadOut) : 0;
}

uint64_t CdAudioDevice::PositionMs() {
    return uint64_t(m_frame.load() * 1000 / kFramesPerSecond);
}

int64_t CdAudioDevice::EndFrame() const {
    return m_toc ? int64_t(m_toc->leadOut) * CdToc::kFramesPerSector : 0;
}

int64_t CdAudioDevice::FrameAt(uint64_t ms) const {
    return std::min(EndFrame(), int64_t(ms) * kFramesPerSecond / 1000);
}

uint32_t CdAudioDevice::StartRun(std::optional<uint64_t> from, std::optional<uint64_t> to,
                                 uint64_t run) {
    HaltRun();
    if (!m_toc || !OpenReader()) {
        return MCIERR_DEVICE_NOT_READY;
    }
    // The output is taken at the first play, so that asking a disc its tracks opens none.
    if (!m_output) {
        QString outputError;
        m_output = AcquireWaveOutput(&outputError);
        if (!m_output) {
            return MCIERR_HARDWARE;
        }
    }
    if (from) {
        m_frame = FrameAt(*from);
    }
    const int64_t end = to ? FrameAt(*to) : EndFrame();
    StartRendering(end, run);
    return 0;
}

// The worker: reads sector after sector from the one the position is in, and writes from
// the position to the end of the run. A sector that cannot be read fails the run.
void CdAudioDevice::Render(int64_t endFrame, uint64_t run) {
    int64_t sector = m_frame / CdToc::kFramesPerSector;
    std::vector<int16_t> read;
    std::vector<float> converted;
    while (!m_halt && m_frame < endFrame) {
        const CdSectorReader::Result result = m_reader->Read(int32_t(sector), &read, m_halt);
        if (result == CdSectorReader::Result::Halted) {
            return;
        }
        if (result == CdSectorReader::Result::Failed ||
            !WriteSector(read.data(), sector * CdToc::kFramesPerSector, endFrame, &converted)) {
            RunEnded(run, true);
            return;
        }
        ++sector;
    }
    if (!m_halt) {
        RunEnded(run, false);
    }
}

bool CdAudioDevice::WriteSector(const int16_t* sector, int64_t sectorFrame, int64_t endFrame,
                                std::vector<float>* sound) {
    const int64_t skip = std::max<int64_t>(0, m_frame - sectorFrame);
    const int64_t frames =
        std::min<int64_t>(CdToc::kFramesPerSector, endFrame - sectorFrame) - skip;
    if (frames <= 0) {
        return true;
    }
    ToFloat(sector + skip * 2, size_t(frames), CurrentWaveVolume(), sound);
    if (!m_output->Write(sound->data(), size_t(frames))) {
        return false;
    }
    m_frame = sectorFrame + skip + frames;
    return true;
}

}  // namespace tavi::mci
