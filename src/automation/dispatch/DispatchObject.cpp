#include "DispatchObject.h"

#include "platform/errors/CException.h"

namespace tavi::automation {

std::vector<DispId> DispatchObject::GetIDsOfNames(const QStringList& names) const {
    std::vector<DispId> ids;
    if (names.isEmpty()) {
        return ids;
    }
    for (const Member& member : m_members) {
        if (member.name.compare(names.first(), Qt::CaseInsensitive) == 0) {
            ids.push_back(member.id);
            break;
        }
    }
    if (ids.empty()) {
        throw DispatchException(hresult::kUnknownName,
                                QStringLiteral("Unknown name: %1").arg(names.first()));
    }
    // Names of arguments are not supported by any member.
    if (names.size() > 1) {
        throw DispatchException(hresult::kUnknownName,
                                QStringLiteral("Unknown argument name: %1").arg(names[1]));
    }
    return ids;
}

const Member* DispatchObject::FindMember(DispId id) const {
    for (const Member& member : m_members) {
        if (member.id == id) {
            return &member;
        }
    }
    if (id == 0 && m_defaultMember) {
        return FindMember(*m_defaultMember);
    }
    return nullptr;
}

Variant DispatchObject::ConvertArgument(const Variant& value, Variant::Type type, int index) {
    if (type == Variant::Type::Empty) {
        return value;  // a VARIANT parameter
    }
    const auto converted = value.ChangeType(type);
    if (!converted) {
        throw DispatchException(
            hresult::kTypeMismatch,
            QStringLiteral("Argument %1: a %2 cannot be used as a %3")
                .arg(index + 1)
                .arg(Variant::TypeName(value.GetType()), Variant::TypeName(type)),
            0, index);
    }
    return *converted;
}

Variant DispatchObject::Invoke(DispId id, uint16_t flags, std::vector<Variant> arguments) {
    const Member* member = FindMember(id);
    if (!member) {
        throw DispatchException(hresult::kMemberNotFound, QStringLiteral("Member not found"));
    }
    const bool isProperty = member->kind != Member::Kind::Method;
    if (flags & dispatchflags::kPropertyPut) {
        if (member->kind != Member::Kind::Property || !member->put) {
            throw DispatchException(
                hresult::kMemberNotFound,
                QStringLiteral("The property %1 is read-only").arg(member->name));
        }
        if (arguments.size() != 1) {
            throw DispatchException(hresult::kBadParamCount,
                                    QStringLiteral("A property takes one value"));
        }
        const Variant value = ConvertArgument(arguments.front(), member->result, 0);
        RaisingProgramErrors([&] { member->put(value); });
        return {};
    }
    const uint16_t accepted = isProperty ? dispatchflags::kPropertyGet : dispatchflags::kMethod;
    if (!(flags & accepted)) {
        throw DispatchException(hresult::kMemberNotFound,
                                QStringLiteral("%1 cannot be called that way").arg(member->name));
    }
    if (arguments.size() != member->parameters.size()) {
        throw DispatchException(hresult::kBadParamCount,
                                QStringLiteral("%1 takes %2 arguments, not %3")
                                    .arg(member->name)
                                    .arg(member->parameters.size())
                                    .arg(arguments.size()));
    }
    for (size_t i = 0; i < arguments.size(); ++i) {
        arguments[i] = ConvertArgument(arguments[i], member->parameters[i], int(i));
    }
    Variant result;
    RaisingProgramErrors([&] { result = member->call(arguments); });
    return result;
}

// An error of the program (an engine that cannot tell a length, a file that cannot be
// read) reaches the client as the member's own error, never past the dispatcher.
void DispatchObject::RaisingProgramErrors(const std::function<void()>& action) {
    try {
        action();
    } catch (const errors::CException& error) {
        throw DispatchException::Raised(error.GetErrorMessage());
    }
}

void DispatchObject::AddMethod(QString name, DispId id, std::vector<Variant::Type> parameters,
                               Variant::Type result, Member::Getter call) {
    AddMember({std::move(name),
               id,
               Member::Kind::Method,
               std::move(parameters),
               result,
               std::move(call),
               {}});
}

void DispatchObject::AddProperty(QString name, DispId id, Variant::Type type, Member::Getter get,
                                 Member::Setter put) {
    const Member::Kind kind = put ? Member::Kind::Property : Member::Kind::ReadOnlyProperty;
    AddMember({std::move(name), id, kind, {}, type, std::move(get), std::move(put)});
}

}  // namespace tavi::automation
