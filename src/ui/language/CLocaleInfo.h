#pragma once

#include <QString>

#include <cstdint>

namespace tavi::ui {

// One display language: the built-in English or a registered translation module.
struct CLocaleInfo {
    uint32_t lcid = 0;     // the Windows locale id the registration carries; low 16 bits: language
    QString isoCode;       // the key the choice is stored by ("en" for the built-in language)
    QString name;          // the menu text (without the "&")
    QString resourceFile;  // the translation (.qm) file; empty for the built-in language
};

}  // namespace tavi::ui
