#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace tavi::app {

// Looks after the folders Tavi keeps its own files in (settings hive, CD titles, session
// copy): at start it removes what a killed run left half-replaced there and checks that the
// folders can be written. A read-only folder, or any later failure to save the settings, is
// told once a run: settings changed then live only until Tavi ends.
class SettingsFolderWatch {
public:
    using Tell = std::function<void(const QString& message)>;

    // folders: the ones to look after; tell shows the message (on the UI thread).
    SettingsFolderWatch(QStringList folders, Tell tell);
    ~SettingsFolderWatch();
    SettingsFolderWatch(const SettingsFolderWatch&) = delete;
    SettingsFolderWatch& operator=(const SettingsFolderWatch&) = delete;

    // The folders of a normal run: the settings hive's, the CD titles' and the session copy's.
    static QStringList DefaultFolders();

    // Sweeps leftovers, checks that each folder can be written, and tells of the first that
    // cannot. Also reports later failed saves of the settings. Returns the leftovers removed.
    int Start();
    // What the user is told; empty while nothing went wrong.
    static QString MessageFor(const QString& path, const QString& error);

private:
    // Shared with the save-failure handler, which may outlive the watch by a queued call.
    struct Teller {
        Tell tell;
        bool told = false;  // UI thread only
        void TellOnce(const QString& path, const QString& error);
    };

    QStringList m_folders;
    std::shared_ptr<Teller> m_teller;
};

}  // namespace tavi::app
