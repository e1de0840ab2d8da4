#pragma once

#include "CTaviApp.h"

namespace tavi::app {

// The program's main window: the frame with its menus, bars, tray and options sheet, the
// option pages of the media engine, and the shared video window taking the frame's keys.
CTaviApp::Frame CreateTaviFrame(playlist::CTaviDoc& document, ApplicationServices& services);

}  // namespace tavi::app
