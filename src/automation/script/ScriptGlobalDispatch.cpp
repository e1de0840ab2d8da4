#include "ScriptGlobalDispatch.h"

#include "ScriptEngineBase.h"

namespace tavi::automation::script {

ScriptGlobalDispatch::ScriptGlobalDispatch(ScriptEngineBase& engine)
    : m_engine(engine), m_lifetime(engine.Lifetime()) {}

ScriptEngineBase& ScriptGlobalDispatch::Engine() const {
    if (m_lifetime.expired()) {
        throw DispatchException::Raised(QStringLiteral("The script is no longer loaded"));
    }
    return m_engine;
}

std::vector<DispId> ScriptGlobalDispatch::GetIDsOfNames(const QStringList& names) const {
    if (names.isEmpty()) {
        return {};
    }
    if (names.size() > 1) {
        throw DispatchException(hresult::kUnknownName,
                                QStringLiteral("Unknown argument name: %1").arg(names[1]));
    }
    // Identifiers stay what they were first answered, also for functions added later.
    for (const QString& function : Engine().FunctionNames()) {
        if (!m_names.contains(function)) {
            m_names.append(function);
        }
    }
    for (int i = 0; i < m_names.size(); ++i) {
        if (m_names[i].compare(names.front(), Qt::CaseInsensitive) == 0) {
            return {DispId(i + 1)};
        }
    }
    throw DispatchException(hresult::kUnknownName,
                            QStringLiteral("Unknown name: %1").arg(names.front()));
}

Variant ScriptGlobalDispatch::Invoke(DispId id, uint16_t flags, std::vector<Variant> arguments) {
    if (id < 1 || id > m_names.size() || !(flags & dispatchflags::kMethod)) {
        throw DispatchException(hresult::kMemberNotFound, QStringLiteral("Member not found"));
    }
    Variant result;
    ScriptError error;
    if (!Engine().CallFunction(m_names[id - 1], arguments, &result, &error)) {
        throw DispatchException::Raised(error.description, error.code);
    }
    return result;
}

}  // namespace tavi::automation::script
