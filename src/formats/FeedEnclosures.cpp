#include "FeedEnclosures.h"

#include "CPlaylistFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QXmlStreamReader>

namespace tavi::formats {

namespace {

// Where an enclosure's file would be on this machine; empty when it cannot be here.
QString localFileOf(const QString& link, const QDir& feedFolder) {
    if (link.isEmpty()) {
        return {};
    }
    if (link.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        return QUrl(link).toLocalFile();
    }
    if (link.contains(QLatin1String("://"))) {
        const QString name = QUrl(link).fileName();
        return name.isEmpty() ? QString() : feedFolder.filePath(name);
    }
    return QDir::cleanPath(feedFolder.absoluteFilePath(link));
}

// The link of an item's enclosure, if the element the reader stands on is one.
QString enclosureLink(const QXmlStreamReader& xml) {
    const auto attributes = xml.attributes();
    if (xml.name() == QLatin1String("enclosure")) {
        return attributes.value(QLatin1String("url")).toString();
    }
    if (xml.name() == QLatin1String("link") &&
        attributes.value(QLatin1String("rel")) == QLatin1String("enclosure")) {
        return attributes.value(QLatin1String("href")).toString();
    }
    return {};
}

bool isItem(QStringView name) {
    return name == u"item" || name == u"entry";
}

}  // namespace

void ReadFeedEnclosures(const QString& path, CPlaylistFile& list) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    ReadFeedFrom(file, QFileInfo(path).absolutePath(), list);
}

void ReadFeedFrom(QIODevice& device, const QString& folder, CPlaylistFile& list) {
    const QDir feedFolder(folder);
    QXmlStreamReader xml(&device);
    int itemDepth = -1;  // depth of the item being read, -1 outside items
    bool taken = false;  // the item's enclosure was met already
    int depth = 0;
    while (!xml.atEnd() && !xml.hasError()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (--depth == itemDepth) {
                itemDepth = -1;
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement) {
            continue;
        }
        if (itemDepth < 0 && isItem(xml.name())) {
            itemDepth = depth;
            taken = false;
        } else if (itemDepth >= 0 && !taken) {
            const QString link = enclosureLink(xml);
            if (!link.isEmpty()) {
                taken = true;
                const QString local = localFileOf(link, feedFolder);
                if (!local.isEmpty() && QFileInfo(local).isFile()) {
                    list.Add(QFileInfo(local).absoluteFilePath());
                }
            }
        }
        ++depth;
    }
}

}  // namespace tavi::formats
