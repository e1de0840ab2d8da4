#pragma once

#include "automation/dispatch/DispatchObject.h"

#include <QHash>

namespace tavi::automation {
class CCmdTargetPlus;
}

namespace tavi::automation::script {

class ScriptEngineBase;

// Connected to a named item's events while its script runs: an event calls the script's
// global function "<Item>_<Event>" when the script has one.
class ScriptEventSink : public DispatchObject {
public:
    ScriptEventSink(ScriptEngineBase& engine, const QString& itemName,
                    const CCmdTargetPlus& source);
    QString TypeName() const override { return QStringLiteral("Object"); }
    Variant Invoke(DispId id, uint16_t flags, std::vector<Variant> arguments) override;

private:
    ScriptEngineBase& m_engine;
    std::weak_ptr<void> m_lifetime;
    QHash<DispId, QString> m_handlers;  // event id -> function name
};

}  // namespace tavi::automation::script
