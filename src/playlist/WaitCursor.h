#pragma once

namespace tavi::playlist {

// Shows the busy cursor for the lifetime of the object, as long operations do. Nested
// cursors stack. Without a GUI application (headless tests) it does nothing.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool m_shown = false;
};

}  // namespace tavi::playlist
