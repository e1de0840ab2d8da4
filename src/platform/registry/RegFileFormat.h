#pragma once

#include "RegKeyNode.h"

#include <QByteArray>
#include <QString>

namespace tavi::reg {

// Reads and writes the text format of exported registry files ("Windows Registry Editor
// Version 5.00"), so that a hive can be edited by hand or imported from a Windows export.
class RegFileFormat {
public:
    struct ParseResult {
        bool ok = true;
        int line = 0;  // 1-based line of the first error
        QString error;
    };

    // Decodes the bytes (UTF-16LE or UTF-16BE with a mark, UTF-8 with or without one) and
    // applies every section rooted at rootName (e.g. "HKEY_CURRENT_USER") to root.
    // Sections of other roots are skipped. On error root holds what was read before it.
    static ParseResult parse(const QByteArray& bytes, const QString& rootName, RegKeyNode& root);

    // The UTF-8 text of the whole tree below root, every key as "[rootName\path]".
    static QByteArray serialize(const RegKeyNode& root, const QString& rootName);

    static QString decode(const QByteArray& bytes);
};

}  // namespace tavi::reg
