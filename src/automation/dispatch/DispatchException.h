#pragma once

#include <QString>

#include <cstdint>
#include <exception>

namespace tavi::automation {

// Result codes of late-bound calls.
namespace hresult {
inline constexpr uint32_t kMemberNotFound =
    0x80020003;  // no such member, or a put on a read-only one
inline constexpr uint32_t kParamNotFound = 0x80020004;
inline constexpr uint32_t kTypeMismatch = 0x80020005;
inline constexpr uint32_t kUnknownName = 0x80020006;
inline constexpr uint32_t kException = 0x80020009;  // the member raised an error of its own
inline constexpr uint32_t kBadParamCount = 0x8002000E;
inline constexpr uint32_t kOverflow = 0x8002000A;
}  // namespace hresult

// A failed dispatch call: the result code and, for errors a member raises itself, the
// error's code, description and source ("Tavi"), as a client sees them.
class DispatchException : public std::exception {
public:
    DispatchException(uint32_t result, QString description, int code = 0, int argumentIndex = -1);

    // An error a member raises: result kException with the member's code and text.
    static DispatchException Raised(QString description, int code = 0) {
        return DispatchException(hresult::kException, std::move(description), code);
    }

    uint32_t GetResult() const { return m_result; }
    int GetCode() const { return m_code; }
    const QString& GetDescription() const { return m_description; }
    const QString& GetSource() const { return m_source; }
    // The position of the argument at fault (type mismatches), -1 otherwise.
    int GetArgumentIndex() const { return m_argumentIndex; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    uint32_t m_result;
    QString m_description;
    int m_code;
    int m_argumentIndex;
    QString m_source = QStringLiteral("Tavi");
    QByteArray m_what;
};

}  // namespace tavi::automation
