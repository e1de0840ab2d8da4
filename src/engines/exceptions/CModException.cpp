#include "CModException.h"

#include <QCoreApplication>

namespace tavi::engines {

QString CModException::GetErrorMessage() const {
    switch (m_code) {
        case InitializationError:
            // The misspelling is the established message text.
            return QCoreApplication::translate("CModException", "MOD Player initializiation error");
        case FileNotFound:
            return QCoreApplication::translate("CModException",
                                               "The specified MOD file does not exist.");
        case LibraryNotFound:
            return QCoreApplication::translate("CModException",
                                               "The required DLL 'npmod32.dll' was not found.");
        default:
            return QCoreApplication::translate("CModException", "Unknown MOD Error");
    }
}

}  // namespace tavi::engines
