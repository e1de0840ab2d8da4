#pragma once

#include "IniDocument.h"

#include <QString>

namespace tavi::ini {

// One initialisation file and a current section, with the reading rules of the Windows
// profile functions: values are read through a 1,023-character buffer (so at most 1,022
// characters come back), integers are decimal (a leading "0x" reads hexadecimal, reading
// stops at the first other character, a value without digits reads 0), and a missing file
// or section reads as empty. Writes change the file held in memory; Flush() replaces the
// file on disk at once (temporary file and rename), so a failed write keeps the old file.
class IniFile {
public:
    enum class Start {
        Load,   // work on the file as it is (a missing file is empty)
        Empty,  // ignore what is there: Flush() replaces the whole file
    };

    static constexpr int kReadBufferChars = 1023;

    explicit IniFile(QString path, Start start = Start::Load);

    const QString& path() const { return m_path; }
    const QString& section() const { return m_section; }
    void SelectSection(const QString& section) { m_section = section; }

    int ReadInt(const QString& key, int defaultValue) const;
    QString ReadString(const QString& key, const QString& defaultValue = {}) const;
    // The key names of the current section, in file order.
    QStringList KeyNames() const { return m_document.keyNames(m_section); }
    void WriteString(const QString& key, const QString& value);
    // The value formatted with "%d".
    void WriteInt(const QString& key, int value);

    bool isModified() const { return m_modified; }
    // Writes the file when it was changed. Throws CFileException when it cannot be written,
    // and also when the existing file could not be read, so that an unreadable file is never
    // replaced by the few keys written since.
    void Flush();

    // How a profile integer reads; exposed for tests.
    static int ParseInt(const QString& text, int defaultValue);

private:
    QString m_path;
    QString m_section = QStringLiteral("Default");
    IniDocument m_document;
    int m_readError = 0;  // errno of a failed read other than a missing file
    bool m_modified = false;
};

}  // namespace tavi::ini
