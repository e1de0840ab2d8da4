// The output window: program output in its colours, a bounded text, its commands, and
// clicks reaching the Console object's sinks.
#include "automation/objects/CConsoleBar.h"
#include "automation/objects/CConsoleDispatch.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

using namespace tavi::automation;
using tavi::test::processEventsUntil;

namespace {

// The colour of the text at the start of the first line that begins with prefix.
QColor ColorOfLine(QPlainTextEdit* text, const QString& prefix) {
    for (QTextBlock block = text->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().startsWith(prefix)) {
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::NextCharacter);
            return cursor.charFormat().foreground().color();
        }
    }
    return {};
}

class Sink : public DispatchObject {
public:
    QString TypeName() const override { return QStringLiteral("Sink"); }
    Variant Invoke(DispId id, uint16_t, std::vector<Variant>) override {
        events.append(id);
        return {};
    }
    QList<DispId> events;
};

TEST(ConsoleBar, ProgramOutputShowsInTheColoursOfItsStreams) {
    CConsoleBar bar;
    ASSERT_TRUE(bar.process().StartConsoleProcess(
        QStringLiteral("/bin/sh"), QStringLiteral("-c 'echo normal; sleep 0.1; echo wrong >&2'"),
        QString(), false));
    ASSERT_TRUE(processEventsUntil(
        [&] { return bar.Text().endsWith(QStringLiteral("finished.\n")); }, 5000));
    EXPECT_EQ(bar.Text(),
              QStringLiteral("/bin/sh -c 'echo normal; sleep 0.1; echo wrong >&2' started.\n"
                             "normal\nwrong\nfinished.\n"));
    EXPECT_EQ(ColorOfLine(bar.textArea(), QStringLiteral("/bin/sh")), QColor(Qt::black));
    EXPECT_EQ(ColorOfLine(bar.textArea(), QStringLiteral("normal")), QColor(0, 0, 0x80))
        << "COLORREF 0x800000 is blue";
    EXPECT_EQ(ColorOfLine(bar.textArea(), QStringLiteral("wrong")), QColor(0x80, 0, 0));
}

TEST(ConsoleBar, KeepsTheNewestTextInWholeLines) {
    CConsoleBar bar;
    const QString line = QString(99, QLatin1Char('x')) + QLatin1Char('\n');
    for (int i = 0; i < 30000; ++i) {
        bar.Append(QString::number(i) + line);
    }
    const QString text = bar.Text();
    EXPECT_LE(text.size(), CConsoleBar::kMaxKeptCharacters);
    EXPECT_TRUE(text.endsWith(QStringLiteral("29999") + line));
    EXPECT_TRUE(text.front().isDigit()) << "the first kept line is whole";
}

TEST(ConsoleBar, CommandsFollowTheStateAndClicksReachTheConsolesSinks) {
    CConsoleBar bar;
    bar.resize(400, 200);
    bar.show();
    auto console = std::make_shared<CConsoleDispatch>(&bar);
    auto sink = std::make_shared<Sink>();
    console->Connect(sink);
    auto menu = bar.CreateContextMenu();
    for (QAction* action : menu->actions()) {
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString() << ": nothing to act on";
    }
    bar.Append(QStringLiteral("some text\n"));
    bar.RunCommand(CConsoleBar::kClear);
    EXPECT_EQ(bar.Text(), QString());
    QTest::mouseClick(bar.textArea()->viewport(), Qt::LeftButton);
    QTest::mouseDClick(bar.textArea()->viewport(), Qt::LeftButton);
    EXPECT_TRUE(sink->events.contains(CConsoleDispatch::kOnClick));
    EXPECT_TRUE(sink->events.contains(CConsoleDispatch::kOnDblClick));
}

}  // namespace
