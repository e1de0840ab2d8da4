#include "CAWEException.h"

#include <QCoreApplication>
#include <array>

namespace tavi::engines {

QString CAWEException::CodeName(uint32_t code) {
    static const std::array<const char*, 11> kNames{
        "DEVICE_DRV_INVALID", "USERID_INVALID", "EFXT_INVALID",        "EFXV_INVALID",
        "SBANK_INVALID",      "UBANK_INVALID",  "PATHNAME_INVALID",    "USER_OBJ_INVALID",
        "INSTR_INVALID",      "MSG_INVALID",    "ACCESS_NOT_PERMITTED"};
    constexpr uint32_t kFirstCode = 101;
    if (code >= kFirstCode && code < kFirstCode + kNames.size()) {
        return QString::fromLatin1(kNames[code - kFirstCode]);
    }
    return QCoreApplication::translate("CAWEException", "Unknown Error Code");
}

QString CAWEException::GetErrorMessage() const {
    return QCoreApplication::translate("CAWEException", "AWE Error: %1").arg(CodeName(m_code));
}

}  // namespace tavi::engines
