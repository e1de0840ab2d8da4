#include "VideoPlacement.h"

#include <cstdint>

namespace tavi::engines {

std::optional<QRect> FitVideoRect(QSize client, QSize aspect) {
    if (aspect.width() <= 0 || aspect.height() <= 0 || client.isEmpty()) {
        return std::nullopt;
    }
    // 64-bit products: client sizes times ratio terms (which may carry pixel aspect
    // factors) can exceed 32 bits.
    const int64_t x = aspect.width();
    const int64_t y = aspect.height();
    const int64_t w = client.width();
    const int64_t h = client.height();
    const int64_t neededHeight = y * w / x;
    if (h < neededHeight) {
        const int width = int(x * h / y);
        return QRect(int((w - width) / 2), 0, width, int(h));
    }
    return QRect(0, int((h - neededHeight) / 2), int(w), int(neededHeight));
}

}  // namespace tavi::engines
