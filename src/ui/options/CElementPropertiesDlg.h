#pragma once

#include "platform/gst/GstSupport.h"

#include <QDialog>

namespace tavi::ui {

// A generic property editor for one effect element: a row per setting the element lets
// the user change. Every change goes to the element at once, so on a playing track the
// sound changes while the user edits. Each editor is named after its property.
class CElementPropertiesDlg : public QDialog {
    Q_OBJECT
public:
    CElementPropertiesDlg(GstElement* element, const QString& caption, QWidget* parent = nullptr);

    // The properties shown: readable, writable after construction, not the element's
    // identity (name, parent).
    static bool IsEditable(const GParamSpec* spec);

private:
    gst::ElementPtr m_element;
};

}  // namespace tavi::ui
