#include "CMetaDataDirectShow.h"

#include "platform/gst/GstSupport.h"

#include <QFile>
#include <QUrl>

#include <gst/pbutils/pbutils.h>
#include <taglib/infotag.h>
#include <taglib/wavfile.h>

namespace tavi::formats {

namespace {

constexpr GstClockTime kDiscoverTimeout = 5 * GST_SECOND;

std::optional<QString> InfoField(TagLib::RIFF::Info::Tag* tag, const char* id) {
    const TagLib::String value = tag->fieldText(id);
    if (value.isEmpty()) {
        return std::nullopt;
    }
    return QString::fromStdWString(value.toWString());
}

std::optional<QString> TagString(const GstTagList* tags, const char* name) {
    gchar* value = nullptr;
    if (!gst_tag_list_get_string(tags, name, &value)) {
        return std::nullopt;
    }
    QString text = QString::fromUtf8(value);
    g_free(value);
    return text;
}

}  // namespace

bool CMetaDataDirectShow::Open(const QString& path) {
    return path.endsWith(QLatin1String(".wav"), Qt::CaseInsensitive) ? OpenWave(path)
                                                                     : OpenWithDiscoverer(path);
}

bool CMetaDataDirectShow::OpenWave(const QString& path) {
    TagLib::RIFF::WAV::File file(QFile::encodeName(path).constData(), false);
    if (!file.isValid() || !file.hasInfoTag()) {
        return false;
    }
    TagLib::RIFF::Info::Tag* info = file.InfoTag();
    m_artist = InfoField(info, "IART");
    m_title = InfoField(info, "INAM");
    m_rating = InfoField(info, "IRTD");
    m_description = InfoField(info, "ICMT");
    m_copyright = InfoField(info, "ICOP");
    return true;
}

bool CMetaDataDirectShow::OpenWithDiscoverer(const QString& path) {
    if (!gst::EnsureInitialized()) {
        return false;
    }
    GstDiscoverer* discoverer = gst_discoverer_new(kDiscoverTimeout, nullptr);
    if (!discoverer) {
        return false;
    }
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    GstDiscovererInfo* info = gst_discoverer_discover_uri(discoverer, uri.constData(), nullptr);
    const GstTagList* tags = info ? gst_discoverer_info_get_tags(info) : nullptr;
    if (tags) {
        m_artist = TagString(tags, GST_TAG_ARTIST);
        m_title = TagString(tags, GST_TAG_TITLE);
        m_description = TagString(tags, GST_TAG_DESCRIPTION);
        if (!m_description) {
            m_description = TagString(tags, GST_TAG_COMMENT);
        }
        m_copyright = TagString(tags, GST_TAG_COPYRIGHT);
        guint rating = 0;
        if (gst_tag_list_get_uint(tags, GST_TAG_USER_RATING, &rating)) {
            m_rating = QString::number(rating);
        }
    }
    if (info) {
        gst_discoverer_info_unref(info);
    }
    g_object_unref(discoverer);
    return tags != nullptr;
}

}  // namespace tavi::formats
