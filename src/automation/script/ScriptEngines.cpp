#include "ScriptEngines.h"

#include "JsEngineModule.h"
#include "LuaScriptEngine.h"
#include "platform/lib/RuntimeLibrary.h"

#include <QtGlobal>

#include <dlfcn.h>

namespace tavi::automation::script::scriptengines {

namespace {

// The module's factory, looked up once; null when the module cannot be loaded.
TaviCreateJsEngineFunction JsEngineFactory() {
    static const TaviCreateJsEngineFunction factory = [] {
        void* module = platform::OpenRuntimeLibrary(TAVI_JS_ENGINE_MODULE);
        if (!module) {
            qWarning("JavaScript is not available: %s", dlerror());
            return TaviCreateJsEngineFunction(nullptr);
        }
        return reinterpret_cast<TaviCreateJsEngineFunction>(dlsym(module, TAVI_CREATE_JS_ENGINE));
    }();
    return factory;
}

}  // namespace

HResult Create(const QString& language, std::unique_ptr<ScriptEngine>* engine) {
    const auto is = [&](const char* name) {
        return language.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("JScript") || is("JavaScript")) {
        const TaviCreateJsEngineFunction create = JsEngineFactory();
        if (!create) {
            return hr::kInvalidProgId;  // as for a language nobody installed
        }
        engine->reset(create());
    } else if (is("Lua")) {
        *engine = std::make_unique<LuaScriptEngine>();
    } else {
        return hr::kInvalidProgId;
    }
    return hr::kOk;
}

}  // namespace tavi::automation::script::scriptengines
