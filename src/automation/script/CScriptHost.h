#pragma once

namespace tavi::automation::script {

class CActiveScriptSite;

// Gives every new macro the names its script sees (Application, Player, Console).
class CScriptHost {
public:
    virtual ~CScriptHost() = default;
    virtual void RegisterNamedItems(CActiveScriptSite& site) = 0;
};

}  // namespace tavi::automation::script
