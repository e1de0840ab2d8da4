#pragma once

#include "ScriptEngine.h"

namespace tavi::automation::script {

// One named item of a script site: the automation object and its item flags.
class CCmdTargetPlusObjectInfo {
public:
    CCmdTargetPlusObjectInfo(std::shared_ptr<DispatchObject> object, uint32_t flags)
        : m_object(std::move(object)), m_flags(flags) {}

    // The object's class in the type library: kFail without an object, kNoInterface when it
    // has no class information.
    HResult GetTypeInfo(const TypeLibrary::Coclass** info) const;
    HResult GetUnknown(std::shared_ptr<DispatchObject>* object) const;
    uint32_t GetFlags() const { return m_flags; }

private:
    std::shared_ptr<DispatchObject> m_object;
    uint32_t m_flags;
};

}  // namespace tavi::automation::script
