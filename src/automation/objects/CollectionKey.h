#pragma once

#include "automation/dispatch/DispatchException.h"
#include "automation/dispatch/Variant.h"

#include <variant>

namespace tavi::automation {

// A collection's key: a string is a name; anything else is converted to a 32-bit index
// (a key that does not convert is a type mismatch).
inline std::variant<QString, int32_t> CollectionKey(const Variant& key) {
    if (key.GetType() == Variant::Type::String) {
        return key.ToString();
    }
    const auto index = key.ChangeType(Variant::Type::Int32);
    if (!index) {
        throw DispatchException(hresult::kTypeMismatch,
                                QStringLiteral("Argument 1: a %1 cannot be used as a key")
                                    .arg(Variant::TypeName(key.GetType())),
                                0, 0);
    }
    return index->ToInt32();
}

}  // namespace tavi::automation
