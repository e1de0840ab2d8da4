#pragma once

#include "automation/dispatch/DispatchObject.h"

struct lua_State;

namespace tavi::automation::script {

class LuaScriptEngine;

// Automation objects and values in a Lua state: objects are userdata of one metatable whose
// __index reads a property or gives a method, and __newindex assigns a property.
namespace luaobjects {
void Register(lua_State* lua, LuaScriptEngine& engine);
void Push(lua_State* lua, const Variant& value);
Variant Read(lua_State* lua, int index);
}  // namespace luaobjects

}  // namespace tavi::automation::script
