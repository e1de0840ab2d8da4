#include "RegFileFormat.h"

#include <QStringDecoder>

namespace tavi::reg {

namespace {

const QString kHeader5 = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kHeader4 = QStringLiteral("REGEDIT4");
constexpr qsizetype kHexLineWidth = 77;  // regedit wraps hex lists before 80 columns

struct ValueLine {
    QString name;
    bool remove = false;
    RegValue value;
};

// Reads a quoted string starting at text[pos] == '"'; pos ends after the closing quote.
bool readQuoted(const QString& text, qsizetype& pos, QString& out) {
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char('"')) {
            ++pos;
            return true;
        }
        if (c == QLatin1Char('\\') && pos + 1 < text.size()) {
            out.append(text.at(++pos));
        } else {
            out.append(c);
        }
    }
    return false;
}

bool parseHexBytes(QStringView list, QByteArray& out) {
    out.clear();
    if (list.trimmed().isEmpty()) {
        return true;
    }
    for (QStringView item : list.split(QLatin1Char(','))) {
        bool ok = false;
        const uint byte = item.trimmed().toUInt(&ok, 16);
        if (!ok || byte > 0xff) {
            return false;
        }
        out.append(static_cast<char>(byte));
    }
    return true;
}

bool parseData(QStringView data, RegValue& value) {
    if (data.startsWith(QLatin1Char('"'))) {
        QString text;
        qsizetype pos = 0;
        const QString copy = data.toString();
        if (!readQuoted(copy, pos, text) || !copy.mid(pos).trimmed().isEmpty()) {
            return false;
        }
        value = RegValue::fromString(text);
        return true;
    }
    if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QStringView digits = data.mid(6).trimmed();
        bool ok = false;
        const uint number = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8) {
            return false;
        }
        value = RegValue::fromDWord(number);
        return true;
    }
    if (data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive)) {
        uint type = static_cast<uint>(ValueType::Binary);
        const qsizetype colon = data.indexOf(QLatin1Char(':'));
        if (colon < 0) {
            return false;
        }
        const QStringView tag = data.mid(3, colon - 3);
        if (!tag.isEmpty()) {
            if (!tag.startsWith(QLatin1Char('(')) || !tag.endsWith(QLatin1Char(')'))) {
                return false;
            }
            bool ok = false;
            type = tag.mid(1, tag.size() - 2).toUInt(&ok, 16);
            if (!ok) {
                return false;
            }
        }
        value.type = static_cast<ValueType>(type);
        return parseHexBytes(data.mid(colon + 1), value.data);
    }
    return false;
}

bool parseValueLine(const QString& line, ValueLine& out) {
    qsizetype pos = 0;
    if (line.startsWith(QLatin1Char('@'))) {
        out.name.clear();
        pos = 1;
    } else if (!line.startsWith(QLatin1Char('"')) || !readQuoted(line, pos, out.name)) {
        return false;
    }
    while (pos < line.size() && line.at(pos).isSpace()) {
        ++pos;
    }
    if (pos >= line.size() || line.at(pos) != QLatin1Char('=')) {
        return false;
    }
    const QStringView data = QStringView(line).mid(pos + 1).trimmed();
    out.remove = data == QLatin1String("-");
    return out.remove || parseData(data, out.value);
}

// Joins hex lists continued with a trailing backslash into one logical line.
QStringList logicalLines(const QString& text) {
    QStringList physical = text.split(QLatin1Char('\n'));
    QStringList lines;
    for (qsizetype i = 0; i < physical.size(); ++i) {
        QString line = physical[i];
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        while (line.endsWith(QLatin1Char('\\')) &&
               line.contains(QLatin1String("=hex"), Qt::CaseInsensitive) &&
               i + 1 < physical.size()) {
            line.chop(1);
            QString next = physical[++i];
            if (next.endsWith(QLatin1Char('\r'))) {
                next.chop(1);
            }
            line += next.trimmed();
            lines.append(QString());  // keep line numbers of later lines right
        }
        lines.append(line);
    }
    return lines;
}

void appendEscaped(QByteArray& out, const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    out += '"';
    out += escaped.toUtf8();
    out += '"';
}

// A string value can be written as "text" when it is exactly text plus one zero unit.
bool isPlainString(const RegValue& value) {
    if (value.type != ValueType::Sz || value.data.size() < 2 || value.data.size() % 2 != 0) {
        return false;
    }
    const QString text = *value.toString();
    if ((text.size() + 1) * 2 != value.data.size()) {
        return false;
    }
    for (const QChar c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c.isSurrogate()) {
            return false;
        }
    }
    return true;
}

