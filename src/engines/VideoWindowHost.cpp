#include "VideoWindowHost.h"

namespace tavi::engines {

namespace {

std::function<VideoWindowHost*()>& Provider() {
    static std::function<VideoWindowHost*()> provider;
    return provider;
}

}  // namespace

void SetVideoWindowProvider(std::function<VideoWindowHost*()> provider) {
    Provider() = std::move(provider);
}

VideoWindowHost* videoWindowHost() {
    return Provider() ? Provider()() : nullptr;
}

}  // namespace tavi::engines
