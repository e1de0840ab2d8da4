#pragma once

namespace tavi::app {

// Starts the player: handles the switches that need no window, restores the settings,
// shows the main window and runs the event loop. Returns the process's exit code.
int runTavi(int argc, char** argv);

}  // namespace tavi::app
