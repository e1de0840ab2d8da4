#include "CApplication.h"

#include "AutomationHost.h"
#include "AutomationModel.h"
#include "CConsoleDispatch.h"
#include "CMacrosCollection.h"
#include "CPlayerDispatch.h"
#include "CPlaylistDispatch.h"
#include "ErrorTexts.h"
#include "Guids.h"
#include "SendKeys.h"
#include "ShellExecute.h"
#include "app/settings/PlayerSettings.h"

#include <QMainWindow>

namespace tavi::automation {

namespace {
using T = Variant::Type;
}

CApplication::CApplication(AutomationModel& model)
    : CAppDispatch(model, guids::kApplication, guids::kIApplication, guids::kApplicationEvents) {
    AddProperty(QStringLiteral("Player"), 1, T::Dispatch,
                [this](const auto&) { return Variant::FromDispatch(this->model().Player()); });
    AddProperty(QStringLiteral("Playlist"), 2, T::Dispatch, [this](const auto&) {
        return Variant::FromDispatch(std::make_shared<CPlaylistDispatch>(
            this->model().host(), this->model().host().ActivePlayer()));
    });
    AddProperty(QStringLiteral("Window"), 3, T::Int32, [this](const auto&) {
        return Variant::FromInt32(Window() ? int32_t(Window()->winId()) : 0);
    });
    AddProperty(QStringLiteral("Console"), 4, T::Dispatch,
                [this](const auto&) { return Variant::FromDispatch(this->model().Console()); });
    AddMethod(QStringLiteral("SendKeys"), 7, {T::String}, T::Empty, [this](const auto& a) {
        PostKeys(Window(), ParseKeys(a[0].ToString()));
        return Variant();
    });
    AddMethod(QStringLiteral("ShellExecute"), 9,
              {T::String, T::String, T::String, T::String, T::Int32}, T::Int32, [](const auto& a) {
                  return Variant::FromInt32(ShellExecute(a[0].ToString(), a[1].ToString(),
                                                         a[2].ToString(), a[3].ToString()));
              });
    AddProperty(QStringLiteral("MusicDirectory"), 10, T::String, [](const auto&) {
        return Variant::FromString(settings::playerSettings().mediaDir);
    });
    AddMethod(QStringLiteral("About"), 31, {}, T::Empty, [this](const auto&) {
        this->model().host().PostFrameCommand(kAboutCommand);
        return Variant();
    });
    AddMethod(QStringLiteral("Keep"), 32, {}, T::Empty, [](const auto&) { return Variant(); });
}

Variant CApplication::MacrosCollection() {
    if (!Window()) {
        throw DispatchException::Raised(errortext::NoMainWindow());
    }
    return Variant::FromDispatch(model().Macros());
}

}  // namespace tavi::automation
