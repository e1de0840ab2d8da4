#pragma once

#include <QWidget>

namespace tavi::ui {

// One page of the options sheet. A page copies the process-wide values into its controls
// when it is constructed and back when the user confirms (OK or Apply); it writes nothing
// to the registry.
class COptionsPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Checked for every page before any page applies; false with a message keeps the sheet
    // open on this page.
    virtual bool Validate(QString* message) {
        Q_UNUSED(message);
        return true;
    }
    // Copies the controls back into the values.
    virtual void Apply() = 0;
};

}  // namespace tavi::ui
