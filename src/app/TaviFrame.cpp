#include "TaviFrame.h"

#include "app/frame/CMainFrame.h"
#include "playlist/CTaviDoc.h"
#include "ui/options/CDXFilterPage.h"
#include "ui/options/CMetaDataPage.h"
#include "ui/optionsheet/OptionsPageRegistry.h"
#include "ui/video/CMediaTrackVideoWnd.h"

namespace tavi::app {

namespace {

// The engine's pages; the sheet places them in its fixed order among the frame's own.
void RegisterMediaPages(playlist::CTaviDoc& document) {
    ui::OptionsPageRegistry& registry = ui::OptionsPageRegistry::instance();
    registry.Register(QStringLiteral("Meta Data"),
                      [](QWidget* parent) { return new ui::CMetaDataPage(parent); });
    registry.Register(QStringLiteral("DirectX Plug-ins"), [&document](QWidget* parent) {
        // While a track plays, the page works on its live effect elements.
        return new ui::CDXFilterPage(document.GetCurrentTrack(), parent);
    });
}

}  // namespace

CTaviApp::Frame CreateTaviFrame(playlist::CTaviDoc& document, ApplicationServices& services) {
    RegisterMediaPages(document);
    std::unique_ptr<frame::CMainFrame> mainFrame = frame::CreateMainFrame(document, services);
    ui::CMediaTrackVideoWnd::Register();
    ui::CMediaTrackVideoWnd::Instance().SetKeyTarget(mainFrame.get());
    CTaviApp::Frame result;
    result.view = &mainFrame->view();
    result.show = [window = mainFrame.get()] { window->ShowFromSettings(); };
    result.window = std::move(mainFrame);
    return result;
}

}  // namespace tavi::app
