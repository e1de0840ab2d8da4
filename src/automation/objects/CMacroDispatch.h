#pragma once

#include "automation/dispatch/DispatchObject.h"
#include "automation/script/CMacro.h"

namespace tavi::automation {

// A Macro object: one macro's name, script file, engine state and start-up flag, and the
// script's own global object.
class CMacroDispatch : public DispatchObject {
public:
    explicit CMacroDispatch(std::shared_ptr<script::CMacro> macro);
    QString TypeName() const override { return QStringLiteral("MacroDispatch"); }
    const std::shared_ptr<script::CMacro>& macro() const { return m_macro; }

private:
    std::shared_ptr<script::CMacro> m_macro;
};

}  // namespace tavi::automation
