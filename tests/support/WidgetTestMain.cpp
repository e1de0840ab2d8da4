// The main of the tests that need widgets: an application object on the offscreen platform
// (test discovery runs the binaries without the test environment) and the null audio output.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("TAVI_AUDIO_OUTPUT", "null");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavi"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
