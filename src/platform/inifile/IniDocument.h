#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace tavi::ini {

// An initialisation file held in memory with the rules of the Windows profile functions:
// section and key names compare without regard to case, the first of duplicate keys wins,
// and every line the program does not change (comments, other sections and keys, odd
// lines) is written back as it was. Lines end with CR LF when written.
class IniDocument {
public:
    // The byte form a file had; a rewrite keeps it. New files are Ansi (the locale's text).
    enum class Encoding { Ansi, Utf8Bom, Utf16Le, Utf16Be };

    // Never fails: any bytes give some document.
    static IniDocument parse(QByteArrayView bytes);
    QByteArray serialize() const;

    // The value as the profile functions return it: blanks around it removed and one pair
    // of enclosing quotes taken off. nullopt when the section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Replaces the first line of the key or appends one at the end of the section, creating
    // the section at the end of the file when it is missing. Line breaks in the value
    // become blanks, so a value can never add lines of its own.
    void setValue(const QString& section, const QString& key, const QString& value);

    QStringList sectionNames() const;
    // The key names of a section as written, first occurrences only, in file order.
    QStringList keyNames(const QString& section) const;
    Encoding encoding() const { return m_encoding; }

private:
    struct Section {
        QString name;  // as written; empty for lines before any header
        bool hasHeader = false;
        QStringList lines;               // the lines after the header, verbatim
        QHash<QString, qsizetype> keys;  // folded key name -> index of its first line
    };

    static QString fold(const QString& name) { return name.toLower(); }
    static std::optional<QString> keyOfLine(const QString& line);
    Section& sectionFor(const QString& name);

    std::vector<Section> m_sections;
    QHash<QString, size_t> m_sectionIndex;  // folded name -> first section of that name
    Encoding m_encoding = Encoding::Ansi;
};

}  // namespace tavi::ini
