#include "CMetaDataWindowsMedia.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

namespace tavi::formats {

bool CMetaDataWindowsMedia::Open(const QString& path) {
    TagLib::FileRef file(QFile::encodeName(path).constData(), true, TagLib::AudioProperties::Fast);
    if (file.isNull()) {
        return false;
    }
    const TagLib::PropertyMap properties = file.file()->properties();
    for (const auto& [key, values] : properties) {
        QStringList texts;
        for (const TagLib::String& value : values) {
            texts.append(QString::fromStdWString(value.toWString()));
        }
        m_properties.insert(QString::fromStdWString(key.toWString()), texts);
    }
    if (const TagLib::AudioProperties* audio = file.audioProperties()) {
        m_lengthMs = audio->lengthInMilliseconds();
        m_bitrateKbps = audio->bitrate();
        m_channels = audio->channels();
        m_sampleRate = audio->sampleRate();
    }
    m_fileSize = QFileInfo(path).size();
    return true;
}

// Several values of one attribute read as one text, as the attribute header joins them.
bool CMetaDataWindowsMedia::Text(const char* property, QString& text) const {
    const auto it = m_properties.constFind(QLatin1String(property));
    if (it == m_properties.constEnd() || it->isEmpty()) {
        return false;
    }
    return Accept(it->join(QStringLiteral("; ")), text);
}

bool CMetaDataWindowsMedia::GetTrackNumber(int& number) {
    QString text;
    if (!Text("TRACKNUMBER", text)) {
        return false;
    }
    bool ok = false;
    const int value = text.section(QLatin1Char('/'), 0, 0).trimmed().toInt(&ok);
    if (!ok || value <= 0) {
        return false;
    }
    number = value;
    return true;
}

bool CMetaDataWindowsMedia::GetDuration(double& seconds) {
    if (m_lengthMs < 0) {
        return false;
    }
    seconds = m_lengthMs / 1000.0;
    return true;
}

bool CMetaDataWindowsMedia::GetFileSize(uint32_t& bytes) {
    if (m_fileSize < 0) {
        return false;
    }
    bytes = uint32_t(m_fileSize);
    return true;
}

bool CMetaDataWindowsMedia::GetBitrate(uint32_t& bitsPerSecond) {
    if (m_bitrateKbps < 0) {
        return false;
    }
    bitsPerSecond = uint32_t(m_bitrateKbps) * 1000;
    return true;
}

bool CMetaDataWindowsMedia::GetChannels(uint32_t& channels) {
    if (m_channels < 0) {
        return false;
    }
    channels = uint32_t(m_channels);
    return true;
}

bool CMetaDataWindowsMedia::GetSampleRate(uint32_t& hertz) {
    if (m_sampleRate < 0) {
        return false;
    }
    hertz = uint32_t(m_sampleRate);
    return true;
}

}  // namespace tavi::formats
