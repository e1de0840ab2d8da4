#pragma once

#include "CLocaleInfo.h"

#include <QStringList>

#include <memory>
#include <vector>

class QTranslator;

namespace tavi::ui {

// The display languages: the built-in English at index 0 and the languages registered in
// the process's machine hive under the application's "Languages" key (indices 1..n in the order the
// hive lists them). A registered language is usable when its translation file loads.
// Activating one installs its translations (and Qt's own for its code) in the application,
// so every text translated afterwards comes in that language. UI thread only.
class CLocaleSelector {
public:
    static constexpr const char* kLanguagesKey = "Languages";

    CLocaleSelector();
    virtual ~CLocaleSelector();
    CLocaleSelector(const CLocaleSelector&) = delete;
    CLocaleSelector& operator=(const CLocaleSelector&) = delete;

    static const CLocaleInfo& BuiltIn();

    // Reads the registered languages anew; those that are not usable are skipped.
    void LoadList();
    // Activates the language whose IsoCode equals code, ignoring case; a code that matches
    // none leaves the active language as it is. Fails only when the match does not load.
    bool SelectByCode(const QString& code);
    // Activates the language at index; false (and nothing changed) when its file does not
    // load or the index is out of range.
    bool Activate(int index);
    // A first start's choice: the IsoCode of the first registered language that one of the
    // user's locale codes ("de_AT", "de") names, else the built-in "en".
    QString CodeForLocales(const QStringList& localeCodes);

    // The active language's place in the list as last loaded: a reload finds it again by
    // its code and file, so languages registered meanwhile do not move the check; -1 when
    // it is no longer registered (it stays active until another is chosen).
    int ActiveIndex() const { return m_active; }
    const CLocaleInfo& ActiveLanguage() const { return m_activeLanguage; }
    // The built-in language and the list as last loaded.
    int Count() const { return 1 + static_cast<int>(m_list.size()); }
    const CLocaleInfo& At(int index) const;
    QStringList Names() const;

private:
    bool Install(const CLocaleInfo& language);
    void FindActive();
    void RemoveTranslators();

    std::vector<CLocaleInfo> m_list;
    int m_active = 0;
    CLocaleInfo m_activeLanguage = BuiltIn();
    // The installed translators of the active language: the program's and Qt's own.
    std::unique_ptr<QTranslator> m_program;
    std::unique_ptr<QTranslator> m_qt;
};

}  // namespace tavi::ui
