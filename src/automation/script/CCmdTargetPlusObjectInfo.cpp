#include "CCmdTargetPlusObjectInfo.h"

#include "automation/dispatch/CCmdTargetPlus.h"

namespace tavi::automation::script {

HResult CCmdTargetPlusObjectInfo::GetTypeInfo(const TypeLibrary::Coclass** info) const {
    if (!m_object) {
        return hr::kFail;
    }
    const auto* source = dynamic_cast<const CCmdTargetPlus*>(m_object.get());
    const TypeLibrary::Coclass* coclass =
        source ? TypeLibrary::Tavi().FindCoclass(source->GetCoclass()) : nullptr;
    if (!coclass) {
        return hr::kNoInterface;
    }
    *info = coclass;
    return hr::kOk;
}

HResult CCmdTargetPlusObjectInfo::GetUnknown(std::shared_ptr<DispatchObject>* object) const {
    if (!object) {
        return hr::kPointer;
    }
    *object = m_object;
    return hr::kOk;
}

}  // namespace tavi::automation::script
