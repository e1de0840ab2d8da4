#include "DispatchException.h"

namespace tavi::automation {

DispatchException::DispatchException(uint32_t result, QString description, int code,
                                     int argumentIndex)
    : m_result(result),
      m_description(std::move(description)),
      m_code(code),
      m_argumentIndex(argumentIndex),
      m_what(m_description.toUtf8()) {}

}  // namespace tavi::automation
