#include "ScriptEventSink.h"

#include "ScriptEngineBase.h"
#include "automation/dispatch/CCmdTargetPlus.h"
#include "automation/dispatch/TypeLibrary.h"

namespace tavi::automation::script {

ScriptEventSink::ScriptEventSink(ScriptEngineBase& engine, const QString& itemName,
                                 const CCmdTargetPlus& source)
    : m_engine(engine), m_lifetime(engine.Lifetime()) {
    const TypeLibrary& library = TypeLibrary::Tavi();
    const TypeLibrary::Coclass* coclass = library.FindCoclass(source.GetCoclass());
    const TypeLibrary::Interface* events =
        coclass ? library.FindInterface(coclass->eventInterface) : nullptr;
    if (!events) {
        return;
    }
    for (const auto& [eventName, id] : events->members) {
        m_handlers.insert(id, itemName + QLatin1Char('_') + eventName);
    }
}

Variant ScriptEventSink::Invoke(DispId id, uint16_t, std::vector<Variant> arguments) {
    const auto handler = m_handlers.constFind(id);
    if (handler == m_handlers.constEnd() || m_lifetime.expired() ||
        !m_engine.HasFunction(*handler)) {
        return {};
    }
    Variant result;
    m_engine.CallFunction(*handler, arguments, &result);
    return {};
}

}  // namespace tavi::automation::script
