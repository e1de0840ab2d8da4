#include "ModControlHost.h"

namespace tavi::engines {

namespace {

std::function<std::unique_ptr<ModControlWindow>()>& provider() {
    static std::function<std::unique_ptr<ModControlWindow>()> instance;  // UI thread
    return instance;
}

}  // namespace

void SetModControlProvider(std::function<std::unique_ptr<ModControlWindow>()> made) {
    provider() = std::move(made);
}

std::unique_ptr<ModControlWindow> CreateModControlWindow() {
    return provider() ? provider()() : nullptr;
}

}  // namespace tavi::engines
