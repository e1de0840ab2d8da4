#pragma once

#include "app/settings/ViewSettings.h"
#include "engines/CMediaTrack.h"
#include "support/OpenWait.h"
#include "support/SettingsScope.h"
#include "ui/video/CMediaTrackVideoWnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace tavi::test {

// The shared window is one per process: each test starts it hidden, detached, out of full
// screen, at a known rectangle, with the view settings restored afterwards.
class VideoWindowTest : public testing::Test {
protected:
    VideoWindowTest() {
        ui::CMediaTrackVideoWnd::Register();
        WaitForEveryOpen();  // the tests look at the window right after Open
        window().SetFullScreen(false);
        window().showNormal();
        window().CancelDelayedHide();  // a hide left pending by an earlier test
        window().hide();
        window().SetKeyHandler({});
        window().setGeometry(QRect(40, 30, 400, 300));
    }

    static ui::CMediaTrackVideoWnd& window() { return ui::CMediaTrackVideoWnd::Instance(); }

    static bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
        QDeadlineTimer deadline(timeoutMs);
        while (!done() && !deadline.hasExpired()) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(2);
        }
        return done();
    }
    static void waitFor(int milliseconds) {
        waitUntil([] { return false; }, milliseconds);
    }

private:
    test::SettingsScope m_settings{test::SettingsScope::Keep};
};

}  // namespace tavi::test
