#include "CMediaTrack.h"

#include "platform/gst/SharedAudioOutput.h"

namespace tavi::engines {

CMediaTrack::~CMediaTrack() {
    m_notifyWnd.Destroy();
}

void CMediaTrack::Open(const QString& fileName) {
    m_fileName = fileName;
    m_notifyWnd.Create(this, fileName);
}

void CMediaTrack::Close() {
    m_notifyWnd.Destroy();
}

double CMediaTrack::GetFileLength(const QString& fileName) {
    Open(fileName);
    const double length = GetLength();
    Close();
    return length;
}

void CMediaTrack::SetGain(float gain) {
    gst::SharedAudioOutput::SetSequentialGain(gain);
}

}  // namespace tavi::engines
