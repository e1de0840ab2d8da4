#pragma once

#include "DispatchException.h"
#include "Variant.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tavi::automation {

using DispId = int32_t;

// How a member is called: bits of the late-bound call's flags.
namespace dispatchflags {
inline constexpr uint16_t kMethod = 1;
inline constexpr uint16_t kPropertyGet = 2;
inline constexpr uint16_t kPropertyPut = 4;
}  // namespace dispatchflags

// One member of an object's table: its name, identifier, kind and types, and the code that
// runs it. Arguments arrive already converted to the declared types.
struct Member {
    enum class Kind { Method, Property, ReadOnlyProperty };
    using Getter = std::function<Variant(const std::vector<Variant>& arguments)>;
    using Setter = std::function<void(const Variant& value)>;

    QString name;
    DispId id = 0;
    Kind kind = Kind::Method;
    std::vector<Variant::Type> parameters;  // a VARIANT parameter is Type::Empty: taken as it comes
    Variant::Type result = Variant::Type::Empty;
    Getter call;  // the method, or the property's getter
    Setter put;   // properties that can be assigned
};

// An object clients call late-bound: names are looked up to identifiers (without regard to
// case), and Invoke checks the argument count and converts each argument to its declared
// type before the member runs. Errors are DispatchException with the standard results.
class DispatchObject : public std::enable_shared_from_this<DispatchObject> {
public:
    virtual ~DispatchObject() = default;

    // The object's type name, as class information reports it.
    virtual QString TypeName() const = 0;

    // Objects whose members are known only when asked (a script's functions) answer these
    // themselves; the others find them in their table.
    virtual std::vector<DispId> GetIDsOfNames(const QStringList& names) const;
    virtual Variant Invoke(DispId id, uint16_t flags, std::vector<Variant> arguments);
    const std::vector<Member>& Members() const { return m_members; }
    const Member* FindMember(DispId id) const;

protected:
    void AddMember(Member member) { m_members.push_back(std::move(member)); }
    // The member that identifier 0 (the object's value) reaches when no member has that id.
    void SetDefaultMember(DispId id) { m_defaultMember = id; }
    // Shorthands for the common member shapes.
    void AddMethod(QString name, DispId id, std::vector<Variant::Type> parameters,
                   Variant::Type result, Member::Getter call);
    void AddProperty(QString name, DispId id, Variant::Type type, Member::Getter get,
                     Member::Setter put = {});

private:
    static Variant ConvertArgument(const Variant& value, Variant::Type type, int index);
    static void RaisingProgramErrors(const std::function<void()>& action);

    std::vector<Member> m_members;
    std::optional<DispId> m_defaultMember;
};

}  // namespace tavi::automation
