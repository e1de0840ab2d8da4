#include "LuaObjects.h"

#include "LuaScriptEngine.h"

#include <lua.hpp>

#include <optional>
#include <string>
#include <unordered_map>

namespace tavi::automation::script::luaobjects {

namespace {

const char* const kMetatable = "tavi.object";

// What a userdata holds: the object and what its member names were bound to.
struct LuaObject {
    std::shared_ptr<DispatchObject> object;
    std::unordered_map<std::string, std::pair<DispId, bool>> members;  // name -> id, called
};

LuaScriptEngine& EngineOf(lua_State* lua) {
    return **static_cast<LuaScriptEngine**>(lua_getextraspace(lua));
}

LuaObject* ObjectAt(lua_State* lua, int index) {
    return static_cast<LuaObject*>(luaL_testudata(lua, index, kMetatable));
}

QString StringAt(lua_State* lua, int index) {
    size_t length = 0;
    const char* text = lua_tolstring(lua, index, &length);
    return QString::fromUtf8(text, qsizetype(length));
}

// Lua raises errors with a long jump, which would skip the destructors of C++ objects:
// each function below does its work in scopes that have ended before an error is raised.

// The member a name binds to, asked of the object once; nullopt (the error kept by the
// engine) when the object has no such member.
std::optional<std::pair<DispId, bool>> Bind(lua_State* lua, LuaObject& self, int nameIndex) {
    size_t length = 0;
    const char* text = lua_tolstring(lua, nameIndex, &length);
    std::string name(text, length);
    const auto known = self.members.find(name);
    if (known != self.members.end()) {
        return known->second;
    }
    try {
        const DispId id =
            self.object->GetIDsOfNames({QString::fromUtf8(text, qsizetype(length))}).front();
        const Member* member = self.object->FindMember(id);
        const bool called =
            !member || member->kind == Member::Kind::Method || !member->parameters.empty();
        return self.members.emplace(std::move(name), std::make_pair(id, called)).first->second;
    } catch (const DispatchException& error) {
        EngineOf(lua).KeepHostError(error);
        return std::nullopt;
    }
}

// Calls the member and pushes its result; false (the error kept) when it failed.
bool InvokeAndPush(lua_State* lua, DispatchObject& object, DispId id, uint16_t flags,
                   std::vector<Variant> arguments) {
    try {
        const auto keep = object.shared_from_this();
        Push(lua, object.Invoke(id, flags, std::move(arguments)));
        return true;
    } catch (const DispatchException& error) {
        EngineOf(lua).KeepHostError(error);
        return false;
    }
}

// A method: upvalue 1 is the object, 2 the identifier. Called as obj:Method(...) the object
// comes first and is not an argument.
int CallMember(lua_State* lua) {
    bool succeeded = false;
    {
        LuaObject* self = ObjectAt(lua, lua_upvalueindex(1));
        const auto id = DispId(lua_tointeger(lua, lua_upvalueindex(2)));
        const int first = lua_gettop(lua) >= 1 && lua_rawequal(lua, 1, lua_upvalueindex(1)) ? 2 : 1;
        std::vector<Variant> arguments;
        for (int i = first; i <= lua_gettop(lua); ++i) {
            arguments.push_back(Read(lua, i));
        }
        succeeded = InvokeAndPush(lua, *self->object, id,
                                  dispatchflags::kMethod | dispatchflags::kPropertyGet,
                                  std::move(arguments));
    }
    return succeeded ? 1 : EngineOf(lua).RaiseKeptError(lua);
}

int Index(lua_State* lua) {
    luaL_checkudata(lua, 1, kMetatable);
    luaL_checkstring(lua, 2);
    bool succeeded = false;
    {
        LuaObject* self = ObjectAt(lua, 1);
        const auto member = Bind(lua, *self, 2);
        if (member && member->second) {
            lua_pushvalue(lua, 1);
            lua_pushinteger(lua, member->first);
            lua_pushcclosure(lua, CallMember, 2);
            succeeded = true;
        } else if (member) {
            succeeded =
                InvokeAndPush(lua, *self->object, member->first, dispatchflags::kPropertyGet, {});
        }
    }
    return succeeded ? 1 : EngineOf(lua).RaiseKeptError(lua);
}

int NewIndex(lua_State* lua) {
    luaL_checkudata(lua, 1, kMetatable);
    luaL_checkstring(lua, 2);
    bool succeeded = false;
    {
        LuaObject* self = ObjectAt(lua, 1);
        const auto member = Bind(lua, *self, 2);
        succeeded = member && InvokeAndPush(lua, *self->object, member->first,
                                            dispatchflags::kPropertyPut, {Read(lua, 3)});
    }
    if (!succeeded) {
        return EngineOf(lua).RaiseKeptError(lua);
    }
    lua_pop(lua, 1);  // a put has no result
    return 0;
}

int Collect(lua_State* lua) {
    if (LuaObject* self = ObjectAt(lua, 1)) {
        self->~LuaObject();
    }
    return 0;
}

int ToString(lua_State* lua) {
    {
        LuaObject* self = ObjectAt(lua, 1);
        const QByteArray name = self ? self->object->TypeName().toUtf8() : QByteArray("?");
        lua_pushlstring(lua, name.constData(), size_t(name.size()));
    }
    return 1;
}

}  // namespace

void Register(lua_State* lua, LuaScriptEngine& engine) {
    *static_cast<LuaScriptEngine**>(lua_getextraspace(lua)) = &engine;
    luaL_newmetatable(lua, kMetatable);
    const luaL_Reg functions[] = {{"__index", Index},
                                  {"__newindex", NewIndex},
                                  {"__gc", Collect},
                                  {"__tostring", ToString},
                                  {nullptr, nullptr}};
    luaL_setfuncs(lua, functions, 0);
    lua_pop(lua, 1);
}

void Push(lua_State* lua, const Variant& value) {
    switch (value.GetType()) {
        case Variant::Type::Bool:
            lua_pushboolean(lua, value.ToBool());
            return;
        case Variant::Type::Int16:
        case Variant::Type::Int32:
            lua_pushinteger(lua, value.ToInt32());
            return;
        case Variant::Type::Double:
            lua_pushnumber(lua, value.ToDouble());
            return;
        case Variant::Type::String: {
            const QByteArray text = value.ToString().toUtf8();
            lua_pushlstring(lua, text.constData(), size_t(text.size()));
            return;
        }
        case Variant::Type::Dispatch:
        case Variant::Type::Unknown:
            if (value.ToObject()) {
                new (lua_newuserdatauv(lua, sizeof(LuaObject), 0)) LuaObject{value.ToObject(), {}};
                luaL_setmetatable(lua, kMetatable);
                return;
            }
            break;
        default:
            break;
    }
    lua_pushnil(lua);
}

Variant Read(lua_State* lua, int index) {
    switch (lua_type(lua, index)) {
        case LUA_TBOOLEAN:
            return Variant::FromBool(lua_toboolean(lua, index));
        case LUA_TNUMBER:
            if (lua_isinteger(lua, index)) {
                const lua_Integer number = lua_tointeger(lua, index);
                if (number >= INT32_MIN && number <= INT32_MAX) {
                    return Variant::FromInt32(int32_t(number));
                }
            }
            return Variant::FromDouble(lua_tonumber(lua, index));
        case LUA_TSTRING:
            return Variant::FromString(StringAt(lua, index));
        case LUA_TUSERDATA:
            if (LuaObject* object = ObjectAt(lua, index)) {
                return Variant::FromDispatch(object->object);
            }
            break;
        default:
            break;
    }
    return {};
}

}  // namespace tavi::automation::script::luaobjects
