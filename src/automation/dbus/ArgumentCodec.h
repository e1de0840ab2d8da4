#pragma once

#include "automation/dispatch/Variant.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QVariantList>

#include <functional>
#include <memory>
#include <vector>

namespace tavi::automation {

// Turns the arguments of a bus call (the "av" of Invoke) into dispatch variants, and results
// back. Objects travel as object paths; "/" is the null object. Accepted wire types: b, n,
// i, y, q, u, x, t (integers that fit 32 bits), d, s, o. Anything else, an unknown path or
// an integer out of range is a type mismatch naming the argument; nothing is ever trusted.
class ArgumentCodec {
public:
    using Resolve = std::function<std::shared_ptr<DispatchObject>(const QString& path)>;
    using Publish = std::function<QString(const std::shared_ptr<DispatchObject>& object)>;

    static inline const QString kNullPath = QStringLiteral("/");

    // The limit on the number of arguments of one call.
    static constexpr int kMaxArguments = 64;

    static std::vector<Variant> Decode(const QVariantList& arguments, const Resolve& resolve);
    static Variant DecodeOne(const QVariant& argument, int index, const Resolve& resolve);
    // Empty is sent as an empty array of variants, null objects as "/".
    static QDBusVariant Encode(const Variant& value, const Publish& publish);
};

}  // namespace tavi::automation
