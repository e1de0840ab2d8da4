#include "UserLocale.h"

namespace tavi::ui {

namespace {

void AddLocale(QStringList& codes, const QString& locale) {
    const QString name = locale.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX")) {
        return;
    }
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    for (const QString& code : {name, language}) {
        if (!codes.contains(code, Qt::CaseInsensitive)) {
            codes.append(code);
        }
    }
}

}  // namespace

QStringList LocaleCodesOf(const QString& language, const QString& lcAll, const QString& lcMessages,
                          const QString& lang) {
    const QString locale = !lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang;
    QStringList codes;
    const QString base = locale.section(QLatin1Char('.'), 0, 0);
    // As in gettext, LANGUAGE counts only outside the C locale.
    if (!base.isEmpty() && base != QLatin1String("C") && base != QLatin1String("POSIX")) {
        for (const QString& entry : language.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
            AddLocale(codes, entry);
        }
    }
    AddLocale(codes, locale);
    return codes;
}

QStringList UserLocaleCodes() {
    return LocaleCodesOf(qEnvironmentVariable("LANGUAGE"), qEnvironmentVariable("LC_ALL"),
                         qEnvironmentVariable("LC_MESSAGES"), qEnvironmentVariable("LANG"));
}

}  // namespace tavi::ui
