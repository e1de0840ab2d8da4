#include "CWin32Exception.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>

namespace tavi::errors {

CWin32Exception CWin32Exception::FromErrno() {
    return CWin32Exception(errno);
}

QString CWin32Exception::GetErrorMessage() const {
    if (m_errorCode == 0) {
        return QCoreApplication::translate("CWin32Exception", "Command failed.");
    }
    // strerror_r in its GNU form may return a static string instead of filling the buffer.
    char buffer[256] = {};
    const char* text = ::strerror_r(m_errorCode, buffer, sizeof buffer);
    const QString message = text ? QString::fromLocal8Bit(text).trimmed() : QString();
    return message.isEmpty() ? QCoreApplication::translate("CWin32Exception", "Command failed.")
                             : message;
}

}  // namespace tavi::errors
