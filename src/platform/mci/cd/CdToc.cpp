#include "CdToc.h"

#include <cdio/cdio.h>

namespace tavi::mci {

namespace {

uint32_t DigitSum(uint32_t number) {
    uint32_t sum = 0;
    for (; number > 0; number /= 10) {
        sum += number % 10;
    }
    return sum;
}

}  // namespace

bool CdToc::HasTrack(int number) const {
    return number >= firstTrack && number < firstTrack + TrackCount();
}

int32_t CdToc::TrackStart(int number) const {
    return starts[size_t(number - firstTrack)];
}

int32_t CdToc::TrackEnd(int number) const {
    const size_t next = size_t(number - firstTrack + 1);
    return next < starts.size() ? starts[next] : leadOut;
}

uint32_t CdToc::DiscId() const {
    uint32_t digits = 0;
    for (const int32_t start : starts) {
        digits += DigitSum(uint32_t((start + kLeadInSectors) / kSectorsPerSecond));
    }
    const uint32_t first = uint32_t((starts.front() + kLeadInSectors) / kSectorsPerSecond);
    const uint32_t last = uint32_t((leadOut + kLeadInSectors) / kSectorsPerSecond);
    return (digits % 255) << 24 | (last - first) << 8 | uint32_t(TrackCount());
}

bool CdToc::IsSound(const CdToc& toc) {
    if (toc.starts.empty() || toc.starts.size() > 99 || toc.firstTrack < 1 ||
        toc.firstTrack + toc.TrackCount() > 100 || toc.starts.front() < 0) {
        return false;
    }
    for (size_t i = 1; i < toc.starts.size(); ++i) {
        if (toc.starts[i] <= toc.starts[i - 1]) {
            return false;
        }
    }
    return toc.leadOut > toc.starts.back();
}

std::optional<CdToc> CdToc::Read(CdIo_t* disc) {
    const track_t first = cdio_get_first_track_num(disc);
    const track_t count = cdio_get_num_tracks(disc);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        return std::nullopt;
    }
    CdToc toc;
    toc.firstTrack = first;
    for (int track = first; track < first + count && track <= 99; ++track) {
        toc.starts.push_back(cdio_get_track_lsn(disc, track_t(track)));
    }
    toc.leadOut = cdio_get_track_lsn(disc, CDIO_CDROM_LEADOUT_TRACK);
    return IsSound(toc) ? std::optional<CdToc>(std::move(toc)) : std::nullopt;
}

}  // namespace tavi::mci
