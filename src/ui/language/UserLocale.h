#pragma once

#include <QStringList>

namespace tavi::ui {

// The user's message locales in the order gettext takes them: each entry of LANGUAGE
// (a colon list), then LC_ALL, LC_MESSAGES and LANG; "C" and "POSIX" name none. Each
// locale gives its full name without encoding and modifier ("de_AT"), then its language
// ("de").
QStringList UserLocaleCodes();
QStringList LocaleCodesOf(const QString& language, const QString& lcAll, const QString& lcMessages,
                          const QString& lang);

}  // namespace tavi::ui
