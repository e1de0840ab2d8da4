#pragma once

#include <cstdint>
#include <optional>
#include <vector>

typedef struct _CdIo CdIo_t;

namespace tavi::mci {

// A disc's table of contents in sectors (1/75 s, 588 stereo frames each) from the start of
// the program area; a disc time in milliseconds counts from there too.
struct CdToc {
    static constexpr int kSectorsPerSecond = 75;
    static constexpr int kFramesPerSector = 588;
    // The lead-in before the program area, which the CDDB disc id counts in.
    static constexpr int kLeadInSectors = 150;

    int firstTrack = 1;
    std::vector<int32_t> starts;  // the first sector of each track, in order
    int32_t leadOut = 0;          // the sector after the last track

    int TrackCount() const { return int(starts.size()); }
    bool HasTrack(int number) const;
    int32_t TrackStart(int number) const;
    int32_t TrackEnd(int number) const;
    // The CDDB disc id: the digit sums of the tracks' start seconds, the playing time and
    // the track count, as the disc-title databases compute it.
    uint32_t DiscId() const;

    static uint64_t SectorToMs(int64_t sector) {
        return uint64_t(sector) * 1000 / kSectorsPerSecond;
    }
    // Reads and checks the table: null when there is no disc or the table makes no sense
    // (no tracks, more than 99, starts that go backwards or past the lead-out).
    static std::optional<CdToc> Read(CdIo_t* disc);
    // The same checks on a table from elsewhere.
    static bool IsSound(const CdToc& toc);
};

}  // namespace tavi::mci
