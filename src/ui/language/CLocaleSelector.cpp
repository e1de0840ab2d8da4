#include "CLocaleSelector.h"

#include "app/settings/AppKey.h"
#include "platform/registry/Registry.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tavi::ui {

namespace {

// The locale the program started in, given back when the built-in language is chosen again.
const QLocale& StartLocale() {
    static const QLocale start;
    return start;
}

std::optional<CLocaleInfo> ReadLanguage(const reg::RegKey& key, const QString& subKeyName) {
    const reg::RegKey entry = key.subKey(subKeyName);
    CLocaleInfo language;
    language.lcid = entry.dwordValue(QStringLiteral("LCID")).value_or(0);
    language.isoCode = entry.stringValue(QStringLiteral("IsoCode")).value_or(QString());
    language.name = entry.stringValue(QStringLiteral("Name")).value_or(QString());
    language.resourceFile = entry.stringValue(QStringLiteral("ResourceFile")).value_or(QString());
    if (language.lcid == 0 || language.isoCode.isEmpty() || language.resourceFile.isEmpty()) {
        return std::nullopt;
    }
    if (QTranslator probe; !probe.load(language.resourceFile)) {
        return std::nullopt;  // only proves that it loads
    }
    if (language.name.isEmpty()) {
        language.name = subKeyName;
    }
    return language;
}

}  // namespace

CLocaleSelector::CLocaleSelector() {
    StartLocale();
}

CLocaleSelector::~CLocaleSelector() {
    RemoveTranslators();
}

const CLocaleInfo& CLocaleSelector::BuiltIn() {
    static const CLocaleInfo english{1033, QStringLiteral("en"), QStringLiteral("English"), {}};
    return english;
}

void CLocaleSelector::LoadList() {
    m_list.clear();
    const reg::RegKey key = reg::Registry::instance().open(
        reg::Root::LocalMachine, settings::applicationKeyPath(QLatin1String(kLanguagesKey)));
    if (!key.isValid()) {
        FindActive();
        return;
    }
    for (const QString& name : key.subKeyNames()) {
        if (std::optional<CLocaleInfo> language = ReadLanguage(key, name)) {
            m_list.push_back(std::move(*language));
        }
    }
    FindActive();
}

void CLocaleSelector::FindActive() {
    if (m_activeLanguage.resourceFile.isEmpty()) {
        m_active = 0;
        return;
    }
    m_active = -1;
    for (size_t i = 0; i < m_list.size(); ++i) {
        if (m_list[i].isoCode == m_activeLanguage.isoCode &&
            m_list[i].resourceFile == m_activeLanguage.resourceFile) {
            m_active = static_cast<int>(i) + 1;
            return;
        }
    }
}

const CLocaleInfo& CLocaleSelector::At(int index) const {
    return index <= 0 || index > static_cast<int>(m_list.size()) ? BuiltIn() : m_list[index - 1];
}

QStringList CLocaleSelector::Names() const {
    QStringList names{BuiltIn().name};
    for (const CLocaleInfo& language : m_list) {
        names.append(language.name);
    }
    return names;
}

bool CLocaleSelector::SelectByCode(const QString& code) {
    if (code.compare(BuiltIn().isoCode, Qt::CaseInsensitive) == 0) {
        return Activate(0);
    }
    LoadList();
    for (size_t i = 0; i < m_list.size(); ++i) {
        if (code.compare(m_list[i].isoCode, Qt::CaseInsensitive) == 0) {
            return Activate(static_cast<int>(i) + 1);
        }
    }
    return true;  // no match: the built-in texts stay
}

QString CLocaleSelector::CodeForLocales(const QStringList& localeCodes) {
    LoadList();
    const auto same = [](QString a, QString b) {
        return a.replace(QLatin1Char('-'), QLatin1Char('_'))
                   .compare(b.replace(QLatin1Char('-'), QLatin1Char('_')), Qt::CaseInsensitive) ==
               0;
    };
    for (const QString& code : localeCodes) {
        if (same(code, BuiltIn().isoCode)) {
            return BuiltIn().isoCode;
        }
        for (const CLocaleInfo& language : m_list) {
            if (same(code, language.isoCode)) {
                return language.isoCode;
            }
        }
    }
    return BuiltIn().isoCode;
}

bool CLocaleSelector::Activate(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    if (!Install(At(index))) {
        return false;
    }
    m_active = index;
    m_activeLanguage = At(index);
    return true;
}

bool CLocaleSelector::Install(const CLocaleInfo& language) {
    if (language.resourceFile.isEmpty()) {
        RemoveTranslators();
        QLocale::setDefault(StartLocale());
    } else {
        auto program = std::make_unique<QTranslator>();
        if (!program->load(language.resourceFile)) {
            return false;
        }
        // Qt's own texts (standard buttons, file dialogs); without them Qt stays English.
        auto qt = std::make_unique<QTranslator>();
        const bool qtLoaded =
            qt->load(QLocale(language.isoCode), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        RemoveTranslators();
        QLocale::setDefault(QLocale(language.isoCode));
        m_program = std::move(program);
        QCoreApplication::installTranslator(m_program.get());
        if (qtLoaded) {
            m_qt = std::move(qt);
            QCoreApplication::installTranslator(m_qt.get());
        }
    }
    // Windows retranslate on the language change now, not on a later turn of the loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    return true;
}

void CLocaleSelector::RemoveTranslators() {
    if (m_qt) {
        QCoreApplication::removeTranslator(m_qt.get());
        m_qt.reset();
    }
    if (m_program) {
        QCoreApplication::removeTranslator(m_program.get());
        m_program.reset();
    }
}

}  // namespace tavi::ui
