// The German translation stays complete as the program grows: the sources are scanned as
// the build's lupdate scans them, merged into a copy of the .ts, and every text must have
// a finished German translation. The file-manager extension's German table and the
// translation say the same.
#include "shellext/ShellStrings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

struct Message {
    QString context;
    QString source;
    QString comment;
    QString translation;
    QString type;  // "unfinished", "vanished", "obsolete" or empty
};

std::vector<Message> ReadMessages(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    std::vector<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            messages.push_back(message);
        }
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    return messages;
}

TEST(GermanTranslation, EverySourceTextHasAFinishedTranslation) {
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("tavi_de.ts"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVI_GERMAN_TS), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QStringList arguments = QStringLiteral(TAVI_LUPDATE_OPTIONS).split(QLatin1Char('|'));
    arguments << QStringLiteral(TAVI_SOURCE_DIR) << QStringLiteral("-ts") << copy;
    QProcess lupdate;
    lupdate.start(QStringLiteral(TAVI_LUPDATE), arguments);
    ASSERT_TRUE(lupdate.waitForFinished(120000));
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().constData();

    const std::vector<Message> messages = ReadMessages(copy);
    EXPECT_GT(messages.size(), 400u);
    QStringList missing;
    for (const Message& message : messages) {
        if (message.type == QLatin1String("vanished") ||
            message.type == QLatin1String("obsolete")) {
            continue;  // no longer in the sources
        }
        if (message.type == QLatin1String("unfinished") || message.translation.isEmpty()) {
            missing << QStringLiteral("%1: \"%2\" (%3)")
                           .arg(message.context, message.source, message.comment);
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << "Texts without a German translation (add them to "
                                      "src/resources/translations/tavi_de.ts):\n"
                                   << qPrintable(missing.join(QLatin1Char('\n')));
}

TEST(GermanTranslation, TheFileManagerExtensionsTableIsTheTranslationsWording) {
    QTranslator german;
    ASSERT_TRUE(german.load(QStringLiteral(TAVI_GERMAN_QM)));
    using tavi::shellext::ShellStrings;
    const ShellStrings english(ShellStrings::Language::English);
    const ShellStrings table(ShellStrings::Language::German);
    for (ShellStrings::Id id :
         {ShellStrings::kCaption, ShellStrings::kPlayItem, ShellStrings::kPlayHelp,
          ShellStrings::kLaunchFailed, ShellStrings::kAddItem, ShellStrings::kAddHelp}) {
        const std::string source = english.Text(id);
        const QString translated =
            german.translate("TaviExt", source.c_str(), QByteArray::number(int(id)).constData());
        EXPECT_EQ(translated, QString::fromStdString(table.Text(id))) << source;
    }
}

}  // namespace
