#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>

namespace tavi::test {

// One subkey of the machine hive's "Languages" key; an empty field is left out.
struct LanguageKey {
    QString subKey;
    QString lcid;  // hexadecimal, as the hive file writes a DWORD
    QString isoCode;
    QString name;
    QString resourceFile;
};

// The German translation the build made (TAVI_GERMAN_QM is set by the build).
inline QString GermanTranslationFile() {
    return QStringLiteral(TAVI_GERMAN_QM);
}

inline LanguageKey GermanLanguage() {
    return {QStringLiteral("German"), QStringLiteral("00000407"), QStringLiteral("de"),
            QStringLiteral("Deutsch"), GermanTranslationFile()};
}

// A machine hive file registering the languages.
inline QByteArray LanguagesHive(std::initializer_list<LanguageKey> languages) {
    QString text = QStringLiteral("Windows Registry Editor Version 5.00\n\n");
    for (const LanguageKey& language : languages) {
        text += QStringLiteral("[HKEY_LOCAL_MACHINE\\Software\\Kestrova\\Tavi\\Languages\\%1]\n")
                    .arg(language.subKey);
        const auto add = [&text](const char* name, const QString& value, bool dword) {
            if (!value.isNull()) {
                text += dword ? QStringLiteral("\"%1\"=dword:%2\n").arg(QLatin1String(name), value)
                              : QStringLiteral("\"%1\"=\"%2\"\n").arg(QLatin1String(name), value);
            }
        };
        add("LCID", language.lcid, true);
        add("IsoCode", language.isoCode, false);
        add("Name", language.name, false);
        add("ResourceFile", language.resourceFile, false);
        text += QLatin1Char('\n');
    }
    return text.toUtf8();
}

}  // namespace tavi::test
