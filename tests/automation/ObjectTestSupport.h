#pragma once

#include "../playlist/PlaylistTestSupport.h"

#include "automation/dispatch/DispatchObject.h"
#include "automation/objects/AutomationHost.h"
#include "automation/objects/AutomationModel.h"
#include "automation/objects/CApplication.h"
#include "automation/objects/CConsoleDispatch.h"
#include "automation/objects/CMacrosCollection.h"
#include "automation/objects/CPlayerDispatch.h"
#include "automation/objects/CConsoleBar.h"
#include "engines/player/CPlayer.h"
#include "playlist/player/PlaylistPlayer.h"
#include "support/QtApp.h"

#include <QMainWindow>
#include <QStatusBar>

namespace tavi::test {

// The application the objects reach: a real document and its player, without widgets; a
// main window with a status bar and a console dock only when a test asks for one (which
// needs a QApplication).
class TestHost : public automation::AutomationHost {
public:
    explicit TestHost(playlist::CTaviDoc& document)
        : player(new playlist::PlaylistPlayer(document)), m_document(document) {}
    ~TestHost() override { delete player; }
    void AddWindow() {
        window = std::make_unique<QMainWindow>();
        window->statusBar();
        console = new automation::CConsoleBar(window.get());
        window->addDockWidget(Qt::BottomDockWidgetArea, console);
        window->setGeometry(40, 50, 400, 300);
    }
    QMainWindow* MainWindow() const override { return hasWindow ? window.get() : nullptr; }
    playlist::PlaylistPlayer* ActivePlayer() const override { return player; }
    playlist::CTaviDoc* ActiveDocument() const override { return &m_document; }
    automation::CConsoleBar* Console() const override { return console; }
    bool OpenDocumentFile(const QString& path) override {
        opened.append(path);
        return m_document.OpenDocumentFile(path);
    }
    void NewDocument() override { m_document.NewDocument(); }
    void PostFrameCommand(int id) override {
        QMetaObject::invokeMethod(
            player, [this, id] { frameCommands.append(id); }, Qt::QueuedConnection);
    }
    void ShowMessageBox(const QString& text) override { messages.append(text); }
    void ShowPropertiesDialog(const QString& caption, automation::DispatchObject* object) override {
        messages.append(caption + QLatin1Char('|') + (object ? object->TypeName() : QString()));
    }
    void ShowHtmlDialog(const QString& url) override { messages.append(url); }

    playlist::PlaylistPlayer* player;
    std::unique_ptr<QMainWindow> window;
    automation::CConsoleBar* console = nullptr;
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
    // The objects that need a main window are tested with one (and a QApplication).
    explicit ObjectModelTest(bool withWindow = false) {
        player().fadeOut = false;
        host = std::make_unique<TestHost>(*doc);
        if (withWindow) {
            host->AddWindow();
        }
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
