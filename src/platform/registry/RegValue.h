#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace tavi::reg {

// The value types a hive stores, numbered as the Windows registry numbers them so that
// exported files round-trip ("hex(2):" is REG_EXPAND_SZ, and so on).
enum class ValueType : uint32_t {
    None = 0,
    Sz = 1,
    ExpandSz = 2,
    Binary = 3,
    DWord = 4,
    DWordBigEndian = 5,
    Link = 6,
    MultiSz = 7,
    QWord = 11,
};

// One registry value: its type and its raw data exactly as the registry keeps it (strings
// as UTF-16LE with a terminating zero unit, numbers little-endian). Types we do not
// interpret are carried unchanged.
struct RegValue {
    ValueType type = ValueType::None;
    QByteArray data;

    static RegValue fromString(const QString& text, ValueType type = ValueType::Sz);
    static RegValue fromDWord(uint32_t number);
    static RegValue fromBinary(const QByteArray& bytes);
    static RegValue fromMultiString(const QStringList& items);

    bool isStringType() const { return type == ValueType::Sz || type == ValueType::ExpandSz; }
    // The text of a string value, up to its first zero unit; nullopt for other types.
    std::optional<QString> toString() const;
    // A DWORD's number; nullopt unless the type is REG_DWORD with exactly four bytes.
    std::optional<uint32_t> toDWord() const;
    std::optional<QStringList> toMultiString() const;

    bool operator==(const RegValue&) const = default;
};

}  // namespace tavi::reg
