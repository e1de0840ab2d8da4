#pragma once

#include <QByteArray>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

typedef struct _CdIo CdIo_t;

namespace tavi::mci {

// Reads a disc's audio sectors with paranoia on a detached thread of its own, so that a
// read stuck in the drive (or in paranoia's retries) holds up neither a stop nor a close:
// the caller waits for each sector only while it is not halted and for at most a bound,
// then gives the reader up. An abandoned reader frees its handles when its read returns.
class CdSectorReader {
public:
    enum class Result { Read, Failed, Halted };
    static constexpr std::chrono::milliseconds kReadBound{8000};

    // Opens the drive for reading; null when it has no readable disc.
    static std::shared_ptr<CdSectorReader> Open(const QByteArray& drive);
    ~CdSectorReader();
    CdSectorReader(const CdSectorReader&) = delete;
    CdSectorReader& operator=(const CdSectorReader&) = delete;

    // The 588 stereo frames of a sector. Failed when the sector cannot be read, the disc
    // changed, or the read took longer than the bound; a reader that failed or was halted
    // during a read is not to be used again.
    Result Read(int32_t sector, std::vector<int16_t>* frames, const std::atomic<bool>& halt,
                std::chrono::milliseconds bound = kReadBound);
    // False once a read failed or was given up.
    bool Usable() const;

private:
    struct State;
    explicit CdSectorReader(std::shared_ptr<State> state);

    std::shared_ptr<State> m_state;
};

}  // namespace tavi::mci
