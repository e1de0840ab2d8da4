#include "CMacroDispatch.h"

namespace tavi::automation {

namespace {
using T = Variant::Type;
}

CMacroDispatch::CMacroDispatch(std::shared_ptr<CMacro> macro) : m_macro(std::move(macro)) {
    AddProperty(QStringLiteral("Name"), 1, T::String,
                [this](const auto&) { return Variant::FromString(m_macro->name); });
    AddProperty(QStringLiteral("Dispatch"), 2, T::Dispatch,
                [](const auto&) { return Variant::FromDispatch(nullptr); });
    AddProperty(
        QStringLiteral("FileName"), 3, T::String,
        [this](const auto&) { return Variant::FromString(m_macro->fileName); },
        [this](const Variant& value) { m_macro->fileName = value.ToString(); });
    // With no engine loaded nothing runs: starting fails quietly, stopping has nothing to stop.
    AddProperty(
        QStringLiteral("Enabled"), 4, T::Bool, [](const auto&) { return Variant::FromBool(false); },
        [](const Variant&) {});
    AddProperty(
        QStringLiteral("Startup"), 5, T::Bool,
        [this](const auto&) { return Variant::FromBool(m_macro->startup); },
        [this](const Variant& value) { m_macro->startup = value.ToBool(); });
    AddMethod(QStringLiteral("AddCode"), 11, {T::String}, T::Empty,
              [](const auto&) { return Variant(); });
    AddMethod(QStringLiteral("Create"), 12, {T::String}, T::Bool,
              [](const auto&) { return Variant::FromBool(false); });
    SetDefaultMember(1);  // Name
}

}  // namespace tavi::automation
