#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tavi::formats::IniListKeys {

// The names of the PLS layout, shared by PLS and rotation files.
inline QString Section() {
    return QStringLiteral("playlist");
}
inline QString Count() {
    return QStringLiteral("NumberOfEntries");
}
inline QString NextIndex() {
    return QStringLiteral("NextIndex");
}
inline QString Shuffle() {
    return QStringLiteral("Shuffle");
}
inline QString File(int number) {
    return QStringLiteral("File%1").arg(number);
}

// The numbers n of the keys "File<n>" present, 1 <= n <= limit, ascending; a number is only
// counted in its plain form ("File7", not "File07"), as that is the key readers ask for.
QList<int> FileNumbers(const QStringList& keyNames, int limit);

}  // namespace tavi::formats::IniListKeys
