// Console processes with real child programs: what reaches the window and in what order,
// starting without a shell, stopping children that will not stop, and the command line.
#include "automation/console/CConsoleProcess.h"
#include "automation/console/ConsoleCommandLine.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <csignal>

using namespace tavi::automation::console;
using tavi::test::processEventsUntil;

namespace {

class Recorder : public CConsoleProcessCallback {
public:
    void ConsoleStarted(const QString& line) override {
        events.append(QStringLiteral("start ") + line);
    }
    void ConsoleOutput(const QString& text) override { Add(QStringLiteral("out "), text); }
    void ConsoleError(const QString& text) override { Add(QStringLiteral("err "), text); }
    void ConsoleFinished() override { events.append(QStringLiteral("finished")); }
    bool Finished(int times = 1) const { return events.count(QStringLiteral("finished")) >= times; }
    QStringList events;

private:
    // Output arrives in pieces of any size: joined per stream between other events.
    void Add(const QString& kind, const QString& text) {
        if (!events.isEmpty() && events.back().startsWith(kind)) {
            events.back() += text;
        } else {
            events.append(kind + text);
        }
    }
};

TEST(ConsoleCommandLine, QuotesACommandWithASpaceAndKeepsTheParameters) {
    EXPECT_EQ(CommandLine(QStringLiteral("/opt/my tools/tag"), QStringLiteral("-x a.mp3")),
              QStringLiteral("\"/opt/my tools/tag\" -x a.mp3"));
    EXPECT_EQ(CommandLine(QStringLiteral("/usr/bin/lame"), QString()),
              QStringLiteral("/usr/bin/lame "));
}

TEST(ConsoleCommandLine, SplitsWordsWithoutExpandingAnything) {
    EXPECT_EQ(*SplitArguments(QStringLiteral("  -a  'b c'  \"d \\\"e\\\" $HOME\" f\\ g ")),
              (QStringList{QStringLiteral("-a"), QStringLiteral("b c"),
                           QStringLiteral("d \"e\" $HOME"), QStringLiteral("f g")}));
    EXPECT_EQ(*SplitArguments(QStringLiteral("a;touch x|y `z` $(w) *")),
              (QStringList{QStringLiteral("a;touch"), QStringLiteral("x|y"), QStringLiteral("`z`"),
                           QStringLiteral("$(w)"), QStringLiteral("*")}));
    EXPECT_EQ(*SplitArguments(QString()), QStringList());
    EXPECT_FALSE(SplitArguments(QStringLiteral("'open")));
    EXPECT_FALSE(SplitArguments(QStringLiteral("\"open")));
}

TEST(ConsoleProcess, BothStreamsArriveBetweenTheStartAndTheFinish) {
    Recorder recorder;
    CConsoleProcess process(recorder);
    ASSERT_TRUE(process.StartConsoleProcess(
        QStringLiteral("/bin/sh"), QStringLiteral("-c 'echo out; sleep 0.1; echo err >&2'"),
        QString(), false));
    ASSERT_TRUE(processEventsUntil([&] { return recorder.Finished(); }, 5000));
    EXPECT_EQ(recorder.events,
              (QStringList{QStringLiteral("start /bin/sh -c 'echo out; sleep 0.1; echo err >&2'"),
                           QStringLiteral("out out\n"), QStringLiteral("err err\n"),
                           QStringLiteral("finished")}));
    EXPECT_FALSE(process.IsConsoleProcessRunning());
}

TEST(ConsoleProcess, FileNamesInTheParametersRunNothing) {
    QTemporaryDir dir;
    Recorder recorder;
    CConsoleProcess process(recorder);
    ASSERT_TRUE(process.StartConsoleProcess(
        QStringLiteral("echo"),
        QStringLiteral("'a; touch pwned.mp3' '$(touch pwned).mp3' `touch pwned`"), dir.path(),
        false));
    ASSERT_TRUE(processEventsUntil([&] { return recorder.Finished(); }, 5000));
    EXPECT_EQ(recorder.events.value(1),
              QStringLiteral("out a; touch pwned.mp3 $(touch pwned).mp3 `touch pwned`\n"));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty()) << "nothing was created";
}

TEST(ConsoleProcess, AProgramThatCannotStartSaysSo) {
    Recorder recorder;
    CConsoleProcess process(recorder);
    EXPECT_FALSE(process.StartConsoleProcess(QStringLiteral("/nonexistent/tool"),
                                             QStringLiteral("x"), QString(), false));
    EXPECT_EQ(recorder.events,
              QStringList{QStringLiteral("out Unable to start /nonexistent/tool x\n")});
    EXPECT_FALSE(process.StartConsoleProcess(QStringLiteral("/bin/echo"), QStringLiteral("'open"),
                                             QString(), false))
        << "parameters with an open quote are not guessed at";
    process.StopConsoleProcess();  // nothing runs: nothing happens
    EXPECT_EQ(recorder.events,
              QStringList{QStringLiteral("out Unable to start /nonexistent/tool x\n"
                                         "Unable to start /bin/echo 'open\n")});
}

TEST(ConsoleProcess, StartingAnotherStopsTheFirstAndAStubbornChildIsKilled) {
    Recorder recorder;
    CConsoleProcess process(recorder);
    // The shell ignores SIGTERM, and so does the sleep it starts: only SIGKILL ends them.
    ASSERT_TRUE(process.StartConsoleProcess(
        QStringLiteral("/bin/sh"), QStringLiteral("-c \"trap '' TERM; echo ready; sleep 30\""),
        QString(), false));
    ASSERT_TRUE(processEventsUntil([&] { return recorder.events.size() >= 2; }, 5000));
    ASSERT_TRUE(process.IsConsoleProcessRunning());
    ASSERT_TRUE(process.StartConsoleProcess(QStringLiteral("/bin/echo"), QStringLiteral("second"),
                                            QString(), false));
    ASSERT_GE(recorder.events.size(), 4);
    EXPECT_EQ(recorder.events[2], QStringLiteral("finished")) << "the first is stopped first";
    EXPECT_EQ(recorder.events[3], QStringLiteral("start /bin/echo second"));
    ASSERT_TRUE(processEventsUntil([&] { return recorder.Finished(2); }, 5000));
    process.StopConsoleProcess();
    EXPECT_EQ(::waitpid(-1, nullptr, WNOHANG), -1) << "no child is left, not even a zombie";
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
