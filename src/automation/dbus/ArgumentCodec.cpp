#include "ArgumentCodec.h"

#include "automation/dispatch/DispatchException.h"

#include <QDBusArgument>
#include <QMetaType>

#include <limits>

namespace tavi::automation {

namespace {

DispatchException Mismatch(int index, const QString& what) {
    return DispatchException(hresult::kTypeMismatch,
                             QStringLiteral("Argument %1: %2").arg(index + 1).arg(what), 0, index);
}

template <typename Number>
Variant FromInteger(Number value, int index) {
    if (value > Number(std::numeric_limits<int32_t>::max()) ||
        (std::numeric_limits<Number>::is_signed &&
         value < Number(std::numeric_limits<int32_t>::min()))) {
        throw Mismatch(index, QStringLiteral("the number does not fit 32 bits"));
    }
    return Variant::FromInt32(int32_t(value));
}

}  // namespace

std::vector<Variant> ArgumentCodec::Decode(const QVariantList& arguments, const Resolve& resolve) {
    if (arguments.size() > kMaxArguments) {
        throw DispatchException(hresult::kBadParamCount,
                                QStringLiteral("Too many arguments: %1").arg(arguments.size()));
    }
    std::vector<Variant> decoded;
    decoded.reserve(size_t(arguments.size()));
    for (int i = 0; i < arguments.size(); ++i) {
        decoded.push_back(DecodeOne(arguments[i], i, resolve));
    }
    return decoded;
}

Variant ArgumentCodec::DecodeOne(const QVariant& argument, int index, const Resolve& resolve) {
    // The elements of "av" arrive wrapped once more.
    if (argument.metaType() == QMetaType::fromType<QDBusVariant>()) {
        return DecodeOne(argument.value<QDBusVariant>().variant(), index, resolve);
    }
    switch (argument.metaType().id()) {
        case QMetaType::Bool:
            return Variant::FromBool(argument.toBool());
        case QMetaType::Short:
            return Variant::FromInt16(argument.value<short>());
        case QMetaType::Int:
            return Variant::FromInt32(argument.toInt());
        case QMetaType::UChar:
            return Variant::FromInt32(argument.value<uchar>());
        case QMetaType::UShort:
            return Variant::FromInt32(argument.value<ushort>());
        case QMetaType::UInt:
            return FromInteger(argument.toUInt(), index);
        case QMetaType::LongLong:
            return FromInteger(argument.toLongLong(), index);
        case QMetaType::ULongLong:
            return FromInteger(argument.toULongLong(), index);
        case QMetaType::Double:
            return Variant::FromDouble(argument.toDouble());
        case QMetaType::QString:
            return Variant::FromString(argument.toString());
        default:
            break;
    }
    if (argument.metaType() == QMetaType::fromType<QDBusObjectPath>()) {
        const QString path = argument.value<QDBusObjectPath>().path();
        if (path == kNullPath) {
            return Variant::FromDispatch(nullptr);
        }
        auto object = resolve ? resolve(path) : nullptr;
        if (!object) {
            throw Mismatch(index, QStringLiteral("no object at %1").arg(path));
        }
        return Variant::FromDispatch(std::move(object));
    }
    throw Mismatch(index, QStringLiteral("values of this type are not accepted"));
}

QDBusVariant ArgumentCodec::Encode(const Variant& value, const Publish& publish) {
    switch (value.GetType()) {
        case Variant::Type::Empty:
            return QDBusVariant(QVariant::fromValue(QVariantList()));
        case Variant::Type::Null:
            return QDBusVariant(QVariant::fromValue(QDBusObjectPath(kNullPath)));
        case Variant::Type::Bool:
            return QDBusVariant(value.ToBool());
        case Variant::Type::Int16:
            return QDBusVariant(QVariant::fromValue(short(value.ToInt32())));
        case Variant::Type::Int32:
            return QDBusVariant(value.ToInt32());
        case Variant::Type::Double:
            return QDBusVariant(value.ToDouble());
        case Variant::Type::String:
            return QDBusVariant(value.ToString());
        case Variant::Type::Dispatch:
        case Variant::Type::Unknown:
            break;
    }
    const auto& object = value.ToObject();
    const QString path = object && publish ? publish(object) : kNullPath;
    return QDBusVariant(QVariant::fromValue(QDBusObjectPath(path)));
}

}  // namespace tavi::automation
