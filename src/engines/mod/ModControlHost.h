#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace tavi::engines {

// The "MOD Control" dialog as the module engine sees it: a small window whose control 2107
// the module library draws its panel into. The widget lives in the UI layer, which registers
// a provider at start-up, so engines never include widget headers. UI thread.
class ModControlWindow {
public:
    static constexpr int kLibraryControlId = 2107;

    virtual ~ModControlWindow() = default;
    // Control 2107 as the library's window handle.
    virtual uintptr_t LibraryWindow() const = 0;
    // Shows the dialog without taking the keyboard focus from where it is.
    virtual void Show() = 0;
    virtual void Hide() = 0;
};

// Without a provider there is no dialog and the library is given no window.
void SetModControlProvider(std::function<std::unique_ptr<ModControlWindow>()> provider);
std::unique_ptr<ModControlWindow> CreateModControlWindow();

}  // namespace tavi::engines
