#include "CMCIException.h"

#include "platform/mci/MciErrors.h"

namespace tavi::engines {

QString CMCIException::ErrorText(uint32_t errorCode) {
    return mci::ErrorText(errorCode);
}

}  // namespace tavi::engines
