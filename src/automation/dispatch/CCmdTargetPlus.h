#pragma once

#include "DispatchObject.h"

#include <QUuid>

#include <map>

namespace tavi::automation {

// A dispatch object with one outgoing event interface. Sinks connect to it; FireEvent calls
// the event's member on every sink in connection order, and a sink that fails never stops
// the others.
class CCmdTargetPlus : public DispatchObject {
public:
    static constexpr int kDefaultSourceDispIid = 1;  // GUIDKIND_DEFAULT_SOURCE_DISP_IID

    CCmdTargetPlus(QUuid coclass, QUuid dispatchInterface, QUuid eventInterface = {})
        : m_coclass(coclass), m_interface(dispatchInterface), m_events(eventInterface) {}

    const QUuid& GetCoclass() const { return m_coclass; }
    // The coclass's name in the type library ("Object" for classes it does not list).
    QString TypeName() const override;
    const QUuid& GetInterface() const { return m_interface; }
    // The class information's GUID of a kind: the event interface for the default source;
    // nullopt (an invalid argument) for any other kind.
    std::optional<QUuid> GetGUID(int kind) const;

    // A sink is any dispatch object; it is held until it disconnects. Returns its cookie, 0
    // when the object has no event interface.
    uint32_t Connect(std::shared_ptr<DispatchObject> sink);
    bool Disconnect(uint32_t cookie);
    size_t SinkCount() const { return m_sinks.size(); }

    void FireEvent(DispId event);

private:
    QUuid m_coclass;
    QUuid m_interface;
    QUuid m_events;
    std::map<uint32_t, std::shared_ptr<DispatchObject>> m_sinks;
    uint32_t m_nextCookie = 1;
};

}  // namespace tavi::automation
