#include "ScriptEngines.h"

#include "JsScriptEngine.h"
#include "LuaScriptEngine.h"

namespace tavi::automation::script::scriptengines {

HResult Create(const QString& language, std::unique_ptr<ScriptEngine>* engine) {
    const auto is = [&](const char* name) {
        return language.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("JScript") || is("JavaScript")) {
        *engine = std::make_unique<JsScriptEngine>();
    } else if (is("Lua")) {
        *engine = std::make_unique<LuaScriptEngine>();
    } else {
        return hr::kInvalidProgId;
    }
    return hr::kOk;
}

}  // namespace tavi::automation::script::scriptengines
