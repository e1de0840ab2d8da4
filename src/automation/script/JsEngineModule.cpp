#include "JsEngineModule.h"

#include "JsScriptEngine.h"

extern "C" __attribute__((visibility("default"))) tavi::automation::script::ScriptEngine*
tavi_create_js_engine() {
    return new tavi::automation::script::JsScriptEngine;
}
