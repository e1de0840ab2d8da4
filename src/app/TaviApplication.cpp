#include "TaviApplication.h"

#include "TerminationSignals.h"
#include "app/Version.h"
#include "app/settings/AppKey.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/SettingsKeys.h"
#include "app/settings/SettingsValues.h"
#include "app/settings/ViewSettings.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QSystemTrayIcon>

#include <cstdio>
#include <cstring>

namespace tavi::app {

namespace {

bool hasSwitch(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0) {
            return true;
        }
    }
    return false;
}

void restorePlaylistDir() {
    const reg::RegKey key = settings::openApplicationKey(reg::Registry::instance(), settings::keys::kSettings);
    const QString dir = settings::readString(key, settings::keys::kPlaylistDir, QString());
    if (!dir.isEmpty()) {
        QDir::setCurrent(dir);  // a folder that is gone is ignored
    }
}

void savePlaylistDir() {
    reg::RegKey key = settings::openApplicationKey(reg::Registry::instance(), settings::keys::kSettings);
    settings::writeString(key, settings::keys::kPlaylistDir, QDir::currentPath());
}

}  // namespace

int runTavi(int argc, char** argv) {
    if (hasSwitch(argc, argv, "--version")) {
        std::printf("Tavi %s\n", TAVI_VERSION_STRING);
        return 0;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavi"));
    QApplication::setOrganizationName(settings::keys::kCompany);
    QApplication::setApplicationVersion(QStringLiteral(TAVI_VERSION_STRING));
    QApplication::setDesktopFileName(QStringLiteral("org.kestrova.Tavi"));

    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, &application,
                     &QApplication::quit);

    restorePlaylistDir();
    int exitCode = 0;
    {
        settings::LoadPlayerSettings();
        reg::RegKey settingsKey =
            settings::openApplicationKey(reg::Registry::instance(), settings::keys::kSettings);
        settings::loadViewSettings(settingsKey, settings::viewSettings(),
                                   QSystemTrayIcon::isSystemTrayAvailable());

        QMainWindow window;
        window.setWindowTitle(QStringLiteral("Tavi"));
        window.resize(480, 360);
        window.show();
        exitCode = QApplication::exec();

        settings::SavePlayerSettings();
        settings::saveViewSettings(settingsKey, settings::viewSettings(), true);
    }
    savePlaylistDir();
    reg::Registry::instance().flush();
    return exitCode;
}

}  // namespace tavi::app
