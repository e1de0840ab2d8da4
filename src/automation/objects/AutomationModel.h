#pragma once

#include "automation/script/CMacroList.h"
#include "automation/script/CScriptHost.h"

#include <QObject>

#include <memory>

namespace tavi::playlist {
class CTaviDoc;
}

namespace tavi::automation {

class AutomationHost;
class CApplication;
class CConsoleDispatch;
class CMacrosCollection;
class CPlayerDispatch;
class DispatchObject;

// The objects the main window owns for its whole life: its own Application object (the one
// that raises Startup and Shutdown), the Player, the Console, the macro list with its
// Macros collection, and the document's Document object. Outside clients each get a new
// Application over the same model.
class AutomationModel : public QObject, public script::CScriptHost {
    Q_OBJECT
public:
    explicit AutomationModel(AutomationHost& host, QObject* parent = nullptr);
    ~AutomationModel() override;

    AutomationHost& host() const { return m_host; }
    script::CMacroList& macroList() { return m_macroList; }

    const std::shared_ptr<CApplication>& MainApplication() const { return m_application; }
    const std::shared_ptr<CPlayerDispatch>& Player() const { return m_player; }
    const std::shared_ptr<CConsoleDispatch>& Console() const { return m_console; }
    const std::shared_ptr<CMacrosCollection>& Macros() const { return m_macros; }
    // The Document object of a document: one object per document, the same each time.
    std::shared_ptr<DispatchObject> DocumentObject(playlist::CTaviDoc* document);

    // A new Application object for an outside client.
    std::shared_ptr<CApplication> CreateApplication();

    // The start-up command: the macros marked for it run, then Startup is raised, so that
    // they hear it.
    void RunStartup();
    // The application events on the main Application object.
    void FireStartup();
    void FireShutdown();

    // Every macro sees the main window's Application, Player and Console, and their events.
    void RegisterNamedItems(script::CActiveScriptSite& site) override;

private:
    void WatchDocument(playlist::CTaviDoc* document);

    AutomationHost& m_host;
    std::shared_ptr<CApplication> m_application;
    std::shared_ptr<CPlayerDispatch> m_player;
    std::shared_ptr<CConsoleDispatch> m_console;
    // After the objects: macros are closed while the objects they use still exist.
    script::CMacroList m_macroList;
    std::shared_ptr<CMacrosCollection> m_macros;
    playlist::CTaviDoc* m_document = nullptr;
    std::shared_ptr<DispatchObject> m_documentObject;
};

}  // namespace tavi::automation
