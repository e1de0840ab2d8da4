#pragma once

#include <QRect>
#include <QSize>

#include <optional>

namespace tavi::engines {

// The picture's rectangle inside a client area of the given size, keeping the aspect ratio
// aspect.width() : aspect.height(): full width and centred vertically when the client is
// taller than the picture needs (letterbox), else full height and centred horizontally
// (pillarbox). nullopt when the aspect ratio is not usable.
std::optional<QRect> FitVideoRect(QSize client, QSize aspect);

}  // namespace tavi::engines
