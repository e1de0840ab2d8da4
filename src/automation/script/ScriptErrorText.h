#pragma once

#include "ScriptEngine.h"

namespace tavi::automation::script {

// The message a script error shows: "FILE(LINE) : error CODE", the description, a marker
// line pointing at the character at fault, and the line's text.
namespace scripterrortext {
// p characters, all "-" but the last "v", for 0 < p < 255; empty otherwise.
QString MarkerLine(int character);
QString Text(const QString& scriptFileName, const ScriptError& error);
// The error's source, or "Script Error" when it names none.
QString Caption(const ScriptError& error);
}  // namespace scripterrortext

}  // namespace tavi::automation::script
