#include "CModException.h"

namespace tavi::engines {

QString CModException::GetErrorMessage() const {
    switch (m_code) {
        case InitializationError:
            // The misspelling is the established message text.
            return QStringLiteral("MOD Player initializiation error");
        case FileNotFound:
            return QStringLiteral("The specified MOD file does not exist.");
        case LibraryNotFound:
            return QStringLiteral("The required DLL 'npmod32.dll' was not found.");
        default:
            return QStringLiteral("Unknown MOD Error");
    }
}

}  // namespace tavi::engines
