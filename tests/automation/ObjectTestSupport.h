#pragma once

#include "../playlist/PlaylistTestSupport.h"

#include "automation/dispatch/DispatchObject.h"
#include "automation/objects/AutomationHost.h"
#include "automation/objects/AutomationModel.h"
#include "automation/objects/CApplication.h"
#include "automation/objects/CConsoleDispatch.h"
#include "automation/objects/CMacrosCollection.h"
#include "automation/objects/CPlayerDispatch.h"
#include "automation/objects/ConsoleArea.h"
#include "engines/player/CPlayer.h"
#include "playlist/view/CTaviView.h"
#include "playlist/view/ViewPlayer.h"
#include "support/QtApp.h"

#include <QMainWindow>
#include <QStatusBar>

namespace tavi::test {

// A main window over a real document and view, with a status bar and a console dock,
// standing in for the application the objects reach.
class TestHost : public automation::AutomationHost {
public:
    explicit TestHost(playlist::CTaviDoc& document) : m_document(document) {
        window.statusBar();
        view = new playlist::CTaviView(document, &window);
        window.setCentralWidget(view);
        console = new automation::ConsoleArea(&window);
        window.addDockWidget(Qt::BottomDockWidgetArea, console);
        window.setGeometry(40, 50, 400, 300);
    }
    QMainWindow* MainWindow() const override { return hasWindow ? &window : nullptr; }
    playlist::CTaviView* ActiveView() const override { return view; }
    playlist::CTaviDoc* ActiveDocument() const override { return &m_document; }
    automation::ConsoleArea* Console() const override { return console; }
    bool OpenDocumentFile(const QString& path) override {
        opened.append(path);
        return m_document.OpenDocumentFile(path);
    }
    void NewDocument() override { m_document.NewDocument(); }
    void PostFrameCommand(int id) override {
        QMetaObject::invokeMethod(
            &window, [this, id] { frameCommands.append(id); }, Qt::QueuedConnection);
    }
    void ShowMessageBox(const QString& text) override { messages.append(text); }
    void ShowPropertiesDialog(const QString& caption, automation::DispatchObject* object) override {
        messages.append(caption + QLatin1Char('|') + (object ? object->TypeName() : QString()));
    }
    void ShowHtmlDialog(const QString& url) override { messages.append(url); }

    mutable QMainWindow window;
    playlist::CTaviView* view;
    automation::ConsoleArea* console;
    bool hasWindow = true;
    QStringList opened;
    QStringList messages;
    QList<int> frameCommands;

private:
    playlist::CTaviDoc& m_document;
};

// Calls members by name as a late-bound client does.
inline automation::Variant Get(automation::DispatchObject& object, const QString& name,
                               std::vector<automation::Variant> arguments = {}) {
    const auto id = object.GetIDsOfNames({name}).front();
    return object.Invoke(
        id, automation::dispatchflags::kMethod | automation::dispatchflags::kPropertyGet,
        std::move(arguments));
}
inline void Put(automation::DispatchObject& object, const QString& name,
                automation::Variant value) {
    const auto id = object.GetIDsOfNames({name}).front();
    object.Invoke(id, automation::dispatchflags::kPropertyPut, {std::move(value)});
}
inline automation::DispatchObject& Object(const automation::Variant& value) {
    return *value.ToObject();
}
inline automation::Variant Str(const char* text) {
    return automation::Variant::FromString(QString::fromUtf8(text));
}
inline automation::Variant Int(int32_t value) {
    return automation::Variant::FromInt32(value);
}

// The raised error of a call: its description and code ("" when the call succeeded).
template <typename Call>
std::pair<QString, int> ErrorOf(Call call) {
    try {
        call();
    } catch (const automation::DispatchException& e) {
        return {e.GetDescription(), e.GetCode()};
    }
    return {};
}

class ObjectModelTest : public PlaylistTest {
protected:
    ObjectModelTest() {
        player().fadeOut = false;
        host = std::make_unique<TestHost>(*doc);
        objects = std::make_unique<automation::AutomationModel>(*host);
    }
    ~ObjectModelTest() override {
        objects.reset();
        host.reset();
    }
    automation::CApplication& app() { return *objects->MainApplication(); }
    automation::DispatchObject& playerObject() {
        return Object(Get(app(), QStringLiteral("Player")));
    }
    std::shared_ptr<automation::DispatchObject> playlistObject() {
        return Get(app(), QStringLiteral("Playlist")).ToObject();
    }

    std::unique_ptr<TestHost> host;
    std::unique_ptr<automation::AutomationModel> objects;
};

}  // namespace tavi::test
