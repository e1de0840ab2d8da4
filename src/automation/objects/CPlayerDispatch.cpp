#include "CPlayerDispatch.h"

#include "AutomationHost.h"
#include "ErrorTexts.h"
#include "Guids.h"
#include "engines/player/CPlayer.h"
#include "playlist/CTaviDoc.h"
#include "playlist/player/PlaylistPlayer.h"

#include <array>

namespace tavi::automation {

namespace {
using T = Variant::Type;
namespace playercmd = engines::playercmd;

// The mode words by mode number.
const std::array<QString, 6> kModeWords = {QStringLiteral("NORMAL"), QStringLiteral("REPEAT"),
                                           QStringLiteral("RANDOM"), QStringLiteral("SHUFFLE"),
                                           QStringLiteral("INTRO"),  QStringLiteral("LOOP")};

}  // namespace

CPlayerDispatch::CPlayerDispatch(AutomationHost& host)
    : CCmdTargetPlus(guids::kPlayer, guids::kPlayer, guids::kPlayerEvents), m_host(host) {
    AddTrackMembers();
    AddCommands();
}

void CPlayerDispatch::AddTrackMembers() {
    auto track = [this]() -> engines::CMediaTrack* {
        playlist::CTaviDoc* document = m_host.ActiveDocument();
        return document ? document->GetCurrentTrack() : nullptr;
    };
    AddProperty(QStringLiteral("Status"), 1, T::String, [track](const auto&) {
        engines::CMediaTrack* current = track();
        if (!current) {
            return Variant::FromString(QStringLiteral("STOP"));
        }
        return Variant::FromString(current->IsPaused() ? QStringLiteral("PAUSE")
                                                       : QStringLiteral("PLAY"));
    });
    AddProperty(
        QStringLiteral("FileName"), 2, T::String,
        [track](const auto&) {
            return Variant::FromString(track() ? track()->GetFileName() : QString());
        },
        [this](const Variant& value) {
            if (playlist::PlaylistPlayer* player = m_host.ActivePlayer()) {
                player->player().PlayFile(value.ToString());
            }
        });
    AddProperty(
        QStringLiteral("Position"), 3, T::Double,
        [track](const auto&) {
            return Variant::FromDouble(track() ? track()->GetPosition() : 0.0);
        },
        [track](const Variant& value) {
            if (engines::CMediaTrack* current = track()) {
                current->Seek(value.ToDouble());
            }
        });
    AddProperty(QStringLiteral("Duration"), 4, T::Double, [track](const auto&) {
        return Variant::FromDouble(track() ? track()->GetLength() : 0.0);
    });
    AddProperty(
        QStringLiteral("Mode"), 5, T::String,
        [this](const auto&) {
            playlist::PlaylistPlayer* player = m_host.ActivePlayer();
            const uint32_t mode = player ? player->player().GetMode() : 0;
            return Variant::FromString(mode < kModeWords.size() ? kModeWords[mode] : QString());
        },
        [this](const Variant& value) {
            playlist::PlaylistPlayer* player = m_host.ActivePlayer();
            for (size_t mode = 0; player && mode < kModeWords.size(); ++mode) {
                if (kModeWords[mode] == value.ToString()) {  // exact, case-sensitive
                    player->player().SetMode(uint32_t(mode));
                }
            }
        });
}

void CPlayerDispatch::AddCommands() {
    auto command = [this](QString name, DispId id, int commandId) {
        AddMethod(std::move(name), id, {}, T::Empty, [this, commandId](const auto&) {
            Post(commandId);
            return Variant();
        });
    };
    command(QStringLiteral("Play"), 6, playercmd::kPlay);
    command(QStringLiteral("Stop"), 7, playercmd::kStop);
    command(QStringLiteral("Next"), 8, playercmd::kNext);
    command(QStringLiteral("Pause"), 9, playercmd::kPause);
    AddMethod(QStringLiteral("PlayJingle"), 10, {T::String}, T::Empty, [](const auto&) -> Variant {
        throw DispatchException::Raised(errortext::PlayJingleUnsupported(),
                                        errortext::kPlayJingleCode);
    });
}

void CPlayerDispatch::Post(int command) {
    // As a posted menu command: the player runs it later, if it is enabled by then.
    if (playlist::PlaylistPlayer* player = m_host.ActivePlayer()) {
        QMetaObject::invokeMethod(
            player, [player, command] { player->RunPlayerCommand(command); }, Qt::QueuedConnection);
    }
}

}  // namespace tavi::automation
