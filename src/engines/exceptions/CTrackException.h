#pragma once

#include "platform/errors/CException.h"

namespace tavi::engines {

// A track failed without further detail (a device's failure notice); it has no text.
class CTrackException : public errors::CException {
public:
    QString GetErrorMessage() const override { return {}; }
};

}  // namespace tavi::engines
