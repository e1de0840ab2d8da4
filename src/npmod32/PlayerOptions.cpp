#include "PlayerOptions.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace npmod {

namespace {

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + '|') {
        if (c == '|') {
            words.push_back(word);
            word.clear();
        } else {
            word += char(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return words;
}

}  // namespace

PlayerOptions PlayerOptions::Parse(const std::string& parameters) {
    PlayerOptions options;
    const std::vector<std::string> words = Words(parameters);
    for (size_t i = 0; i < words.size(); ++i) {
        bool value = true;
        if (i + 1 < words.size() && (words[i + 1] == "true" || words[i + 1] == "false")) {
            value = words[i + 1] == "true";
        }
        if (words[i] == "controls") {
            options.controls = value;
        } else if (words[i] == "spectrum") {
            options.spectrum = value;
        } else if (words[i] == "autostart") {
            options.autostart = value;
        }
    }
    return options;
}

}  // namespace npmod
