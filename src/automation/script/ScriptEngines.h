#pragma once

#include "ScriptEngine.h"

#include <memory>

namespace tavi::automation::script {

// The script engines the program has, by language name (without regard to case):
// "JScript" and "JavaScript" for JavaScript, "Lua" for Lua 5.4.
namespace scriptengines {
// kInvalidProgId for a name no engine has.
HResult Create(const QString& language, std::unique_ptr<ScriptEngine>* engine);
}  // namespace scriptengines

}  // namespace tavi::automation::script
