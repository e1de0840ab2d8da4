#pragma once

#include "CToolMenu.h"

namespace tavi::automation::tools {

// The main window's tool menu: the Programs popup of the menu bar.
class CTaviToolMenu : public CToolMenu {
    Q_OBJECT
public:
    using CToolMenu::CToolMenu;
};

}  // namespace tavi::automation::tools
