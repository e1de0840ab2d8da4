#pragma once

#include "engines/player/PlayerHost.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <random>

namespace tavi::test {

// A plain playlist for the player: a list of entry texts with one selection, holding the
// current track as the document does, and recording what started and what was shown.
class ListHost : public engines::PlayerHost {
public:
    explicit ListHost(QStringList entries, int selection = 0)
        : entries(std::move(entries)), selection(selection) {}

    int GetSelection() const override { return selection; }
    void SetSelection(int index) override {
        selection = index;
        selections.append(index);
    }
    int GetCount() const override { return int(entries.size()); }
    QString GetEntry(int index) const override { return entries.value(index); }
    QString GetDisplayName(const QString& entry) const override {
        return QFileInfo(entry).completeBaseName();
    }
    void ShufflePlaylist() override {
        ++shuffles;
        std::shuffle(entries.begin(), entries.end(), std::mt19937(shuffles));
        selection = 0;
    }
    int NextRandom() override {
        m_random = m_random * 214013u + 2531011u;
        return int((m_random >> 16) & 0x7FFF);
    }

    engines::CMediaTrack* GetCurrentTrack() const override { return current.get(); }
    void SetCurrentTrack(std::unique_ptr<engines::CMediaTrack> track) override {
        started.append(track->GetFileName());
        startedAt.append(selection);
        current = std::move(track);
    }
    void CloseCurrentTrack() override {
        if (current) {
            closedAt.append(current->GetPosition());
            current->Close();
            current.reset();
        }
    }
    std::unique_ptr<engines::CMediaTrack> TakeCurrentTrack() override { return std::move(current); }
    void ShowTrackError(const errors::CException& error, const QString& entry) override {
        shownErrors.append(error.GetErrorMessage());
        errorEntries.append(entry);
    }
    void MarkEntryFailed(const QString& entry, bool failed) override {
        if (failed) {
            failedEntries.append(entry);
        } else {
            failedEntries.removeAll(entry);
        }
    }

    QStringList errorEntries;   // the entry each shown error named
    QStringList failedEntries;  // marked as failed, not played since

    QStringList entries;
    int selection;
    std::unique_ptr<engines::CMediaTrack> current;
    QStringList started;     // file of every track that started, in order
    QList<int> startedAt;    // the selection when it started
    QList<double> closedAt;  // the position of every track when it was closed
    QStringList shownErrors;
    QList<int> selections;  // every selection the player made, in order
    int shuffles = 0;

private:
    uint32_t m_random = 12345;
};

}  // namespace tavi::test
