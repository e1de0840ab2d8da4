#include "SendKeys.h"

#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QWidget>

namespace tavi::automation {

namespace {

const QHash<QString, KeyStroke>& NamedKeys() {
    static const QHash<QString, KeyStroke> keys = [] {
        QHash<QString, KeyStroke> table{
            {QStringLiteral("ENTER"), {Qt::Key_Return, QStringLiteral("\r")}},
            {QStringLiteral("TAB"), {Qt::Key_Tab, QStringLiteral("\t")}},
            {QStringLiteral("ESC"), {Qt::Key_Escape, {}}},
            {QStringLiteral("BACKSPACE"), {Qt::Key_Backspace, {}}},
            {QStringLiteral("DEL"), {Qt::Key_Delete, {}}},
            {QStringLiteral("INS"), {Qt::Key_Insert, {}}},
            {QStringLiteral("HOME"), {Qt::Key_Home, {}}},
            {QStringLiteral("END"), {Qt::Key_End, {}}},
            {QStringLiteral("PGUP"), {Qt::Key_PageUp, {}}},
            {QStringLiteral("PGDN"), {Qt::Key_PageDown, {}}},
            {QStringLiteral("UP"), {Qt::Key_Up, {}}},
            {QStringLiteral("DOWN"), {Qt::Key_Down, {}}},
            {QStringLiteral("LEFT"), {Qt::Key_Left, {}}},
            {QStringLiteral("RIGHT"), {Qt::Key_Right, {}}},
            {QStringLiteral("{"), {Qt::Key_BraceLeft, QStringLiteral("{")}},
            {QStringLiteral("}"), {Qt::Key_BraceRight, QStringLiteral("}")}},
        };
        for (int n = 1; n <= 12; ++n) {
            table.insert(QStringLiteral("F%1").arg(n), {Qt::Key_F1 + n - 1, {}});
        }
        return table;
    }();
    return keys;
}

KeyStroke PlainKey(QChar character) {
    // Letters post their upper-case key as a keyboard would; other characters their code.
    const QChar upper = character.toUpper();
    return {int(upper.unicode()), QString(character)};
}

}  // namespace

std::vector<KeyStroke> ParseKeys(const QString& keys) {
    std::vector<KeyStroke> strokes;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] != QLatin1Char('{')) {
            strokes.push_back(PlainKey(keys[i]));
            continue;
        }
        const qsizetype nameStart = i + 1;
        // A "}" directly after the "{" is the name itself, so the search starts past it.
        const qsizetype end = keys.indexOf(QLatin1Char('}'), nameStart + 1);
        if (end < 0) {
            break;
        }
        const QString name = keys.mid(nameStart, end - nameStart).toUpper();
        const auto found = NamedKeys().constFind(name);
        if (found != NamedKeys().constEnd()) {
            strokes.push_back(*found);
        }
        i = end;
    }
    return strokes;
}

void PostKeys(QWidget* window, const std::vector<KeyStroke>& strokes) {
    if (!window) {
        return;
    }
    for (const KeyStroke& stroke : strokes) {
        QCoreApplication::postEvent(
            window, new QKeyEvent(QEvent::KeyPress, stroke.key, Qt::NoModifier, stroke.text));
        QCoreApplication::postEvent(
            window, new QKeyEvent(QEvent::KeyRelease, stroke.key, Qt::NoModifier, stroke.text));
    }
}

}  // namespace tavi::automation
