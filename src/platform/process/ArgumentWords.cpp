#include "ArgumentWords.h"

namespace tavi::process {

namespace {

// One word from position i on; i ends after it. False when a quote is left open.
bool ReadWord(const QString& text, qsizetype& i, QString* word) {
    while (i < text.size() && !text[i].isSpace()) {
        const QChar c = text[i++];
        if (c == QLatin1Char('\'')) {
            const qsizetype end = text.indexOf(QLatin1Char('\''), i);
            if (end < 0) {
                return false;
            }
            *word += text.mid(i, end - i);
            i = end + 1;
        } else if (c == QLatin1Char('"')) {
            for (;; ++i) {
                if (i >= text.size()) {
                    return false;
                }
                if (text[i] == QLatin1Char('"')) {
                    ++i;
                    break;
                }
                if (text[i] == QLatin1Char('\\') && i + 1 < text.size() &&
                    QStringLiteral("\"\\$").contains(text[i + 1])) {
                    ++i;
                }
                *word += text[i];
            }
        } else if (c == QLatin1Char('\\') && i < text.size()) {
            *word += text[i++];
        } else {
            *word += c;
        }
    }
    return true;
}

}  // namespace

std::optional<QStringList> SplitArguments(const QString& parameters) {
    QStringList words;
    qsizetype i = 0;
    while (true) {
        while (i < parameters.size() && parameters[i].isSpace()) {
            ++i;
        }
        if (i >= parameters.size()) {
            return words;
        }
        QString word;
        if (!ReadWord(parameters, i, &word)) {
            return std::nullopt;
        }
        words.append(word);
    }
}

}  // namespace tavi::process
