// The tray icon's click rules on a real X server (Xvfb) with a StatusNotifierWatcher on
// the session bus, clicked the way a desktop's tray clicks: through the item's D-Bus calls.
#include "FrameTestSupport.h"

#include "app/frame/CMainFrame.h"
#include "app/frame/FrameTray.h"
#include "app/settings/PlayerSettings.h"
#include "app/settings/ViewSettings.h"
#include "playlist/CTaviDoc.h"
#include "support/ProcessRegistry.h"
#include "support/QtApp.h"
#include "support/SettingsScope.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QStyleHints>
#include <QSystemTrayIcon>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace tavi;

namespace {

// Started by main() before the application object exists, as Qt decides once whether a
// tray is there.
struct Environment {
    QProcess xvfb;
    QProcess watcher;
    QString skipReason;
};
Environment* g_env = nullptr;

bool StartXvfb(QProcess& xvfb) {
    for (int display = 70 + getpid() % 200; display < 400; ++display) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
        if (QFileInfo::exists(socket) ||
            QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(display))) {
            continue;
        }
        xvfb.start(
            QStringLiteral("Xvfb"),
            {QStringLiteral(":%1").arg(display), QStringLiteral("-screen"), QStringLiteral("0"),
             QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!xvfb.waitForStarted(5000)) {
            return false;
        }
        for (int i = 0; i < 100 && !QFileInfo::exists(socket) && xvfb.state() == QProcess::Running;
             ++i) {
            QThread::msleep(50);
        }
        if (QFileInfo::exists(socket)) {
            qputenv("DISPLAY", QStringLiteral(":%1").arg(display).toLatin1());
            return true;
        }
        xvfb.kill();
        xvfb.waitForFinished();
    }
    return false;
}

void PrepareEnvironment(Environment& env) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) {
        env.skipReason = QStringLiteral("no session bus (run under dbus-run-session)");
        return;
    }
    if (!StartXvfb(env.xvfb)) {
        env.skipReason = QStringLiteral("Xvfb could not be started");
        return;
    }
    env.watcher.start(QStringLiteral(TAVI_SNI_WATCHER), {});
    if (!env.watcher.waitForReadyRead(10000) ||
        !env.watcher.readAllStandardOutput().startsWith("ready")) {
        env.skipReason = QStringLiteral("the StatusNotifierWatcher did not start");
        return;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
}

class RecordingFrame : public frame::CMainFrame {
public:
    using CMainFrame::CMainFrame;
    bool OnCommand(int id) override {
        commands.append(id);
        return true;
    }
    QList<int> commands;
};

class TrayClicks : public testing::Test {
protected:
    void SetUp() override {
        if (!g_env->skipReason.isEmpty()) {
            GTEST_SKIP() << g_env->skipReason.toStdString();
        }
        ASSERT_TRUE(QSystemTrayIcon::isSystemTrayAvailable());
        settings::playerSettings().mediaDir = QDir::tempPath();
        document.NewDocument();
        frame = std::make_unique<RecordingFrame>(document, services);
        frame->ShowFromSettings();
        ASSERT_TRUE(frame->tray().icon().IsAdded());
        ASSERT_TRUE(test::processEventsUntil([&] { return !ItemService().isEmpty(); }, 5000));
        frame->tray().clicks().SetInterval(interval);
    }
    void TearDown() override { frame.reset(); }

    test::SettingsScope m_settings;  // defaults for the test, the old values afterwards

    // The item registered with the watcher (the newest one: one per frame).
    QString ItemService() {
        QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                               QStringLiteral("/StatusNotifierWatcher"),
                               QStringLiteral("org.kde.StatusNotifierWatcher"));
        const QStringList items = watcher.property("RegisteredStatusNotifierItems").toStringList();
        return items.isEmpty() ? QString() : items.last();
    }
    // Calls the item as the desktop's tray does, from another connection, without waiting
    // for the answer (it comes from this process's event loop).
    void CallItem(const QString& method) {
        static QDBusConnection tray =
            QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("tray"));
        QDBusMessage call =
            QDBusMessage::createMethodCall(ItemService(), QStringLiteral("/StatusNotifierItem"),
                                           QStringLiteral("org.kde.StatusNotifierItem"), method);
        call << 10 << 10;
        tray.asyncCall(call);
    }

    const int interval = 300;
    test::ProcessRegistry registry;
    playlist::CTaviDoc document;
    test::RecordingServices services;
    std::unique_ptr<RecordingFrame> frame;
};

}  // namespace

TEST_F(TrayClicks, ASingleClickPausesAfterTheDoubleClickTime) {
    CallItem(QStringLiteral("Activate"));
    ASSERT_TRUE(
        test::processEventsUntil([&] { return frame->tray().clicks().IsClickPending(); }, 3000));
    EXPECT_TRUE(frame->commands.isEmpty());  // not yet: a second click may follow
    EXPECT_TRUE(test::processEventsUntil([&] { return !frame->commands.isEmpty(); }, 3000));
    EXPECT_EQ(frame->commands, QList<int>{32773});
}

TEST_F(TrayClicks, ADoubleClickRestoresAHiddenWindowWithoutPausing) {
    frame->SetHideWhenMinimized(true);
    frame->hide();
    ASSERT_TRUE(frame->isHidden());
    CallItem(QStringLiteral("Activate"));
    CallItem(QStringLiteral("Activate"));
    EXPECT_TRUE(test::processEventsUntil([&] { return frame->isVisible(); }, 3000));
    test::processEventsFor(2 * interval);
    EXPECT_TRUE(frame->commands.isEmpty());
    EXPECT_FALSE(frame->tray().clicks().IsClickPending());
}

TEST_F(TrayClicks, ADoubleClickMinimisesAVisibleWindow) {
    ASSERT_TRUE(test::processEventsUntil([&] { return frame->isVisible(); }, 3000));
    CallItem(QStringLiteral("Activate"));
    CallItem(QStringLiteral("Activate"));
    EXPECT_TRUE(test::processEventsUntil([&] { return frame->isMinimized(); }, 3000));
    test::processEventsFor(2 * interval);
    EXPECT_TRUE(frame->commands.isEmpty());
}

TEST_F(TrayClicks, TheRightButtonShowsTheTrayMenu) {
    CallItem(QStringLiteral("ContextMenu"));
    EXPECT_TRUE(test::processEventsUntil([&] { return frame->tray().menu()->isVisible(); }, 3000));
    frame->tray().menu()->hide();
    EXPECT_TRUE(frame->commands.isEmpty());
}

int main(int argc, char** argv) {
    Environment env;
    g_env = &env;
    PrepareEnvironment(env);
    if (!env.skipReason.isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    int result = 0;
    {
        QApplication app(argc, argv);
        QApplication::setApplicationName(QStringLiteral("Tavi"));
        testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    env.watcher.terminate();
    env.watcher.waitForFinished(3000);
    env.xvfb.terminate();
    env.xvfb.waitForFinished(3000);
    return result;
}
