#pragma once

#include <string>

namespace tavi::shellext {

// The extension's string table, English and German, picked by the user's language. Plain
// C++ without Qt, so the Nautilus module can use it without bringing Qt into the file manager.
class ShellStrings {
public:
    enum Id {
        kCaption = 100,
        kPlayItem = 101,
        kPlayHelp = 102,
        kLaunchFailed = 103,
        kAddItem = 105,
        kAddHelp = 106,
    };
    enum class Language { English, German };

    explicit ShellStrings(Language language) : m_language(language) {}
    // The language of the messages from LANGUAGE (its first entry we have a table for), else
    // LC_ALL, LC_MESSAGES, LANG; English when none names German.
    static ShellStrings ForEnvironment();
    static Language LanguageOf(const char* language, const char* lcAll, const char* lcMessages,
                               const char* lang);

    Language language() const { return m_language; }
    // UTF-8; empty for an id without a string.
    std::string Text(Id id) const;

private:
    Language m_language;
};

}  // namespace tavi::shellext
