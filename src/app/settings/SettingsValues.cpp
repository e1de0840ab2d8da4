#include "SettingsValues.h"

#include <QtEndian>

#include <cstdio>

namespace tavi::settings {

using reg::RegValue;
using reg::ValueType;

bool readFlag(const reg::RegKey& key, const QString& name, bool fallback) {
    const auto value = key.value(name);
    if (!value || value->type != ValueType::Binary || value->data.size() != 4) {
        return fallback;
    }
    return qFromLittleEndian<quint32>(value->data.constData()) != 0;
}

uint32_t readNumber(const reg::RegKey& key, const QString& name, uint32_t fallback) {
    return key.dwordValue(name).value_or(fallback);
}

QString readString(const reg::RegKey& key, const QString& name, const QString& fallback) {
    const auto value = key.value(name);
    if (!value || !value->isStringType()) {
        return fallback;
    }
    return *value->toString();
}

std::optional<WinRect> scanRect(const QString& text) {
    WinRect rect;
    const QByteArray bytes = text.toUtf8();
    if (std::sscanf(bytes.constData(), "%d,%d,%d,%d", &rect.left, &rect.top, &rect.right,
                    &rect.bottom) != 4) {
        return std::nullopt;
    }
    return rect;
}

QString formatRect(const WinRect& rect) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(rect.left)
        .arg(rect.top)
        .arg(rect.right)
        .arg(rect.bottom);
}

std::optional<WindowPlacement> scanPlacement(const QString& text) {
    WindowPlacement p;
    const QByteArray bytes = text.toUtf8();
    if (std::sscanf(bytes.constData(), "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", &p.flags, &p.showCmd,
                    &p.minX, &p.minY, &p.maxX, &p.maxY, &p.normal.left, &p.normal.top,
                    &p.normal.right, &p.normal.bottom) != 10) {
        return std::nullopt;
    }
    return p;
}

QString formatPlacement(const WindowPlacement& p) {
    return QStringLiteral("%1,%2,%3,%4,%5,%6,")
               .arg(p.flags)
               .arg(p.showCmd)
               .arg(p.minX)
               .arg(p.minY)
               .arg(p.maxX)
               .arg(p.maxY) +
           formatRect(p.normal);
}

WinRect readRect(const reg::RegKey& key, const QString& name, const WinRect& fallback) {
    const auto text = key.stringValue(name);
    if (!text) {
        return fallback;
    }
    return scanRect(*text).value_or(fallback);
}

std::optional<WindowPlacement> readPlacement(const reg::RegKey& key, const QString& name) {
    const auto text = key.stringValue(name);
    return text ? scanPlacement(*text) : std::nullopt;
}

void writeFlag(reg::RegKey& key, const QString& name, bool value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian<quint32>(value ? 1 : 0, bytes.data());
    key.setValue(name, RegValue::fromBinary(bytes));
}

void writeNumber(reg::RegKey& key, const QString& name, uint32_t value) {
    key.setDWord(name, value);
}

void writeString(reg::RegKey& key, const QString& name, const QString& value) {
    key.setString(name, value);
}

void writeRect(reg::RegKey& key, const QString& name, const WinRect& rect) {
    key.setString(name, formatRect(rect));
}

void writePlacement(reg::RegKey& key, const QString& name, const WindowPlacement& placement) {
    key.setString(name, formatPlacement(placement));
}

}  // namespace tavi::settings
