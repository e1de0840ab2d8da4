#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <variant>

namespace tavi::automation {

class DispatchObject;

// A value passed to or returned from a dispatch member: the automation variant types the
// object model uses. Objects travel as shared references; an empty reference is null.
class Variant {
public:
    enum class Type { Empty, Null, Bool, Int16, Int32, Double, String, Dispatch, Unknown };

    Variant() = default;
    static Variant FromBool(bool value) { return Variant(Type::Bool, value); }
    static Variant FromInt16(int16_t value) { return Variant(Type::Int16, int32_t(value)); }
    static Variant FromInt32(int32_t value) { return Variant(Type::Int32, value); }
    static Variant FromDouble(double value) { return Variant(Type::Double, value); }
    static Variant FromString(QString value) { return Variant(Type::String, std::move(value)); }
    static Variant FromDispatch(std::shared_ptr<DispatchObject> object) {
        return Variant(Type::Dispatch, std::move(object));
    }
    static Variant FromUnknown(std::shared_ptr<DispatchObject> object) {
        return Variant(Type::Unknown, std::move(object));
    }
    static Variant MakeNull() { return Variant(Type::Null, std::monostate()); }

    Type GetType() const { return m_type; }
    bool IsEmpty() const { return m_type == Type::Empty; }

    bool ToBool() const { return std::get<bool>(m_value); }
    int32_t ToInt32() const { return std::get<int32_t>(m_value); }
    double ToDouble() const { return std::get<double>(m_value); }
    const QString& ToString() const { return std::get<QString>(m_value); }
    const std::shared_ptr<DispatchObject>& ToObject() const {
        return std::get<std::shared_ptr<DispatchObject>>(m_value);
    }

    // The value converted as the automation runtime converts between types (numbers from
    // and to text, booleans as 0/-1, doubles rounded half to even); nullopt when the value
    // does not convert (text that is not a number, null, an object to a number, overflow).
    std::optional<Variant> ChangeType(Type target) const;

    static QString TypeName(Type type);
    bool operator==(const Variant& other) const;

private:
    using Value = std::variant<std::monostate, bool, int32_t, double, QString,
                               std::shared_ptr<DispatchObject>>;
    Variant(Type type, Value value) : m_type(type), m_value(std::move(value)) {}

    std::optional<double> AsNumber() const;

    Type m_type = Type::Empty;
    Value m_value;
};

}  // namespace tavi::automation
