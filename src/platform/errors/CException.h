#pragma once

#include <QString>

namespace tavi::errors {

// The root of every failure that file code and engines report by throwing. Thrown by value
// and caught by reference (`catch (const CException& e)`); the catcher that started the
// user's command shows GetErrorMessage(). Derived classes carry what their message needs.
class CException {
public:
    virtual ~CException();

    // The complete text to show the user; never empty for the classes of this program.
    virtual QString GetErrorMessage() const = 0;

protected:
    CException() = default;
    CException(const CException&) = default;
    CException& operator=(const CException&) = default;
};

}  // namespace tavi::errors
