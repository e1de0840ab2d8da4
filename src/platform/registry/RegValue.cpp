#include "RegValue.h"

#include <QtEndian>

namespace tavi::reg {

namespace {

QByteArray utf16WithTerminator(const QString& text) {
    QByteArray bytes;
    bytes.resize((text.size() + 1) * 2);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        qToLittleEndian<quint16>(text.at(i).unicode(), out + 2 * i);
    }
    qToLittleEndian<quint16>(0, out + 2 * text.size());
    return bytes;
}

QString utf16Units(const QByteArray& bytes, qsizetype firstUnit, qsizetype unitCount) {
    QString text(unitCount, Qt::Uninitialized);
    const char* in = bytes.constData() + 2 * firstUnit;
    for (qsizetype i = 0; i < unitCount; ++i) {
        text[i] = QChar(qFromLittleEndian<quint16>(in + 2 * i));
    }
    return text;
}

qsizetype unitAt(const QByteArray& bytes, qsizetype unit) {
    return qFromLittleEndian<quint16>(bytes.constData() + 2 * unit);
}

}  // namespace

RegValue RegValue::fromString(const QString& text, ValueType type) {
    return RegValue{type, utf16WithTerminator(text)};
}

RegValue RegValue::fromDWord(uint32_t number) {
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian<quint32>(number, bytes.data());
    return RegValue{ValueType::DWord, bytes};
}

RegValue RegValue::fromBinary(const QByteArray& bytes) {
    return RegValue{ValueType::Binary, bytes};
}

RegValue RegValue::fromMultiString(const QStringList& items) {
    QByteArray bytes;
    for (const QString& item : items) {
        bytes += utf16WithTerminator(item);
    }
    bytes += QByteArray(2, '\0');
    return RegValue{ValueType::MultiSz, bytes};
}

std::optional<QString> RegValue::toString() const {
    if (!isStringType()) {
        return std::nullopt;
    }
    const qsizetype units = data.size() / 2;
    qsizetype length = 0;
    while (length < units && unitAt(data, length) != 0) {
        ++length;
    }
    return utf16Units(data, 0, length);
}

std::optional<uint32_t> RegValue::toDWord() const {
    if (type != ValueType::DWord || data.size() != 4) {
        return std::nullopt;
    }
    return qFromLittleEndian<quint32>(data.constData());
}

std::optional<QStringList> RegValue::toMultiString() const {
    if (type != ValueType::MultiSz) {
        return std::nullopt;
    }
    QStringList items;
    const qsizetype units = data.size() / 2;
    qsizetype start = 0;
    for (qsizetype i = 0; i < units; ++i) {
        if (unitAt(data, i) != 0) {
            continue;
        }
        if (i == start) {
            break;  // the empty string that closes the list
        }
        items.append(utf16Units(data, start, i - start));
        start = i + 1;
    }
    return items;
}

}  // namespace tavi::reg
