#include "WplList.h"

#include "CPlaylistFile.h"
#include "FileAccess.h"
#include "platform/errors/CFileException.h"

#include <QFileInfo>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace tavi::formats {

using errors::CFileException;

namespace {

// Characters XML 1.0 cannot carry would make the written file unreadable; they become
// U+FFFD so that the playlist reads back with every other entry intact.
QString xmlSafe(const QString& text) {
    QString safe = text;
    for (qsizetype i = 0; i < safe.size(); ++i) {
        const char16_t unit = safe[i].unicode();
        const bool control = unit < 0x20 && unit != 0x09 && unit != 0x0A && unit != 0x0D;
        const bool high = QChar::isHighSurrogate(unit);
        const bool paired = high && i + 1 < safe.size() && safe[i + 1].isLowSurrogate();
        if (paired) {
            ++i;
        } else if (control || high || QChar::isLowSurrogate(unit) || unit >= 0xFFFE) {
            safe[i] = QChar::ReplacementCharacter;
        }
    }
    return safe;
}

}  // namespace

void ReadWplList(const QString& path, CPlaylistFile& list) {
    const auto file = OpenForReading(path);
    ReadWplFrom(*file, path, list);
}

void ReadWplFrom(QIODevice& device, const QString& path, CPlaylistFile& list) {
    QXmlStreamReader xml(&device);
    bool sawRoot = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (!sawRoot) {
            sawRoot = true;
            if (xml.name() != QLatin1String("smil")) {
                xml.raiseError(QStringLiteral("the document is not a SMIL playlist"));
            }
        } else if (xml.name() == QLatin1String("media")) {
            const QStringView source = xml.attributes().value(QLatin1String("src"));
            if (!source.isEmpty()) {
                list.Add(source.toString());
            }
        }
    }
    if (xml.hasError() || !sawRoot) {
        const QString detail = xml.hasError() ? QStringLiteral("%1 (line %2, column %3)")
                                                    .arg(xml.errorString())
                                                    .arg(xml.lineNumber())
                                                    .arg(xml.columnNumber())
                                              : QStringLiteral("the file is empty");
        list.RemoveAll();
        throw CFileException(CFileException::badFormat, path, 0, detail);
    }
}

void WriteWplList(const QString& path, const CPlaylistFile& list) {
    const QString title = QFileInfo(path).completeBaseName();
    WriteAtomically(path, [&](QIODevice& device) {
        // A refused write leaves its errno in the writer and fails the commit, which then
        // throws the file error with it.
        WriteWplTo(device, title, list);
    });
}

bool WriteWplTo(QIODevice& device, const QString& title, const CPlaylistFile& list) {
    // The processing instruction goes first, without the XML declaration or the blank
    // line the stream writer would put before it.
    device.write("<?wpl version=\"1.0\"?>");
    QXmlStreamWriter xml(&device);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartElement(QStringLiteral("smil"));
    xml.writeStartElement(QStringLiteral("head"));
    xml.writeEmptyElement(QStringLiteral("meta"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("Generator"));
    xml.writeAttribute(QStringLiteral("content"), QStringLiteral("Tavi"));
    xml.writeEmptyElement(QStringLiteral("meta"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("ItemCount"));
    xml.writeAttribute(QStringLiteral("content"), QString::number(list.GetCount()));
    xml.writeTextElement(QStringLiteral("title"), xmlSafe(title));
    xml.writeEndElement();  // head
    xml.writeStartElement(QStringLiteral("body"));
    xml.writeStartElement(QStringLiteral("seq"));
    for (const QString& entry : list.Entries()) {
        xml.writeEmptyElement(QStringLiteral("media"));
        xml.writeAttribute(QStringLiteral("src"), xmlSafe(entry));
    }
    xml.writeEndDocument();
    return !xml.hasError();
}

}  // namespace tavi::formats
