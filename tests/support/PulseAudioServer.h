#pragma once

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

namespace tavi::test {

// A private PulseAudio server with a null sink and a null source, so that ALSA's "default"
// device has a real mixer with a "Master" element on machines without a sound card. The
// server's socket is published to this process through XDG_RUNTIME_DIR and PULSE_SERVER.
class PulseAudioServer {
public:
    PulseAudioServer() {
        QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.insert(QStringLiteral("HOME"), m_runtime.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        // Off the session bus: servers of tests running at once would all claim the same
        // bus name there, and all but the first would exit.
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                   QStringLiteral("unix:path=/nonexistent"));
        m_server.setProcessEnvironment(env);
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.start(
            QStringLiteral("pulseaudio"),
            {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--log-level=error"),
             QStringLiteral("-L"), QStringLiteral("module-null-sink sink_name=tavi_null"),
             QStringLiteral("-L"), QStringLiteral("module-null-source source_name=tavi_src"),
             QStringLiteral("-L"), QStringLiteral("module-native-protocol-unix")});
        const QString socket = m_runtime.filePath(QStringLiteral("pulse/native"));
        for (int i = 0; i < 300 && !QFileInfo::exists(socket);
             ++i) {  // up to 15 s on a busy machine
            QThread::msleep(50);
        }
        m_ready = QFileInfo::exists(socket);
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
        qputenv("PULSE_SERVER", (QStringLiteral("unix:") + socket).toLocal8Bit());
    }
    ~PulseAudioServer() {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    bool isReady() const { return m_ready; }

private:
    QTemporaryDir m_runtime;
    QProcess m_server;
    bool m_ready = false;
};

// Points ALSA's "default" device at a sound server that does not exist, as on a machine
// without any sound service.
inline void withoutAnySoundServer(const QTemporaryDir& emptyRuntime) {
    qputenv("XDG_RUNTIME_DIR", emptyRuntime.path().toLocal8Bit());
    qputenv(
        "PULSE_SERVER",
        (QStringLiteral("unix:") + emptyRuntime.filePath(QStringLiteral("none"))).toLocal8Bit());
}

}  // namespace tavi::test
