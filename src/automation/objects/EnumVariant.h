#pragma once

#include "automation/dispatch/DispatchObject.h"

#include <functional>
#include <optional>

namespace tavi::automation {

// An enumerator over a collection (IEnumVARIANT): a position and a source that yields the
// item at a position, or nothing past the end. Next, Skip, Reset and Clone are both C++
// operations with the enumerator's result codes and dispatch members for late-bound clients.
class EnumVariant : public DispatchObject {
public:
    enum class Result { Ok, False, InvalidArgument };  // S_OK, S_FALSE, E_INVALIDARG
    using Source = std::function<std::optional<Variant>(int position)>;

    EnumVariant(QString typeName, Source source, int position = 0);
    QString TypeName() const override { return m_typeName; }

    // Fills items with up to count items (each slot empty first); without a fetched-count
    // pointer only one item may be asked for. False when fewer than count were produced.
    Result Next(uint32_t count, std::vector<Variant>& items, uint32_t* fetched);
    Result Skip(uint32_t count);
    void Reset() { m_position = 0; }
    std::shared_ptr<EnumVariant> Clone() const;

private:
    QString m_typeName;
    Source m_source;
    int m_position;
};

}  // namespace tavi::automation