void appendHex(QByteArray& out, const RegValue& value, qsizetype column) {
    if (value.type == ValueType::Binary) {
        out += "hex:";
        column += 4;
    } else {
        const QByteArray tag =
            "hex(" + QByteArray::number(static_cast<uint>(value.type), 16) + "):";
        out += tag;
        column += tag.size();
    }
    for (qsizetype i = 0; i < value.data.size(); ++i) {
        out += QByteArray::number(static_cast<uchar>(value.data[i]), 16).rightJustified(2, '0');
        column += 2;
        if (i + 1 < value.data.size()) {
            out += ',';
            ++column;
            if (column >= kHexLineWidth) {
                out += "\\\n  ";
                column = 2;
            }
        }
    }
}

void appendValue(QByteArray& out, const QString& name, const RegValue& value) {
    const qsizetype lineStart = out.size();
    if (name.isEmpty()) {
        out += '@';
    } else {
        appendEscaped(out, name);
    }
    out += '=';
    if (isPlainString(value)) {
        appendEscaped(out, *value.toString());
    } else if (value.type == ValueType::DWord && value.data.size() == 4) {
        out += "dword:" + QByteArray::number(*value.toDWord(), 16).rightJustified(8, '0');
    } else {
        appendHex(out, value, out.size() - lineStart);
    }
    out += '\n';
}

void appendKey(QByteArray& out, const RegKeyNode& node, const QString& path, bool isRoot) {
    if (!isRoot || !node.values().empty()) {
        out += '[' + path.toUtf8() + "]\n";
        for (const auto& [name, value] : node.values()) {
            appendValue(out, name, value);
        }
        out += '\n';
    }
    for (const auto& [folded, child] : node.children()) {
        appendKey(out, *child, path + QLatin1Char('\\') + child->name(), false);
    }
}

}  // namespace

QString RegFileFormat::decode(const QByteArray& bytes) {
    if (bytes.startsWith("\xff\xfe")) {
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xfe\xff")) {
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes.mid(2));
    }
    if (bytes.startsWith("\xef\xbb\xbf")) {
        return QString::fromUtf8(bytes.mid(3));
    }
    return QString::fromUtf8(bytes);
}

RegFileFormat::ParseResult RegFileFormat::parse(const QByteArray& bytes, const QString& rootName,
                                                RegKeyNode& root) {
    const QStringList lines = logicalLines(decode(bytes));
    ParseResult result;
    bool headerSeen = false;
    RegKeyNode* current = nullptr;  // nullptr: the section belongs to another root
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        auto fail = [&](const QString& why) {
            result = ParseResult{false, static_cast<int>(i + 1), why};
            return result;
        };
        if (!headerSeen) {
            if (line != kHeader5 && line != kHeader4) {
                return fail(QStringLiteral("not an exported registry file"));
            }
            headerSeen = true;
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']'))) {
                return fail(QStringLiteral("unterminated key name"));
            }
            const bool remove = line.startsWith(QLatin1String("[-"));
            QStringList parts =
                RegKeyNode::splitPath(line.mid(remove ? 2 : 1, line.size() - (remove ? 3 : 2)));
            current = nullptr;
            if (parts.isEmpty() || parts.first().compare(rootName, Qt::CaseInsensitive) != 0) {
                continue;
            }
            parts.removeFirst();
            const QString path = parts.join(QLatin1Char('\\'));
            if (remove) {
                RegKeyNode* parent =
                    parts.isEmpty()
                        ? nullptr
                        : root.find(parts.mid(0, parts.size() - 1).join(QLatin1Char('\\')));
                if (parent) {
                    parent->removeChild(parts.last());
                }
            } else {
                current = root.findOrCreate(path);
            }
            continue;
        }
        ValueLine value;
        if (!parseValueLine(line, value)) {
            return fail(QStringLiteral("malformed value: %1").arg(line.left(80)));
        }
        if (!current) {
            continue;
        }
        if (value.remove) {
            current->removeValue(value.name);
        } else {
            current->setValue(value.name, std::move(value.value));
        }
    }
    if (!headerSeen) {
        result = ParseResult{false, 1, QStringLiteral("empty file")};
    }
    return result;
}

QByteArray RegFileFormat::serialize(const RegKeyNode& root, const QString& rootName) {
    QByteArray out = kHeader5.toUtf8() + "\n\n";
    appendKey(out, root, rootName, true);
    return out;
}

}  // namespace tavi::reg
