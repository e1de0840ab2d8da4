#pragma once

#include <QString>

#include <cstdint>

namespace tavi::mci {

// The English text for a media-control error number; empty for numbers without one.
QString ErrorText(uint32_t errorCode);

}  // namespace tavi::mci
