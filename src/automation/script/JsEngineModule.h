#pragma once

#include "ScriptEngine.h"

// The JavaScript engine lives in a module of its own (libtavi_script_js.so), loaded at the
// first JavaScript macro: the Qt JavaScript engine brings Qml, Network and Kerberos with
// it, which a run without such a macro need neither map nor relocate. The module resolves
// the script layer's classes from the program, which exports them.
#define TAVI_JS_ENGINE_MODULE "libtavi_script_js.so"
#define TAVI_CREATE_JS_ENGINE "tavi_create_js_engine"

extern "C" {
using TaviCreateJsEngineFunction = tavi::automation::script::ScriptEngine* (*)();
}
