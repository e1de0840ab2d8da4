#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <functional>
#include <optional>

namespace tavi::playlist {

// The playlist as the undo history keeps it (little-endian): entry count (int32), selected
// index (int32, -1 for none), then each entry as a counted string: FF FE FF (16-bit
// characters follow), the length in characters (one byte below 255; else FF and a 16-bit
// length below 65534; else FF FF FF and a 32-bit length), the UTF-16LE characters.
// A reader also takes counted strings without the FF FE FF prefix, whose characters are
// single bytes in the locale's 8-bit encoding.
struct DocumentSnapshot {
    QStringList entries;
    int selection = -1;

    using EntryAt = std::function<const QString&(qsizetype index)>;
    static QByteArray write(qsizetype count, int selection, const EntryAt& entryAt);
    static QByteArray write(const QStringList& entries, int selection);
    // nullopt when the bytes are cut short or counts are impossible; bytes after the last
    // entry are ignored.
    static std::optional<DocumentSnapshot> read(QByteArrayView bytes);
};

}  // namespace tavi::playlist
