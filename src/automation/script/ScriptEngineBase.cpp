#include "ScriptEngineBase.h"

#include "ScriptEventSink.h"
#include "ScriptGlobalDispatch.h"
#include "ScriptWatchdog.h"
#include "automation/dispatch/CCmdTargetPlus.h"

#include <QCoreApplication>

namespace tavi::automation::script {

namespace {
std::atomic<int64_t> g_timeLimitMs = 10000;
}

HResult hr::FromSystemError(int error) {
    return error <= 0 ? HResult(error) : HResult(0x80070000u | (uint32_t(error) & 0xFFFFu));
}

ScriptEngineBase::ScriptEngineBase() = default;

ScriptEngineBase::~ScriptEngineBase() = default;

void ScriptEngineBase::SetTimeLimit(std::chrono::milliseconds limit) {
    g_timeLimitMs = limit.count();
}

std::chrono::milliseconds ScriptEngineBase::TimeLimit() {
    return std::chrono::milliseconds(g_timeLimitMs.load());
}

HResult ScriptEngineBase::SetScriptSite(ScriptSite* site) {
    if (site && m_site && site != m_site) {
        return hr::kUnexpected;  // one site for the engine's life
    }
    m_site = site;
    return hr::kOk;
}

HResult ScriptEngineBase::InitNew() {
    if (!m_site || IsLoaded()) {
        return hr::kUnexpected;
    }
    CreateRuntime();
    m_lifetime = std::make_shared<int>(0);
    m_state = ScriptState::Initialized;
    return hr::kOk;
}

bool ScriptEngineBase::IsLoaded() const {
    return m_state != ScriptState::Uninitialized && m_state != ScriptState::Closed;
}

HResult ScriptEngineBase::AddNamedItem(const QString& name, uint32_t flags) {
    if (!IsLoaded() || name.isEmpty()) {
        return IsLoaded() ? hr::kInvalidArg : hr::kUnexpected;
    }
    m_items.push_back({name, flags, false});
    if (m_state != ScriptState::Initialized) {
        ExposeItems();
    }
    return hr::kOk;
}

HResult ScriptEngineBase::ParseScriptText(const QString& code) {
    if (!IsLoaded()) {
        return hr::kUnexpected;
    }
    if (m_state == ScriptState::Initialized) {
        // Parsed now, so that a broken file fails to load; run when the script starts.
        ScriptError error;
        if (!CheckSyntax(code, &error)) {
            if (m_site) {
                m_site->OnScriptError(error);
            }
            return hr::kReported;
        }
        m_pendingCode.append(code);
        return hr::kOk;
    }
    return Run([&](ScriptError* error) { return Evaluate(code, error); }, nullptr) ? hr::kOk
                                                                                   : hr::kReported;
}

HResult ScriptEngineBase::Start() {
    ExposeItems();
    m_state = ScriptState::Started;
    const QStringList code = std::exchange(m_pendingCode, {});
    for (const QString& text : code) {
        if (!Run([&](ScriptError* error) { return Evaluate(text, error); }, nullptr)) {
            return hr::kReported;
        }
    }
    return hr::kOk;
}

HResult ScriptEngineBase::SetScriptState(ScriptState state) {
    if (!IsLoaded()) {
        return hr::kUnexpected;
    }
    switch (state) {
        case ScriptState::Started:
        case ScriptState::Connected: {
            HResult result = hr::kOk;
            if (m_state == ScriptState::Initialized) {
                result = Start();
            }
            if (state == ScriptState::Connected && m_state != ScriptState::Connected) {
                ConnectEvents();
                m_state = ScriptState::Connected;
            }
            return result;
        }
        case ScriptState::Disconnected:
            if (m_state == ScriptState::Connected) {
                DisconnectEvents();
                m_state = ScriptState::Disconnected;
            }
            return hr::kOk;
        case ScriptState::Closed:
            return Close();
        default:
            return hr::kInvalidArg;
    }
}

HResult ScriptEngineBase::GetScriptState(ScriptState* state) const {
    if (!state) {
        return hr::kPointer;
    }
    *state = m_state;
    return hr::kOk;
}

HResult ScriptEngineBase::Close() {
    if (!IsLoaded()) {
        return hr::kOk;
    }
    DisconnectEvents();
    m_lifetime.reset();
    m_items.clear();
    m_pendingCode.clear();
    DestroyRuntime();
    m_state = ScriptState::Closed;
    return hr::kOk;
}

std::shared_ptr<DispatchObject> ScriptEngineBase::GetScriptDispatch() {
    if (!IsLoaded()) {
        return nullptr;
    }
    return std::make_shared<ScriptGlobalDispatch>(*this);
}

void ScriptEngineBase::Interrupt() {
    m_stopped = true;
    StopRunningCode();
}

bool ScriptEngineBase::HasFunction(const QString& name) {
    return IsLoaded() && HasGlobalFunction(name);
}

bool ScriptEngineBase::CallFunction(const QString& name, const std::vector<Variant>& arguments,
                                    Variant* result, ScriptError* error) {
    if (!IsLoaded()) {
        return false;
    }
    return Run([&](ScriptError* failure) { return CallGlobal(name, arguments, result, failure); },
               error);
}

QStringList ScriptEngineBase::FunctionNames() {
    return IsLoaded() ? GlobalFunctionNames() : QStringList();
}

// Every run of script code: the site hears of it, the watchdog limits it, and a failure is
// reported to the site.
bool ScriptEngineBase::Run(const std::function<bool(ScriptError*)>& body, ScriptError* failure) {
    const bool outermost = m_depth == 0;
    if (outermost) {
        if (m_site) {
            m_site->OnEnterScript();
        }
        m_stopped = false;
        const auto limit = TimeLimit();
        if (limit.count() > 0) {
            m_alarm = ScriptWatchdog::Instance().Arm(limit, [this] { Interrupt(); });
        }
    }
    ++m_depth;
    ScriptError error;
    const bool succeeded = body(&error);
    --m_depth;
    if (outermost) {
        ScriptWatchdog::Instance().Disarm(std::exchange(m_alarm, 0));
        if (m_stopped.exchange(false)) {
            AllowRunningCode();
            if (!succeeded) {
                error.description =
                    QCoreApplication::translate("ScriptHost",
                                                "The script ran longer than %1 s and was stopped.")
                        .arg(double(TimeLimit().count()) / 1000.0);
                error.source.clear();
            }
        }
        // The site may have let go of the engine while its code ran.
        if (m_site) {
            m_site->OnLeaveScript();
        }
    }
    if (!succeeded) {
        if (m_site) {
            m_site->OnScriptError(error);
        }
        if (failure) {
            *failure = error;
        }
    }
    return succeeded;
}

void ScriptEngineBase::ExposeItems() {
    if (!m_site) {
        return;
    }
    for (Item& item : m_items) {
        if (item.exposed || !(item.flags & scriptitem::kIsVisible)) {
            continue;
        }
        std::shared_ptr<DispatchObject> object;
        if (!hr::Failed(
                m_site->GetItemInfo(item.name, ScriptSite::kItemUnknown, &object, nullptr))) {
            Expose(item.name, std::move(object));
        }
        item.exposed = true;
    }
}

void ScriptEngineBase::ConnectEvents() {
    if (!m_site) {
        return;
    }
    for (const Item& item : m_items) {
        std::shared_ptr<DispatchObject> object;
        if (!(item.flags & scriptitem::kIsSource) ||
            hr::Failed(
                m_site->GetItemInfo(item.name, ScriptSite::kItemUnknown, &object, nullptr))) {
            continue;
        }
        auto source = std::dynamic_pointer_cast<CCmdTargetPlus>(object);
        if (!source) {
            continue;
        }
        auto sink = std::make_shared<ScriptEventSink>(*this, item.name, *source);
        if (const uint32_t cookie = source->Connect(sink)) {
            m_connections.emplace_back(source, cookie);
        }
    }
}

void ScriptEngineBase::DisconnectEvents() {
    for (const auto& [source, cookie] : m_connections) {
        if (const auto object = source.lock()) {
            object->Disconnect(cookie);
        }
    }
    m_connections.clear();
}

QString ScriptEngineBase::LineOf(const QString& code, int line) {
    if (line < 1) {
        return QString();
    }
    int start = 0;
    for (int i = 1; i < line; ++i) {
        start = code.indexOf(QLatin1Char('\n'), start);
        if (start < 0) {
            return QString();
        }
        ++start;
    }
    const int end = code.indexOf(QLatin1Char('\n'), start);
    return code.mid(start, end < 0 ? -1 : end - start);
}

}  // namespace tavi::automation::script
