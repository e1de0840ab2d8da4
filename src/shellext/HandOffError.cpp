#include "HandOffError.h"

#include "ShellStrings.h"

#include <QDBusMessage>

namespace tavi::shellext {

namespace {

const QString kPlayerErrors = QStringLiteral("org.kestrova.Tavi.Error.");

struct NamedCode {
    const char* name;
    uint32_t code;
};

// The player's error kinds (without their prefix) and the dispatch results they stand for.
constexpr NamedCode kPlayerCodes[] = {
    {"MemberNotFound", 0x80020003}, {"ParamNotFound", 0x80020004},
    {"TypeMismatch", 0x80020005},   {"UnknownName", 0x80020006},
    {"Exception", 0x80020009},      {"Overflow", 0x8002000A},
    {"BadParamCount", 0x8002000E},  {"UnknownObject", hresult::kPointer},
};

// The bus's own errors: no player to start, one that could not start or did not answer.
constexpr NamedCode kBusCodes[] = {
    {"org.freedesktop.DBus.Error.ServiceUnknown", hresult::kClassNotRegistered},
    {"org.freedesktop.DBus.Error.NameHasNoOwner", hresult::kClassNotRegistered},
    {"org.freedesktop.DBus.Error.Spawn.ExecFailed", hresult::kServerExecFailure},
    {"org.freedesktop.DBus.Error.Spawn.ChildExited", hresult::kServerExecFailure},
    {"org.freedesktop.DBus.Error.Spawn.ServiceNotFound", hresult::kClassNotRegistered},
    {"org.freedesktop.DBus.Error.NoReply", 0x80010105},  // the server threw an exception
    {"org.freedesktop.DBus.Error.Timeout", 0x80010105},
    {"org.freedesktop.DBus.Error.InvalidArgs", hresult::kInvalidArg},
};

}  // namespace

uint32_t HandOffError::CodeOfErrorName(const QString& name) {
    if (name.startsWith(kPlayerErrors)) {
        const QString kind = name.mid(kPlayerErrors.size());
        // A member's own error with a code: "Exception.Code1001".
        static const QString codeMark = QStringLiteral("Exception.Code");
        if (kind.startsWith(codeMark)) {
            bool ok = false;
            const uint code = kind.mid(codeMark.size()).toUInt(&ok);
            if (ok && code <= 0xFFFF - 0x200) {
                return hresult::kDispatchErrorBase + code;
            }
            return 0x80020009;  // a code no result can carry: the plain dispatch error
        }
        for (const NamedCode& known : kPlayerCodes) {
            if (kind == QLatin1String(known.name)) {
                return known.code;
            }
        }
        return hresult::kFail;
    }
    for (const NamedCode& known : kBusCodes) {
        if (name == QLatin1String(known.name)) {
            return known.code;
        }
    }
    return hresult::kFail;
}

HandOffError HandOffError::FromReply(const QDBusMessage& reply) {
    return {CodeOfErrorName(reply.errorName()), reply.errorMessage()};
}

QString HandOffError::CodeText(uint32_t code) {
    if (code >= hresult::kDispatchErrorBase && code <= 0x8004FFFF) {
        return QStringLiteral("IDispatch error #%1").arg(code - hresult::kDispatchErrorBase);
    }
    return QStringLiteral("Unknown error 0x%1").arg(QString::number(code, 16).toUpper());
}

QString HandOffError::Text(const ShellStrings& strings) const {
    QString detail = message;
    if (detail.endsWith(QLatin1Char('\n'))) {
        detail.chop(1);
        if (detail.endsWith(QLatin1Char('\r'))) {
            detail.chop(1);
        }
    }
    if (detail.isEmpty()) {
        detail = CodeText(code);
    }
    return QString::fromStdString(strings.Text(ShellStrings::kLaunchFailed)) +
           QStringLiteral("\r\n") + detail;
}

}  // namespace tavi::shellext
