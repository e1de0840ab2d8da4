// The last guard: a program error that escapes an event handler is reported, and the
// program goes on, instead of ending in std::terminate.
#include "app/GuardedApplication.h"
#include "platform/errors/CException.h"

#include <gtest/gtest.h>

#include <QTimer>

#include <stdexcept>

namespace {

class LengthUnknown : public tavi::errors::CException {
public:
    QString GetErrorMessage() const override { return QStringLiteral("no length"); }
};

}  // namespace

TEST(GuardedApplication, EscapedErrorsAreReportedFromTheLoopAndTheLoopGoesOn) {
    int argc = 1;
    char name[] = "guard-test";
    char* argv[] = {name, nullptr};
    tavi::app::GuardedApplication application(argc, argv);
    QStringList reported;
    application.SetErrorReporter([&](const QString& message) { reported.append(message); });
    QTimer::singleShot(0, [] { throw LengthUnknown(); });
    QTimer::singleShot(0, [] { throw std::runtime_error("library failure"); });
    bool afterwards = false;
    QTimer::singleShot(20, [&] {
        afterwards = true;
        QCoreApplication::quit();
    });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });  // the guard failed
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_TRUE(afterwards);
    EXPECT_EQ(reported,
              (QStringList{QStringLiteral("no length"), QStringLiteral("library failure")}));
}
