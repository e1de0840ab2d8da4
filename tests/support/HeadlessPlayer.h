#pragma once

#include "automation/dbus/AutomationBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QThread>

namespace tavi::test {

// Starts the real player offscreen on the null output, with its settings, data, state and
// cache under home, and waits until it owns its name on this process's session bus. False
// when it did not come up within 30 s.
inline bool StartHeadlessPlayer(QProcess& player, const QString& binary, const QString& home,
                                QProcess::ProcessChannelMode channels) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CACHE_HOME"}) {
        environment.insert(QLatin1String(name), QDir(home).filePath(QLatin1String(name)));
    }
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TAVI_AUDIO_OUTPUT"), QStringLiteral("null"));
    player.setProcessEnvironment(environment);
    player.setProcessChannelMode(channels);
    player.start(binary, {});
    player.waitForStarted(10000);
    QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired() && player.state() == QProcess::Running) {
        if (QDBusConnection::sessionBus().interface()->isServiceRegistered(
                automation::AutomationBus::kService)) {
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

}  // namespace tavi::test
