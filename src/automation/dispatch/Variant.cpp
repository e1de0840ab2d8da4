#include "Variant.h"

#include <cmath>
#include <limits>

namespace tavi::automation {

namespace {

std::optional<int32_t> RoundToInt(double value, double low, double high) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value);  // the default mode rounds half to even
    if (rounded < low || rounded > high) {
        return std::nullopt;
    }
    return int32_t(rounded);
}

std::optional<double> ParseNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (ok) {
        return value;
    }
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0) {
        return -1.0;
    }
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        return 0.0;
    }
    return std::nullopt;
}

}  // namespace

QString Variant::TypeName(Type type) {
    static const char* const kNames[] = {"Empty",  "Null",   "Boolean", "Integer", "Long",
                                         "Double", "String", "Object",  "Unknown"};
    return QString::fromLatin1(kNames[int(type)]);
}

std::optional<double> Variant::AsNumber() const {
    switch (m_type) {
        case Type::Empty:
            return 0.0;
        case Type::Bool:
            return ToBool() ? -1.0 : 0.0;
        case Type::Int16:
        case Type::Int32:
            return double(ToInt32());
        case Type::Double:
            return ToDouble();
        case Type::String:
            return ParseNumber(ToString());
        default:
            return std::nullopt;
    }
}

std::optional<Variant> Variant::ChangeType(Type target) const {
    if (target == m_type) {
        return *this;
    }
    switch (target) {
        case Type::Empty:
            return Variant();
        case Type::Bool: {
            const auto number = AsNumber();
            return number ? std::optional(FromBool(*number != 0.0)) : std::nullopt;
        }
        case Type::Int16:
        case Type::Int32: {
            const auto number = AsNumber();
            const bool narrow = target == Type::Int16;
            const auto value =
                number ? RoundToInt(*number,
                                    narrow ? -32768.0 : double(std::numeric_limits<int32_t>::min()),
                                    narrow ? 32767.0 : double(std::numeric_limits<int32_t>::max()))
                       : std::nullopt;
            if (!value) {
                return std::nullopt;
            }
            return narrow ? FromInt16(int16_t(*value)) : FromInt32(*value);
        }
        case Type::Double: {
            const auto number = AsNumber();
            return number ? std::optional(FromDouble(*number)) : std::nullopt;
        }
        case Type::String:
            switch (m_type) {
                case Type::Empty:
                    return FromString(QString());
                case Type::Bool:
                    return FromString(ToBool() ? QStringLiteral("True") : QStringLiteral("False"));
                case Type::Int16:
                case Type::Int32:
                    return FromString(QString::number(ToInt32()));
                case Type::Double:
                    return FromString(QString::number(ToDouble(), 'g', 15));
                default:
                    return std::nullopt;
            }
        case Type::Dispatch:
        case Type::Unknown:
            if (m_type == Type::Dispatch || m_type == Type::Unknown) {
                return Variant(target, ToObject());
            }
            return m_type == Type::Empty
                       ? std::optional(Variant(target, std::shared_ptr<DispatchObject>()))
                       : std::nullopt;
        case Type::Null:
            return std::nullopt;
    }
    return std::nullopt;
}

bool Variant::operator==(const Variant& other) const {
    return m_type == other.m_type && m_value == other.m_value;
}

}  // namespace tavi::automation
