#pragma once

#include "CLocaleSelector.h"

#include <functional>

class QMenu;

namespace tavi::ui {

// The display languages as items of a popup: "&" and the name of each language, command
// id first + index, the active one with the radio check. The popup is filled anew every
// time it opens, so a language registered meanwhile appears. UI thread only.
class CLanguageMenu : public CLocaleSelector {
public:
    using Chooser = std::function<void(int id)>;

    // choose runs when an item is picked, with its command id.
    explicit CLanguageMenu(Chooser choose);

    // Replaces the language items (at first the placeholder) in the popup, where they were.
    void FillMenu(QMenu* popup, int firstId);
    int InsertedCount() const { return m_inserted; }

private:
    Chooser m_choose;
    int m_inserted = 1;  // the placeholder of the menu resource
};

}  // namespace tavi::ui
