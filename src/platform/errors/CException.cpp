#include "CException.h"

namespace tavi::errors {

// Anchors the vtable in one translation unit.
CException::~CException() = default;

}  // namespace tavi::errors
