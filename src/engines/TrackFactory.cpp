#include "TrackFactory.h"

#include "cd/CCDTrack.h"
#include "cue/CCueTrack.h"
#include "directshow/CDirectShowTrack.h"
#include "mci/CMCITrack.h"
#include "midi/CMidiTrack.h"
#include "miniplaylist/CMiniPlaylistTrack.h"
#include "mod/CModTrack.h"
#include "pause/CPauseTrack.h"
#include "platform/gst/GstSupport.h"
#include "recorder/CRecorderTrack.h"

#include <array>
#include <functional>

namespace tavi::engines {

namespace {

using Maker = std::function<std::unique_ptr<CMediaTrack>()>;

struct EngineRow {
    const char* extension;
    Maker make;
};

// Engines not built on this system yet have no row; their files take the general path.
const std::array<EngineRow, 22>& engineTable() {
    const auto mod = [] { return std::make_unique<CModTrack>(); };
    static const std::array<EngineRow, 22> table{{
        {".MP3", [] { return std::make_unique<CMP3DirectShowTrack>(); }},
        {".MID", [] { return std::make_unique<CMidiTrack>(); }},
        {".RMI", [] { return std::make_unique<CMidiTrack>(); }},
        {".KAR", [] { return std::make_unique<CMidiTrack>(); }},
        {".PAUSE", [] { return std::make_unique<CPauseTrack>(); }},
        {".MOD", mod},
        {".S3M", mod},
        {".XM", mod},
        {".669", mod},
        {".STM", mod},
        {".NST", mod},
        {".IT", mod},
        {".MDZ", mod},
        {".ITZ", mod},
        // Further kinds the module library reads.
        {".MPTM", mod},
        {".OKT", mod},
        {".MED", mod},
        {".CDA", [] { return std::make_unique<CCDTrack>(); }},
        // A range of a file named by a CUE sheet; the file's own engine plays it.
        {".CUETRACK", [] { return std::make_unique<CCueTrack>(); }},
        {".RECORD", [] { return std::make_unique<CRecorderTrack>(); }},
        {".MPL", [] { return std::make_unique<CMiniPlaylistTrack>(); }},
        {".M3U", [] { return std::make_unique<CMiniPlaylistTrack>(); }},
    }};
    return table;
}

}  // namespace

QString UpperExtension(const QString& fileName) {
    const qsizetype slash = fileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > slash ? fileName.mid(dot).toUpper() : QString();
}

std::unique_ptr<CMediaTrack> CreateTrackForFile(const QString& fileName,
                                                CMediaTrackCallback* callback) {
    const QString extension = UpperExtension(fileName);
    for (const EngineRow& row : engineTable()) {
        if (extension == QLatin1String(row.extension)) {
            std::unique_ptr<CMediaTrack> track = row.make();
            track->SetCallback(callback);
            return track;
        }
    }
    // Tested anew for every track: GStreamer may have been removed since the last one.
    std::unique_ptr<CMediaTrack> track;
    if (gst::CanCreateGraph()) {
        track = std::make_unique<CDirectShowTrack>();
    } else {
        track = std::make_unique<CMCITrack>();
    }
    track->SetCallback(callback);
    return track;
}

}  // namespace tavi::engines
