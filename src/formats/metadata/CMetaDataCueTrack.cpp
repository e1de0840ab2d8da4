#include "CMetaDataCueTrack.h"

#include "formats/CueEntries.h"
#include "platform/errors/CException.h"

#include <QFileInfo>

namespace tavi::formats {

bool CMetaDataCueTrack::Open(const QString& path) {
    const std::optional<CueTrackRef> ref = ParseCueTrackEntry(path);
    if (!ref || !QFileInfo(ref->container).isFile()) {
        return false;  // only a regular file is read: a FIFO would block the reader
    }
    try {
        const CueSheet sheet = ReadContainerSheet(ref->container);
        const CueTrack* track = sheet.Track(ref->number);
        if (!track) {
            return false;
        }
        m_title = track->title;
        m_artist = sheet.PerformerOf(*track);
        m_album = sheet.title;
        m_number = track->number;
        if (track->end) {
            m_duration = *track->end - track->start;
        }
        return true;
    } catch (const errors::CException&) {
        return false;
    }
}

bool CMetaDataCueTrack::GetTrackNumber(int& number) {
    number = m_number;
    return m_number > 0;
}

bool CMetaDataCueTrack::GetDuration(double& seconds) {
    if (!m_duration) {
        return false;
    }
    seconds = *m_duration;
    return true;
}

}  // namespace tavi::formats
