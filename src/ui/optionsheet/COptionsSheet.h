#pragma once

#include <QDialog>

#include <vector>

class QStackedWidget;
class QTreeWidget;

namespace tavi::ui {

class COptionsPage;
class OptionsPageRegistry;

// The options sheet "Options": a tree of the registered pages with OK, Cancel and Apply.
class COptionsSheet : public QDialog {
    Q_OBJECT
public:
    explicit COptionsSheet(const OptionsPageRegistry& registry, QWidget* parent = nullptr);

    int PageCount() const { return int(m_pages.size()); }
    COptionsPage* Page(int index) const { return m_pages[std::size_t(index)]; }
    COptionsPage* PageByCaption(const QString& caption) const;
    QStringList Captions() const;
    void SetCurrentPage(int index);

    // Validates every page, then applies every page; false (nothing applied) when a page
    // refuses, which is then shown with its message.
    bool ApplyAll();

    void accept() override;

Q_SIGNALS:
    // Every page has applied its values (OK or Apply): time to store them.
    void applied();

protected:
    virtual void ShowValidationError(const QString& message);

private:
    QTreeWidget* m_tree;
    QStackedWidget* m_stack;
    std::vector<COptionsPage*> m_pages;
};

}  // namespace tavi::ui
