#pragma once

#include <QDialog>

class QTabWidget;

namespace tavi::frame {

// "About Tavi": the program with its version, the author, the credits and the libraries
// Tavi is built on.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    QTabWidget* pages() const { return m_pages; }

private:
    QTabWidget* m_pages;
};

}  // namespace tavi::frame
