#pragma once

#include <QDialog>

namespace tavi::frame {

// Properties of an entry's file: name, folder, type, size, dates and permissions.
class FilePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    explicit FilePropertiesDialog(const QString& path, QWidget* parent = nullptr);
};

}  // namespace tavi::frame
