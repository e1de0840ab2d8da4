#include "CDirectShowException.h"

#include <QCoreApplication>

namespace tavi::engines {

QString CDirectShowException::GetErrorMessage() const {
    if (m_result == kProtectedContent || m_result == kProtectedContentLicense) {
        return QCoreApplication::translate("CDirectShowException",
                                           "Can't play a protected Windows Media file");
    }
    return m_text;
}

}  // namespace tavi::engines
