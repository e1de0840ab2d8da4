#include "CPlaylistDispatch.h"

#include "AutomationHost.h"
#include "ErrorTexts.h"
#include "engines/player/CPlayer.h"
#include "playlist/CTaviDoc.h"
#include "playlist/CommandIds.h"
#include "playlist/DisplayName.h"
#include "playlist/PlaylistEditor.h"
#include "playlist/PlaylistModel.h"
#include "playlist/player/PlaylistPlayer.h"

namespace tavi::automation {

namespace {
using T = Variant::Type;
}

CPlaylistDispatch::CPlaylistDispatch(AutomationHost& host, playlist::PlaylistPlayer* player)
    : m_host(host), m_player(player) {
    AddListMembers();
    AddEditMembers();
}

playlist::PlaylistPlayer& CPlaylistDispatch::Player() const {
    if (!m_player) {
        throw DispatchException::Raised(errortext::PlaylistClosed());
    }
    return *m_player;
}

void CPlaylistDispatch::AddListMembers() {
    AddProperty(QStringLiteral("Count"), 1, T::Int32, [this](const auto&) {
        return Variant::FromInt32(Player().document().model().count());
    });
    AddProperty(
        QStringLiteral("SelectedIndex"), 2, T::Int32,
        [this](const auto&) { return Variant::FromInt32(Player().document().model().current()); },
        [this](const Variant& value) { Player().document().model().setCurrent(value.ToInt32()); });
    AddProperty(
        QStringLiteral("NextIndex"), 3, T::Int32,
        [this](const auto&) { return Variant::FromInt32(Player().player().NextEntryIndex()); },
        [](const Variant&) {});  // assigning is accepted and changes nothing
    AddMethod(QStringLiteral("DisplayNameOf"), 7, {T::String}, T::String, [](const auto& a) {
        return Variant::FromString(playlist::GetDisplayName(a[0].ToString()));
    });
    AddMember({QStringLiteral("Item"),
               8,
               Member::Kind::ReadOnlyProperty,
               {T::Int32},
               T::String,
               [this](const auto& a) {
                   const playlist::PlaylistModel& model = Player().document().model();
                   const int index = a[0].ToInt32();
                   const bool inRange = index >= 0 && index < model.count();
                   return Variant::FromString(inRange ? model.path(index) : QString());
               },
               {}});
}

void CPlaylistDispatch::AddEditMembers() {
    AddMethod(QStringLiteral("Remove"), 4, {T::Int32}, T::Empty, [this](const auto& a) {
        Player().document().editor().RemoveEntryFromOutside(a[0].ToInt32());
        return Variant();
    });
    AddMethod(QStringLiteral("Insert"), 5, {T::Int32, T::String}, T::Empty, [this](const auto& a) {
        Player().document().editor().InsertEntryFromOutside(a[0].ToInt32(), a[1].ToString());
        return Variant();
    });
    AddMethod(QStringLiteral("Add"), 6, {T::String}, T::Empty, [this](const auto& a) {
        Player().document().editor().AddPathFromOutside(a[0].ToString());
        return Variant();
    });
    AddMethod(QStringLiteral("Load"), 31, {T::String}, T::Bool, [this](const auto& a) {
        return Variant::FromBool(m_host.OpenDocumentFile(a[0].ToString()));
    });
    AddMethod(QStringLiteral("RemoveAll"), 32, {}, T::Empty, [this](const auto&) {
        // The window's Clear All (with its undo step), after any long operation on the list.
        Player().document().editor().WhenIdle(
            [&host = m_host] { host.PostFrameCommand(playlist::cmd::kClearAll); });
        return Variant();
    });
}

}  // namespace tavi::automation
