#include "IniDocument.h"

#include "platform/text/LocaleText.h"

#include <QtEndian>

namespace tavi::ini {

namespace {

struct Mark {
    IniDocument::Encoding encoding;
    QByteArrayView bytes;
};

const Mark kMarks[] = {
    {IniDocument::Encoding::Utf8Bom, QByteArrayView("\xEF\xBB\xBF", 3)},
    {IniDocument::Encoding::Utf16Le, QByteArrayView("\xFF\xFE", 2)},
    {IniDocument::Encoding::Utf16Be, QByteArrayView("\xFE\xFF", 2)},
};

QString decodeUtf16(QByteArrayView bytes, bool bigEndian) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const uchar* unit = reinterpret_cast<const uchar*>(bytes.data()) + 2 * i;
        text[i] =
            QChar(bigEndian ? qFromBigEndian<quint16>(unit) : qFromLittleEndian<quint16>(unit));
    }
    return text;
}

QByteArray encodeUtf16(const QString& text, bool bigEndian) {
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        uchar* unit = reinterpret_cast<uchar*>(bytes.data()) + 2 * i;
        if (bigEndian) {
            qToBigEndian<quint16>(text[i].unicode(), unit);
        } else {
            qToLittleEndian<quint16>(text[i].unicode(), unit);
        }
    }
    return bytes;
}

bool isSectionHeader(const QString& trimmed) {
    return trimmed.startsWith(u'[');
}

QString sectionNameOf(const QString& trimmed) {
    const qsizetype end = trimmed.indexOf(u']');
    return trimmed.mid(1, end < 0 ? -1 : end - 1).trimmed();
}

}  // namespace

std::optional<QString> IniDocument::keyOfLine(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) {
        return std::nullopt;
    }
    const QString key = line.left(equals).trimmed();
    if (key.isEmpty() || key.startsWith(u';')) {
        return std::nullopt;
    }
    return key;
}

IniDocument IniDocument::parse(QByteArrayView bytes) {
    IniDocument document;
    QString text;
    for (const Mark& mark : kMarks) {
        if (bytes.startsWith(mark.bytes)) {
            document.m_encoding = mark.encoding;
            bytes = bytes.sliced(mark.bytes.size());
            break;
        }
    }
    switch (document.m_encoding) {
        case Encoding::Utf8Bom:
            text = QString::fromUtf8(bytes);
            break;
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            text = decodeUtf16(bytes, document.m_encoding == Encoding::Utf16Be);
            break;
        case Encoding::Ansi:
            text = text::LocaleText().decode(bytes);
            break;
    }
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();  // the terminator of the last line
    }
    document.m_sections.push_back(Section{});
    for (QString& line : lines) {
        if (line.endsWith(u'\r')) {
            line.chop(1);
        }
        const QString trimmed = line.trimmed();
        if (isSectionHeader(trimmed)) {
            Section section;
            section.name = sectionNameOf(trimmed);
            section.hasHeader = true;
            section.lines.append(line);  // the header itself, kept verbatim
            const QString folded = fold(section.name);
            if (!document.m_sectionIndex.contains(folded)) {
                document.m_sectionIndex.insert(folded, document.m_sections.size());
            }
            document.m_sections.push_back(std::move(section));
            continue;
        }
        Section& current = document.m_sections.back();
        if (const auto key = keyOfLine(line); key && !current.keys.contains(fold(*key))) {
            current.keys.insert(fold(*key), current.lines.size());
        }
        current.lines.append(line);
    }
    return document;
}

QByteArray IniDocument::serialize() const {
    QString text;
    for (const Section& section : m_sections) {
        for (const QString& line : section.lines) {
            text += line;
            text += QLatin1String("\r\n");
        }
    }
    switch (m_encoding) {
        case Encoding::Utf8Bom:
            return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
        case Encoding::Utf16Le:
            return QByteArray("\xFF\xFE") + encodeUtf16(text, false);
        case Encoding::Utf16Be:
            return QByteArray("\xFE\xFF") + encodeUtf16(text, true);
        case Encoding::Ansi:
            break;
    }
    return text::LocaleText().encode(text);
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const auto found = m_sectionIndex.constFind(fold(section));
    if (found == m_sectionIndex.cend()) {
        return std::nullopt;
    }
    const Section& part = m_sections[*found];
    const auto line = part.keys.constFind(fold(key));
    if (line == part.keys.cend()) {
        return std::nullopt;
    }
    const QString& text = part.lines[*line];
    QString result = text.mid(text.indexOf(u'=') + 1).trimmed();
    if (result.size() >= 2 && (result.front() == u'"' || result.front() == u'\'') &&
        result.back() == result.front()) {
        result = result.mid(1, result.size() - 2);
    }
    return result;
}

IniDocument::Section& IniDocument::sectionFor(const QString& name) {
    const auto found = m_sectionIndex.constFind(fold(name));
    if (found != m_sectionIndex.cend()) {
        return m_sections[*found];
    }
    if (m_sections.empty()) {
        m_sections.push_back(Section{});
    }
    if (!m_sections.back().lines.isEmpty() && !m_sections.back().lines.back().trimmed().isEmpty()) {
        m_sections.back().lines.append(QString());  // a blank line between sections
    }
    Section section;
    section.name = name;
    section.hasHeader = true;
    section.lines.append(u'[' + name + u']');
    m_sectionIndex.insert(fold(name), m_sections.size());
    m_sections.push_back(std::move(section));
    return m_sections.back();
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& rawValue) {
    // A line break would end the value early and turn the rest into lines of their own.
    QString value = rawValue;
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    Section& part = sectionFor(section);
    const auto found = part.keys.constFind(fold(key));
    if (found != part.keys.cend()) {
        QString& line = part.lines[*found];
        line = line.left(line.indexOf(u'=')).trimmed() + u'=' + value;
        return;
    }
    // After the last non-blank line, so blank lines that separate sections stay in place.
    qsizetype at = part.lines.size();
    while (at > (part.hasHeader ? 1 : 0) && part.lines[at - 1].trimmed().isEmpty()) {
        --at;
    }
    part.lines.insert(at, key + u'=' + value);
    if (at < part.lines.size() - 1) {
        for (auto it = part.keys.begin(); it != part.keys.end(); ++it) {
            if (*it >= at) {
                ++*it;
            }
        }
    }
    part.keys.insert(fold(key), at);
}

QStringList IniDocument::keyNames(const QString& section) const {
    QStringList names;
    const auto found = m_sectionIndex.constFind(fold(section));
    if (found == m_sectionIndex.cend()) {
        return names;
    }
    const Section& part = m_sections[*found];
    for (qsizetype i = 0; i < part.lines.size(); ++i) {
        const auto key = keyOfLine(part.lines[i]);
        if (key && part.keys.value(fold(*key), -1) == i) {
            names.append(*key);
        }
    }
    return names;
}

QStringList IniDocument::sectionNames() const {
    QStringList names;
    for (const Section& section : m_sections) {
        if (section.hasHeader) {
            names.append(section.name);
        }
    }
    return names;
}

}  // namespace tavi::ini
