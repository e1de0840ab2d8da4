#include "CPauseTrack.h"

#include <QFileInfo>

#include <cstdio>

namespace tavi::engines {

CPauseTrack::~CPauseTrack() {
    Close();
}

long CPauseTrack::LengthFromName(const QString& fileName) {
    const QString name = QFileInfo(fileName).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QByteArray base = (dot < 0 ? name : name.left(dot)).toLocal8Bit();
    long seconds = 0;
    return std::sscanf(base.constData(), "%ld", &seconds) == 1 ? seconds : 1;
}

void CPauseTrack::Open(const QString& fileName) {
    CMediaTrack::Open(fileName);
    m_length = double(LengthFromName(fileName));
    m_thread.Init(m_length, this);
}

void CPauseTrack::Close() {
    m_thread.Close();
    CMediaTrack::Close();
}

}  // namespace tavi::engines
