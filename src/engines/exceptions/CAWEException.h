#pragma once

#include "platform/errors/CException.h"

#include <cstdint>

namespace tavi::engines {

// The sound-bank manager refused a request: "AWE Error: " and the code's name.
class CAWEException : public errors::CException {
public:
    explicit CAWEException(uint32_t code) : m_code(code) {}
    uint32_t GetCode() const { return m_code; }
    QString GetErrorMessage() const override;
    static QString CodeName(uint32_t code);

private:
    uint32_t m_code;
};

}  // namespace tavi::engines
