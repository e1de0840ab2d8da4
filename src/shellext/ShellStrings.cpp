#include "ShellStrings.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace tavi::shellext {

namespace {

// Marks the English texts for the player's translation files (lupdate takes it for
// QT_TRANSLATE_NOOP3), whose German must be this table's: one wording in both deliverables.
#define TAVIEXT_TEXT(context, text, id) text

struct Row {
    ShellStrings::Id id;
    const char* english;
    const char* german;
};

constexpr Row kTable[] = {
    {ShellStrings::kCaption, TAVIEXT_TEXT("TaviExt", "TaviExt", "100"), "TaviExt"},
    {ShellStrings::kPlayItem, TAVIEXT_TEXT("TaviExt", "Play with Tavi", "101"),
     "Mit Tavi abspielen"},
    {ShellStrings::kPlayHelp,
     TAVIEXT_TEXT("TaviExt", "Opens the selected files with Tavi media player", "102"),
     "\xC3\x96"
     "ffnet die ausgw\xC3\xA4hlten Dateien mit Tavi"},
    {ShellStrings::kLaunchFailed, TAVIEXT_TEXT("TaviExt", "Failed to launch Tavi", "103"),
     "Tavi konnte nicht gestartet werden"},
    {ShellStrings::kAddItem, TAVIEXT_TEXT("TaviExt", "Add to Tavi Playlist", "105"),
     "Zur Tavi-Playliste hinzuf\xC3\xBCgen"},
    {ShellStrings::kAddHelp,
     TAVIEXT_TEXT("TaviExt", "Adds the selected files to the Tavi playlist", "106"),
     "F\xC3\xBCgt die ausgew\xC3\xA4hlten Dateien zur Tavi-Playliste hinzu"},
};

// A locale name's language: "de_DE.UTF-8" and "de" are German, "en_GB" English, "C",
// "POSIX" and anything else have no table.
std::optional<ShellStrings::Language> TableFor(std::string_view locale) {
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    if (language == "de") {
        return ShellStrings::Language::German;
    }
    if (language == "en") {
        return ShellStrings::Language::English;
    }
    return std::nullopt;
}

bool IsSet(const char* value) {
    return value && *value;
}

}  // namespace

ShellStrings ShellStrings::ForEnvironment() {
    return ShellStrings(LanguageOf(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                   std::getenv("LC_MESSAGES"), std::getenv("LANG")));
}

ShellStrings::Language ShellStrings::LanguageOf(const char* language, const char* lcAll,
                                                const char* lcMessages, const char* lang) {
    // The locale of messages, as gettext takes it: LC_ALL over LC_MESSAGES over LANG.
    const char* locale = IsSet(lcAll) ? lcAll : IsSet(lcMessages) ? lcMessages : lang;
    const bool cLocale =
        !IsSet(locale) || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0;
    // LANGUAGE is a list of preferences, and gettext ignores it in the C locale.
    if (IsSet(language) && !cLocale) {
        std::string_view list(language);
        while (!list.empty()) {
            const size_t colon = list.find(':');
            if (const auto table = TableFor(list.substr(0, colon))) {
                return *table;
            }
            list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
        }
    }
    return IsSet(locale) ? TableFor(locale).value_or(Language::English) : Language::English;
}

std::string ShellStrings::Text(Id id) const {
    for (const Row& row : kTable) {
        if (row.id == id) {
            return m_language == Language::German ? row.german : row.english;
        }
    }
    return {};
}

}  // namespace tavi::shellext
