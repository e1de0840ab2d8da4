#pragma once

#include <QDialog>

namespace tavi::automation {

class DispatchObject;

// The property pages of a dispatch object: each property that reads without arguments,
// shown by name with its current value (objects by their type name). Read-only: changes
// go through the object's own members.
class PropertyPagesDialog : public QDialog {
    Q_OBJECT
public:
    PropertyPagesDialog(const QString& caption, DispatchObject* object, QWidget* parent = nullptr);

    // The rows shown, as "Name: value".
    QStringList Rows() const { return m_rows; }

private:
    QStringList m_rows;
};

// A page shown from a URL: local files and resources are displayed, other schemes are named
// but not fetched.
class HtmlPageDialog : public QDialog {
    Q_OBJECT
public:
    explicit HtmlPageDialog(const QString& url, QWidget* parent = nullptr);
};

}  // namespace tavi::automation
