#pragma once

#include <QString>

namespace tavi::frame {

// The tray shows at most 63 characters: a text of 64 or more is cut to its first 60
// followed by "...".
inline QString CutTrayTooltip(const QString& text) {
    constexpr qsizetype kLimit = 64;
    constexpr qsizetype kKept = 60;
    return text.size() >= kLimit ? text.left(kKept) + QStringLiteral("...") : text;
}

}  // namespace tavi::frame
