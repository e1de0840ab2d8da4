#include "MiniPlaylistView.h"

namespace tavi::engines {

namespace {

MiniPlaylistViewProvider& provider() {
    static MiniPlaylistViewProvider instance;
    return instance;
}

}  // namespace

void SetMiniPlaylistViewProvider(MiniPlaylistViewProvider newProvider) {
    provider() = std::move(newProvider);
}

std::unique_ptr<MiniPlaylistView> CreateMiniPlaylistView(const QString& title) {
    return provider() ? provider()(title) : nullptr;
}

}  // namespace tavi::engines
