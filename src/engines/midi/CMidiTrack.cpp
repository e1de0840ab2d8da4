#include "CMidiTrack.h"

#include "CAWEManDll.h"
#include "SoundBankChoice.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "platform/mci/midi/SequencerSynths.h"

#include <QCoreApplication>
#include <cstdio>
#include <mutex>

namespace tavi::engines {

namespace {

std::mutex g_promptsMutex;  // guards g_prompts
SoundBankPrompts g_prompts;

SoundBankPrompts Prompts() {
    std::lock_guard lock(g_promptsMutex);
    return g_prompts;
}

void ShowMessage(const QString& text) {
    const SoundBankPrompts prompts = Prompts();
    if (prompts.showMessage) {
        prompts.showMessage(text);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
}

// Closing after a failure: its own error would only hide the first one.
void CloseQuietly(CAWEManDll& manager, uintptr_t* connection) {
    if (*connection != 0) {
        try {
            manager.CloseConnection(connection);
        } catch (const errors::CException&) {
        }
    }
}

}  // namespace

CMidiTrack::~CMidiTrack() {
    Close();
}

void CMidiTrack::SetPrompts(SoundBankPrompts prompts) {
    std::lock_guard lock(g_promptsMutex);
    g_prompts = std::move(prompts);
}

void CMidiTrack::Open(const QString& fileName) {
    // Before the bank: it is laid over the default font, which must not change under it.
    mci::SequencerSynths::Instance().SetPreferredSoundFont(
        settings::playerSettings().midiSoundFont);
    m_bankLoaded = LoadSoundBankFor(fileName);
    CMCITrack::Open(fileName);
}

void CMidiTrack::Close() {
    CMCITrack::Close();
    if (m_bankLoaded) {
        ClearSoundBank();
    }
}

bool CMidiTrack::LoadSoundBankFor(const QString& midiFile) {
    CAWEManDll& manager = CAWEManDll::Instance();
    const uint32_t option = settings::viewSettings().soundBankOptions;
    if (!manager.IsUsable() || option == 0) {
        return false;
    }
    const QString bank = ChooseSoundBank(midiFile, option, Prompts().chooseSoundFont);
    if (bank.isEmpty()) {
        return false;
    }
    uintptr_t connection = 0;
    try {
        connection = manager.OpenConnection();
        manager.LoadBank(connection, bank);
        manager.CloseConnection(&connection);
        return true;
    } catch (const errors::CException& e) {
        ShowMessage(QCoreApplication::translate("CMidiTrack", "AWE32 SoundBank '%1'\n\n%2")
                        .arg(bank, e.GetErrorMessage()));
        CloseQuietly(manager, &connection);
        return false;
    }
}

void CMidiTrack::ClearSoundBank() {
    m_bankLoaded = false;
    CAWEManDll& manager = CAWEManDll::Instance();
    uintptr_t connection = 0;
    try {
        connection = manager.OpenConnection();
        manager.ClearBank(connection);
        manager.CloseConnection(&connection);
    } catch (const errors::CException& e) {
        ShowMessage(QCoreApplication::translate("CMidiTrack", "Clear SoundBank:\n\n%1")
                        .arg(e.GetErrorMessage()));
        CloseQuietly(manager, &connection);
    }
}

}  // namespace tavi::engines
