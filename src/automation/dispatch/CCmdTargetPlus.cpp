#include "CCmdTargetPlus.h"

#include "TypeLibrary.h"

namespace tavi::automation {

QString CCmdTargetPlus::TypeName() const {
    const TypeLibrary::Coclass* coclass = TypeLibrary::Tavi().FindCoclass(m_coclass);
    return coclass ? coclass->name : QStringLiteral("Object");
}

std::optional<QUuid> CCmdTargetPlus::GetGUID(int kind) const {
    if (kind != kDefaultSourceDispIid) {
        return std::nullopt;
    }
    return m_events;
}

uint32_t CCmdTargetPlus::Connect(std::shared_ptr<DispatchObject> sink) {
    if (m_events.isNull() || !sink) {
        return 0;
    }
    const uint32_t cookie = m_nextCookie++;
    m_sinks.emplace(cookie, std::move(sink));
    return cookie;
}

bool CCmdTargetPlus::Disconnect(uint32_t cookie) {
    return m_sinks.erase(cookie) > 0;
}

void CCmdTargetPlus::FireEvent(DispId event) {
    // A sink may disconnect itself (or others) while it is called: work on a copy.
    const auto sinks = m_sinks;
    for (const auto& [cookie, sink] : sinks) {
        try {
            sink->Invoke(event, dispatchflags::kMethod, {});
        } catch (...) {
            // One sink's failure is its own; the others still hear the event.
        }
    }
}

}  // namespace tavi::automation
