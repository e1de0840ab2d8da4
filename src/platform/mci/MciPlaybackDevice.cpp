#include "MciPlaybackDevice.h"

namespace tavi::mci {

void MciPlaybackDevice::Halt() {
    {
        std::lock_guard lock(m_mutex);
        ++m_run;
    }
    HaltRun();
}

void MciPlaybackDevice::RunEnded(uint64_t run, bool failed) {
    std::lock_guard lock(m_mutex);
    if (run != m_run || m_mode != Mode::Playing) {
        return;
    }
    m_mode = Mode::Stopped;
    m_notify.Finish(failed ? MCI_NOTIFY_FAILURE : MCI_NOTIFY_SUCCESSFUL);
}

uint32_t MciPlaybackDevice::Play(uint32_t flags, const MCI_PLAY_PARMS& parms) {
    const uint64_t length = LengthMs();
    const std::optional<uint64_t> from =
        flags & MCI_FROM ? std::optional<uint64_t>(parms.dwFrom) : std::nullopt;
    const std::optional<uint64_t> to =
        flags & MCI_TO ? std::optional<uint64_t>(parms.dwTo) : std::nullopt;
    if ((from && *from > length) || (to && *to > length) || (from && to && *from > *to)) {
        return MCIERR_OUTOFRANGE;
    }
    Halt();
    uint64_t run = 0;
    {
        std::lock_guard lock(m_mutex);
        m_notify.Replace(flags & MCI_NOTIFY ? parms.dwCallback : nullptr, Id());
        m_mode = Mode::Playing;
        m_runTo = to;
        run = m_run;
    }
    const uint32_t error = StartRun(from, to, run);
    if (error != 0) {
        std::lock_guard lock(m_mutex);
        m_mode = Mode::Stopped;
        m_notify.Discard();
    }
    return error;
}

uint32_t MciPlaybackDevice::Seek(uint32_t flags, const MCI_SEEK_PARMS& parms) {
    const uint64_t length = LengthMs();
    uint64_t target = 0;
    if (flags & MCI_SEEK_TO_END) {
        target = length;
    } else if (flags & MCI_TO) {
        if (parms.dwTo > length) {
            return MCIERR_OUTOFRANGE;
        }
        target = parms.dwTo;
    } else if (!(flags & MCI_SEEK_TO_START)) {
        return MCIERR_MISSING_PARAMETER;
    }
    Halt();
    {
        std::lock_guard lock(m_mutex);
        m_mode = Mode::Stopped;
        m_notify.Finish(MCI_NOTIFY_ABORTED);
    }
    MoveTo(target);
    return 0;
}

uint32_t MciPlaybackDevice::Stop() {
    Halt();
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Stopped;
    m_notify.Finish(MCI_NOTIFY_ABORTED);
    return 0;
}

// The notice stays pending: a resumed play still reports its end.
uint32_t MciPlaybackDevice::Pause() {
    {
        std::lock_guard lock(m_mutex);
        if (m_mode != Mode::Playing) {
            return 0;
        }
    }
    Halt();
    std::lock_guard lock(m_mutex);
    m_mode = Mode::Paused;
    return 0;
}

uint32_t MciPlaybackDevice::Resume() {
    uint64_t run = 0;
    std::optional<uint64_t> to;
    {
        std::lock_guard lock(m_mutex);
        if (m_mode != Mode::Paused) {
            return 0;
        }
        m_mode = Mode::Playing;
        run = m_run;
        to = m_runTo;
    }
    const uint32_t error = StartRun(std::nullopt, to, run);
    if (error != 0) {
        std::lock_guard lock(m_mutex);
        m_mode = Mode::Stopped;
        m_notify.Finish(MCI_NOTIFY_FAILURE);
    }
    return error;
}

uint32_t MciPlaybackDevice::Set(uint32_t flags, const MCI_SET_PARMS& parms) {
    if ((flags & MCI_SET_TIME_FORMAT) && parms.dwTimeFormat != MCI_FORMAT_MILLISECONDS) {
        return MCIERR_BAD_TIME_FORMAT;
    }
    return 0;
}

uint32_t MciPlaybackDevice::ModeNumber() {
    if (!IsReady()) {
        return MCI_MODE_NOT_READY;
    }
    std::lock_guard lock(m_mutex);
    switch (m_mode) {
        case Mode::Playing:
            return MCI_MODE_PLAY;
        case Mode::Paused:
            return MCI_MODE_PAUSE;
        case Mode::Stopped:
            break;
    }
    return MCI_MODE_STOP;
}

uint32_t MciPlaybackDevice::Status(uint32_t flags, MCI_STATUS_PARMS* parms) {
    if (!(flags & MCI_STATUS_ITEM)) {
        return MCIERR_MISSING_PARAMETER;
    }
    switch (parms->dwItem) {
        case MCI_STATUS_LENGTH:
            parms->dwReturn = uintptr_t(LengthMs());
            return 0;
        case MCI_STATUS_POSITION:
            parms->dwReturn = uintptr_t(PositionMs());
            return 0;
        case MCI_STATUS_MODE:
            parms->dwReturn = ModeNumber();
            return 0;
        case MCI_STATUS_WAVE_OUTPUT:
            return WaveOutputStatus(&parms->dwReturn);
        default:
            return MCIERR_UNSUPPORTED_FUNCTION;
    }
}

}  // namespace tavi::mci
