#include "AutomationModel.h"

#include "AutomationHost.h"
#include "CApplication.h"
#include "CConsoleDispatch.h"
#include "CDocumentDispatch.h"
#include "CMacrosCollection.h"
#include "CPlayerDispatch.h"
#include "app/settings/AppKey.h"
#include "automation/script/CActiveScriptSite.h"
#include "playlist/CTaviDoc.h"

namespace tavi::automation {

AutomationModel::AutomationModel(AutomationHost& host, QObject* parent)
    : QObject(parent),
      m_host(host),
      m_application(std::make_shared<CApplication>(*this)),
      m_player(std::make_shared<CPlayerDispatch>(host)),
      m_console(std::make_shared<CConsoleDispatch>(host.Console())),
      m_macroList([] { return settings::openApplicationKey(reg::Registry::instance()); }, this),
      m_macros(std::make_shared<CMacrosCollection>(m_macroList)) {
    WatchDocument(host.ActiveDocument());
}

AutomationModel::~AutomationModel() = default;

std::shared_ptr<DispatchObject> AutomationModel::DocumentObject(playlist::CTaviDoc* document) {
    if (!document) {
        return nullptr;
    }
    if (document != m_document) {
        WatchDocument(document);
    }
    if (!m_documentObject) {
        m_documentObject = std::make_shared<CDocumentDispatch>(*this, document);
    }
    return m_documentObject;
}

std::shared_ptr<CApplication> AutomationModel::CreateApplication() {
    return std::make_shared<CApplication>(*this);
}

void AutomationModel::RunStartup() {
    m_macroList.RunStartupMacros();
    FireStartup();
}

void AutomationModel::RegisterNamedItems(script::CActiveScriptSite& site) {
    constexpr uint32_t kFlags = script::scriptitem::kIsVisible | script::scriptitem::kIsSource;
    site.AddNamedItemInfo(QStringLiteral("Application"), m_application, kFlags);
    site.AddNamedItemInfo(QStringLiteral("Player"), m_player, kFlags);
    site.AddNamedItemInfo(QStringLiteral("Console"), m_console, kFlags);
}

void AutomationModel::FireStartup() {
    m_application->FireEvent(CApplication::kStartup);
}

void AutomationModel::FireShutdown() {
    m_application->FireEvent(CApplication::kShutdown);
}

void AutomationModel::WatchDocument(playlist::CTaviDoc* document) {
    if (m_document) {
        disconnect(m_document, nullptr, this, nullptr);
    }
    m_document = document;
    m_documentObject.reset();
    if (!document) {
        return;
    }
    // The Player's Start and Stop follow every change of the current track.
    connect(document, &playlist::CTaviDoc::currentTrackChanged, this,
            [this](engines::CMediaTrack* track) {
                m_player->FireEvent(track ? CPlayerDispatch::kStart : CPlayerDispatch::kStop);
            });
}

}  // namespace tavi::automation
