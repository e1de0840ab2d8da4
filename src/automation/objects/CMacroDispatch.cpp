#include "CMacroDispatch.h"

namespace tavi::automation {

namespace {
using T = Variant::Type;
using script::hr::Failed;
}  // namespace

CMacroDispatch::CMacroDispatch(std::shared_ptr<script::CMacro> macro) : m_macro(std::move(macro)) {
    AddProperty(QStringLiteral("Name"), 1, T::String,
                [this](const auto&) { return Variant::FromString(m_macro->Name()); });
    AddProperty(QStringLiteral("Dispatch"), 2, T::Dispatch,
                [this](const auto&) { return Variant::FromDispatch(m_macro->ScriptDispatch()); });
    AddProperty(
        QStringLiteral("FileName"), 3, T::String,
        [this](const auto&) { return Variant::FromString(m_macro->FileName()); },
        [this](const Variant& value) {
            if (m_macro->ReloadMacro(value.ToString())) {
                m_macro->RunScript();
            }
        });
    AddProperty(
        QStringLiteral("Enabled"), 4, T::Bool,
        [this](const auto&) { return Variant::FromBool(m_macro->IsScriptRunning()); },
        [this](const Variant& value) {
            if (value.ToBool()) {
                m_macro->RunScript();
            } else if (m_macro->IsScriptRunning()) {
                m_macro->StopScript();
            }
        });
    AddProperty(
        QStringLiteral("Startup"), 5, T::Bool,
        [this](const auto&) { return Variant::FromBool(m_macro->Startup()); },
        [this](const Variant& value) { m_macro->SetStartup(value.ToBool()); });
    AddMethod(QStringLiteral("AddCode"), 11, {T::String}, T::Empty, [this](const auto& a) {
        m_macro->AddScriptText(a[0].ToString());
        return Variant();
    });
    AddMethod(QStringLiteral("Create"), 12, {T::String}, T::Bool, [this](const auto& a) {
        m_macro->CloseEngine();
        return Variant::FromBool(!Failed(m_macro->CreateEngine(a[0].ToString())));
    });
    SetDefaultMember(1);  // Name
}

}  // namespace tavi::automation
