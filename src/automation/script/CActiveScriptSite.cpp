#include "CActiveScriptSite.h"

#include "ScriptEngines.h"
#include "ScriptErrorText.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include "platform/registry/Registry.h"

#include <cerrno>

namespace tavi::automation::script {

namespace {

CActiveScriptSite::ErrorPresenter& Presenter() {
    static CActiveScriptSite::ErrorPresenter presenter;
    return presenter;
}

// An engine let go while its code still runs (a script that removed its own macro) is
// closed once that code has returned to the event loop.
void CloseWhenIdle(std::shared_ptr<ScriptEngine> engine) {
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        new std::shared_ptr<ScriptEngine>(std::move(engine));  // no loop: leaking beats closing
        return;                                                // under the running code
    }
    QMetaObject::invokeMethod(
        application,
        [engine] {
            if (engine->IsRunningCode()) {
                CloseWhenIdle(engine);
            } else {
                engine->Close();
            }
        },
        Qt::QueuedConnection);
}

// The default value of a key under HKEY_CLASSES_ROOT; nullopt when the key is missing.
std::optional<QString> ClassesDefault(const QString& path) {
    const reg::RegKey key = reg::Registry::instance().open(reg::Root::ClassesRoot, path);
    if (!key.isValid()) {
        return std::nullopt;
    }
    return key.stringValue(QString()).value_or(QString());
}

}  // namespace

void CActiveScriptSite::SetErrorPresenter(ErrorPresenter presenter) {
    Presenter() = std::move(presenter);
}

CActiveScriptSite::CActiveScriptSite() = default;

CActiveScriptSite::~CActiveScriptSite() {
    CloseEngine();
}

HResult CActiveScriptSite::CreateEngine(const QString& language) {
    std::unique_ptr<ScriptEngine> engine;
    if (const HResult found = scriptengines::Create(language, &engine); hr::Failed(found)) {
        return found;
    }
    if (const HResult set = engine->SetScriptSite(this); hr::Failed(set)) {
        return set;
    }
    if (const HResult initialised = engine->InitNew(); hr::Failed(initialised)) {
        return initialised;
    }
    m_engine = std::move(engine);
    return AddNamedItems();
}

HResult CActiveScriptSite::LoadScriptFile(const QString& path) {
    m_scriptFileName = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return hr::FromSystemError(file.exists() ? EACCES : ENOENT);
    }
    QString text;
    QTextStream lines(&file);
    while (!lines.atEnd()) {
        text += lines.readLine() + QLatin1Char('\n');
    }
    file.close();
    const QString suffix = QFileInfo(path).suffix();
    const std::optional<QString> fileType =
        suffix.isEmpty() ? std::nullopt : ClassesDefault(QLatin1Char('.') + suffix);
    if (!fileType) {
        return hr::kUnexpected;
    }
    const std::optional<QString> language =
        ClassesDefault(*fileType + QStringLiteral("\\ScriptEngine"));
    if (fileType->isEmpty() || !language) {
        return hr::kInvalidArg;
    }
    if (const HResult created = CreateEngine(*language); hr::Failed(created)) {
        return created;
    }
    return AddScriptText(text);
}

HResult CActiveScriptSite::AddScriptText(const QString& code) {
    return m_engine ? m_engine->ParseScriptText(code) : hr::kUnexpected;
}

HResult CActiveScriptSite::AddNamedItems() {
    for (const auto& [name, info] : m_items) {
        if (const HResult added = m_engine->AddNamedItem(name, info.GetFlags());
            hr::Failed(added)) {
            return added;
        }
    }
    return hr::kOk;
}

void CActiveScriptSite::AddNamedItemInfo(const QString& name,
                                         std::shared_ptr<DispatchObject> object, uint32_t flags) {
    for (auto& [itemName, info] : m_items) {
        if (itemName == name) {
            info = CCmdTargetPlusObjectInfo(std::move(object), flags);
            return;
        }
    }
    m_items.emplace_back(name, CCmdTargetPlusObjectInfo(std::move(object), flags));
}

HResult CActiveScriptSite::RunScript() {
    return m_engine ? m_engine->SetScriptState(ScriptState::Connected) : hr::kUnexpected;
}

HResult CActiveScriptSite::StopScript() {
    return m_engine ? m_engine->SetScriptState(ScriptState::Disconnected) : hr::kUnexpected;
}

bool CActiveScriptSite::IsScriptRunning() const {
    ScriptState state = ScriptState::Uninitialized;
    return m_engine && !hr::Failed(m_engine->GetScriptState(&state)) &&
           state == ScriptState::Connected;
}

void CActiveScriptSite::CloseEngine() {
    if (m_engine && m_engine->IsRunningCode()) {
        m_engine->SetScriptSite(nullptr);
        CloseWhenIdle(std::shared_ptr<ScriptEngine>(std::move(m_engine)));
    } else if (m_engine) {
        m_engine->Close();
        m_engine->SetScriptSite(nullptr);
        m_engine.reset();
    }
    m_scriptFileName.clear();
}

std::shared_ptr<DispatchObject> CActiveScriptSite::ScriptDispatch() {
    return m_engine ? m_engine->GetScriptDispatch() : nullptr;
}

const CCmdTargetPlusObjectInfo* CActiveScriptSite::FindItem(const QString& name) const {
    for (const auto& [itemName, info] : m_items) {
        if (itemName == name) {
            return &info;
        }
    }
    return nullptr;
}

HResult CActiveScriptSite::GetItemInfo(const QString& name, uint32_t mask,
                                       std::shared_ptr<DispatchObject>* object,
                                       const TypeLibrary::Coclass** typeInfo) {
    const CCmdTargetPlusObjectInfo* item =
        FindItem(name.isNull() ? QStringLiteral("Application") : name);
    if (!item) {
        return hr::kElementNotFound;
    }
    if (mask & kItemTypeInfo) {
        if (!typeInfo) {
            return hr::kInvalidArg;
        }
        if (const HResult got = item->GetTypeInfo(typeInfo); hr::Failed(got)) {
            return got;
        }
    }
    if (mask & kItemUnknown) {
        if (!object) {
            return hr::kInvalidArg;
        }
        if (const HResult got = item->GetUnknown(object); hr::Failed(got)) {
            return got;
        }
    }
    return hr::kOk;
}

HResult CActiveScriptSite::OnScriptError(const ScriptError& error) {
    if (Presenter()) {
        Presenter()(scripterrortext::Text(m_scriptFileName, error),
                    scripterrortext::Caption(error));
    }
    return hr::kOk;
}

}  // namespace tavi::automation::script
