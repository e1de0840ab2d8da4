#pragma once

#include "automation/dispatch/DispatchObject.h"

#include <QStringList>

namespace tavi::automation::script {

class ScriptEngineBase;

// A script's global object for automation clients: each of the script's global functions
// is a method of it, bound by name (without regard to case) and called with the arguments
// given. It fails with an error once the script is closed.
class ScriptGlobalDispatch : public DispatchObject {
public:
    explicit ScriptGlobalDispatch(ScriptEngineBase& engine);
    QString TypeName() const override { return QStringLiteral("Object"); }
    std::vector<DispId> GetIDsOfNames(const QStringList& names) const override;
    Variant Invoke(DispId id, uint16_t flags, std::vector<Variant> arguments) override;

private:
    ScriptEngineBase& Engine() const;

    ScriptEngineBase& m_engine;
    std::weak_ptr<void> m_lifetime;
    mutable QStringList m_names;  // identifier i + 1 is m_names[i]
};

}  // namespace tavi::automation::script
