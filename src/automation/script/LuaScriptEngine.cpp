#include "LuaScriptEngine.h"

#include "LuaObjects.h"

#include <QCoreApplication>
#include <lua.hpp>

#include <QRegularExpression>

namespace tavi::automation::script {

namespace {
// Chunks are named so that messages read "script:LINE: text".
const char* const kChunkName = "=script";
// How often a running script looks whether it was asked to stop, in instructions.
constexpr int kHookInstructions = 10000;
}  // namespace

LuaScriptEngine::LuaScriptEngine() = default;

LuaScriptEngine::~LuaScriptEngine() {
    Close();
}

void LuaScriptEngine::CreateRuntime() {
    m_lua = luaL_newstate();
    luaL_openlibs(m_lua);
    luaobjects::Register(m_lua, *this);
    lua_sethook(m_lua, CountHook, LUA_MASKCOUNT, kHookInstructions);
    m_builtIns.clear();
    lua_pushglobaltable(m_lua);
    lua_pushnil(m_lua);
    while (lua_next(m_lua, -2) != 0) {
        if (lua_type(m_lua, -2) == LUA_TSTRING) {
            m_builtIns.insert(QString::fromUtf8(lua_tostring(m_lua, -2)));
        }
        lua_pop(m_lua, 1);
    }
    lua_pop(m_lua, 1);
}

void LuaScriptEngine::DestroyRuntime() {
    if (m_lua) {
        lua_close(m_lua);
        m_lua = nullptr;
    }
}

void LuaScriptEngine::CountHook(lua_State* lua, lua_Debug*) {
    LuaScriptEngine& engine = **static_cast<LuaScriptEngine**>(lua_getextraspace(lua));
    if (engine.m_stop) {
        luaL_error(lua, "the script was stopped");
    }
}

void LuaScriptEngine::Expose(const QString& name, std::shared_ptr<DispatchObject> object) {
    m_builtIns.insert(name);
    luaobjects::Push(m_lua, Variant::FromDispatch(std::move(object)));
    lua_setglobal(m_lua, name.toUtf8().constData());
}

int LuaScriptEngine::RaiseKeptError(lua_State* lua) {
    luaL_where(lua, 1);
    {
        const QByteArray text =
            m_hostError ? m_hostError->GetDescription().toUtf8() : QByteArray("error");
        lua_pushlstring(lua, text.constData(), size_t(text.size()));
    }
    lua_concat(lua, 2);
    return lua_error(lua);
}

// The message on top of the stack as an error report: "script:LINE: text" gives the line;
// an automation error keeps its own text, source and code.
void LuaScriptEngine::ReadError(ScriptError* error) {
    const QString message =
        lua_type(m_lua, -1) == LUA_TSTRING
            ? QString::fromUtf8(lua_tostring(m_lua, -1))
            : QCoreApplication::translate("ScriptHost",
                                          "The script raised an error that is not a text");
    lua_pop(m_lua, 1);
    static const QRegularExpression position(QStringLiteral("^script:(\\d+): "));
    const QRegularExpressionMatch match = position.match(message);
    error->description = match.hasMatch() ? message.mid(match.capturedLength()) : message;
    error->line = match.hasMatch() ? match.captured(1).toInt() : 0;
    error->sourceLine = LineOf(m_code, error->line);
    if (const auto host = std::exchange(m_hostError, std::nullopt);
        host && error->description == host->GetDescription()) {
        error->source = host->GetSource();
        error->code = host->GetCode();
        error->scode = host->GetResult();
    }
}

bool LuaScriptEngine::Evaluate(const QString& code, ScriptError* error) {
    m_code = code;
    m_hostError.reset();
    const QByteArray text = code.toUtf8();
    if (luaL_loadbuffer(m_lua, text.constData(), size_t(text.size()), kChunkName) != LUA_OK ||
        lua_pcall(m_lua, 0, 0, 0) != LUA_OK) {
        ReadError(error);
        return false;
    }
    return true;
}

bool LuaScriptEngine::CheckSyntax(const QString& code, ScriptError* error) {
    m_code = code;
    const QByteArray text = code.toUtf8();
    if (luaL_loadbuffer(m_lua, text.constData(), size_t(text.size()), kChunkName) != LUA_OK) {
        ReadError(error);
        return false;
    }
    lua_pop(m_lua, 1);
    return true;
}

bool LuaScriptEngine::HasGlobalFunction(const QString& name) {
    const bool isFunction = lua_getglobal(m_lua, name.toUtf8().constData()) == LUA_TFUNCTION;
    lua_pop(m_lua, 1);
    return isFunction;
}

bool LuaScriptEngine::CallGlobal(const QString& name, const std::vector<Variant>& arguments,
                                 Variant* result, ScriptError* error) {
    if (lua_getglobal(m_lua, name.toUtf8().constData()) != LUA_TFUNCTION) {
        lua_pop(m_lua, 1);
        error->description = QStringLiteral("%1 is not a function of the script").arg(name);
        return false;
    }
    for (const Variant& argument : arguments) {
        luaobjects::Push(m_lua, argument);
    }
    m_hostError.reset();
    if (lua_pcall(m_lua, int(arguments.size()), 1, 0) != LUA_OK) {
        ReadError(error);
        return false;
    }
    if (result) {
        *result = luaobjects::Read(m_lua, -1);
    }
    lua_pop(m_lua, 1);
    return true;
}

QStringList LuaScriptEngine::GlobalFunctionNames() {
    QStringList names;
    lua_pushglobaltable(m_lua);
    lua_pushnil(m_lua);
    while (lua_next(m_lua, -2) != 0) {
        if (lua_type(m_lua, -2) == LUA_TSTRING && lua_type(m_lua, -1) == LUA_TFUNCTION) {
            const QString name = QString::fromUtf8(lua_tostring(m_lua, -2));
            if (!m_builtIns.contains(name)) {
                names.append(name);
            }
        }
        lua_pop(m_lua, 1);
    }
    lua_pop(m_lua, 1);
    return names;
}

void LuaScriptEngine::StopRunningCode() {
    m_stop = true;
}

void LuaScriptEngine::AllowRunningCode() {
    m_stop = false;
}

}  // namespace tavi::automation::script
