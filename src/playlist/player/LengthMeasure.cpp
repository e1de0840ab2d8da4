#include "LengthMeasure.h"

#include "app/settings/ViewSettings.h"
#include "engines/CMediaTrack.h"
#include "engines/TrackFactory.h"
#include "platform/errors/CException.h"

#include <QCoreApplication>

namespace tavi::playlist {

LengthMeasure::LengthMeasure(const QString& path) {
    settings::ViewSettings& view = settings::viewSettings();
    const uint32_t soundBankOptions = view.soundBankOptions;
    view.soundBankOptions = 0;  // measuring must not load sound banks
    try {
        m_track = engines::CreateTrackForFile(path, nullptr);
        m_track->Open(path);
    } catch (const errors::CException& e) {
        m_error = e.GetErrorMessage();
        m_track.reset();
        m_done = true;
    }
    view.soundBankOptions = soundBankOptions;
}

LengthMeasure::~LengthMeasure() = default;

bool LengthMeasure::IsDone() {
    if (m_done) {
        return true;
    }
    if (m_track->IsOpening()) {
        if (!m_deadline.hasExpired()) {
            return false;
        }
        m_error =
            QCoreApplication::translate("LengthMeasure", "The file did not open within %1 seconds.")
                .arg(kOpenLimitMs / 1000);
        m_track.reset();
        m_done = true;
        return true;
    }
    Finish();
    return true;
}

void LengthMeasure::Finish() {
    try {
        m_length = m_track->GetLength();
    } catch (const errors::CException& e) {
        m_error = e.GetErrorMessage();
    }
    m_track.reset();
    m_done = true;
}

}  // namespace tavi::playlist
