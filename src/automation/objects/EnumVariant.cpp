#include "EnumVariant.h"

namespace tavi::automation {

namespace {
using T = Variant::Type;
}

EnumVariant::EnumVariant(QString typeName, Source source, int position)
    : m_typeName(std::move(typeName)), m_source(std::move(source)), m_position(position) {
    // Late-bound: Next answers the next item (empty at the end), Skip whether all were skipped.
    AddMethod(QStringLiteral("Next"), 1, {}, T::Empty, [this](const auto&) {
        std::vector<Variant> items;
        Next(1, items, nullptr);
        return items.front();
    });
    AddMethod(QStringLiteral("Skip"), 2, {T::Int32}, T::Bool, [this](const auto& a) {
        return Variant::FromBool(Skip(uint32_t(std::max(0, a[0].ToInt32()))) == Result::Ok);
    });
    AddMethod(QStringLiteral("Reset"), 3, {}, T::Empty, [this](const auto&) {
        Reset();
        return Variant();
    });
    AddMethod(QStringLiteral("Clone"), 4, {}, T::Dispatch,
              [this](const auto&) { return Variant::FromDispatch(Clone()); });
}

EnumVariant::Result EnumVariant::Next(uint32_t count, std::vector<Variant>& items,
                                      uint32_t* fetched) {
    if (!fetched && count > 1) {
        return Result::InvalidArgument;
    }
    items.assign(count, Variant());
    uint32_t produced = 0;
    while (produced < count) {
        std::optional<Variant> item = m_source(m_position);
        if (!item) {
            break;
        }
        items[produced++] = std::move(*item);
        ++m_position;
    }
    if (fetched) {
        *fetched = produced;
    }
    return produced < count ? Result::False : Result::Ok;
}

EnumVariant::Result EnumVariant::Skip(uint32_t count) {
    std::vector<Variant> item;
    for (uint32_t i = 0; i < count; ++i) {
        if (Next(1, item, nullptr) != Result::Ok) {
            return Result::False;
        }
    }
    return Result::Ok;
}

std::shared_ptr<EnumVariant> EnumVariant::Clone() const {
    return std::make_shared<EnumVariant>(m_typeName, m_source, m_position);
}

}  // namespace tavi::automation
