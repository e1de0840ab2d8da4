#pragma once

#include <QString>

#include <vector>

class QWidget;

namespace tavi::automation {

// One key stroke to post: the Qt key and the text it types (empty for keys that type none).
struct KeyStroke {
    int key = 0;
    QString text;
    bool operator==(const KeyStroke&) const = default;
};

// Reads a SendKeys string. A plain character is a key stroke of its own; "{NAME}" names one
// key (ENTER, TAB, ESC, BACKSPACE, DEL, INS, HOME, END, PGUP, PGDN, UP, DOWN, LEFT, RIGHT,
// F1-F12, and "{" or "}" themselves, case-insensitive). A "}" right after "{" belongs to
// the name, so "{}}" is the closing brace. A group that is never closed ends the string:
// the keys before it are kept. An unknown name is skipped.
std::vector<KeyStroke> ParseKeys(const QString& keys);

// Posts a press and a release for each stroke to the window; nothing without a window.
void PostKeys(QWidget* window, const std::vector<KeyStroke>& strokes);

}  // namespace tavi::automation
