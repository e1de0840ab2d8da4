#pragma once

#include <QString>
#include <QWidget>

namespace tavi::ui {

// One page of the options sheet. The sheet asks every page to validate before any page
// applies, so a refused value leaves all settings as they were.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Empty when the page's values can be stored; otherwise the message to show, with the
    // offending control focused. The page stays open.
    virtual QString validate() = 0;
    // Stores the page's values into the program's settings.
    virtual void apply() = 0;
};

}  // namespace tavi::ui
