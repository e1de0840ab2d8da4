#pragma once

#include "CMacroList.h"
#include "automation/dispatch/DispatchObject.h"

namespace tavi::automation {

// A Macro object: one macro's name, script file and start-up flag. Script engines are not
// hosted yet, so a macro has no engine: Dispatch is null, Enabled reads false and Create
// answers false.
class CMacroDispatch : public DispatchObject {
public:
    explicit CMacroDispatch(std::shared_ptr<CMacro> macro);
    QString TypeName() const override { return QStringLiteral("MacroDispatch"); }
    const std::shared_ptr<CMacro>& macro() const { return m_macro; }

private:
    std::shared_ptr<CMacro> m_macro;
};

}  // namespace tavi::automation
