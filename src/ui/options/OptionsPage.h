#pragma once

#include "ui/optionsheet/COptionsPage.h"

#include <QString>

namespace tavi::ui {

// A page of the options sheet written as validate()/apply(): the sheet asks every page to
// validate before any page applies, so a refused value leaves all settings as they were.
class OptionsPage : public COptionsPage {
    Q_OBJECT
public:
    using COptionsPage::COptionsPage;

    // Empty when the page's values can be stored; otherwise the message to show, with the
    // offending control focused. The page stays open.
    virtual QString validate() = 0;
    // Stores the page's values into the program's settings.
    virtual void apply() = 0;

    bool Validate(QString* message) override {
        const QString refusal = validate();
        if (message) {
            *message = refusal;
        }
        return refusal.isEmpty();
    }
    void Apply() override { apply(); }
};

}  // namespace tavi::ui
