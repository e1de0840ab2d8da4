#include "automation/registration/FileManagerRegistration.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using tavi::automation::FileManagerRegistration;

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray kUsersOwnActions =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n<action>\n"
    "\t<name>Open Terminal Here</name>\n\t<unique-id>1234-1</unique-id>\n"
    "\t<command>exo-open --launch TerminalEmulator</command>\n</action>\n</actions>\n";

TEST(FileManagerRegistration, RegisterWritesValidEntriesThatRunTaviextBesideTheProgram) {
    QTemporaryDir data, config;
    const QString command =
        FileManagerRegistration::CommandBeside(QStringLiteral("/opt/my apps/bin/tavi"));
    EXPECT_EQ(command, QStringLiteral("/opt/my apps/bin/taviext"));
    const FileManagerRegistration registration(data.path(), config.path(), command);
    ASSERT_TRUE(registration.Register().isEmpty());
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    ASSERT_FALSE(validator.isEmpty());
    for (const QString& file : {registration.ServiceMenuFile(), registration.SendToFile()}) {
        const QByteArray text = Read(file);
        EXPECT_TRUE(text.contains("Exec=\"/opt/my apps/bin/taviext\" --")) << text.constData();
        QProcess validate;
        validate.start(validator, {file});
        ASSERT_TRUE(validate.waitForFinished(30000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().constData();
    }
    EXPECT_TRUE(QFile::permissions(registration.ServiceMenuFile()) & QFileDevice::ExeOwner);
    const QByteArray actions = Read(registration.ThunarActionsFile());
    EXPECT_TRUE(actions.startsWith("<?xml"));
    EXPECT_TRUE(
        actions.contains("<command>&quot;/opt/my apps/bin/taviext&quot; --play %F</command>"));
    EXPECT_TRUE(actions.contains("<unique-id>org.kestrova.Tavi.add</unique-id>"));
}

TEST(FileManagerRegistration, ThunarActionsOfTheUserAreKeptAndOursNeverDoubled) {
    QTemporaryDir data, config;
    const FileManagerRegistration registration(data.path(), config.path(),
                                               QStringLiteral("/usr/bin/taviext"));
    QDir().mkpath(config.filePath(QStringLiteral("Thunar")));
    Write(registration.ThunarActionsFile(), kUsersOwnActions);
    ASSERT_TRUE(registration.Register().isEmpty());
    ASSERT_TRUE(registration.Register().isEmpty());
    const QByteArray both = Read(registration.ThunarActionsFile());
    EXPECT_TRUE(both.contains("<unique-id>1234-1</unique-id>"));
    EXPECT_EQ(both.count("<unique-id>org.kestrova.Tavi.play</unique-id>"), 1);
    EXPECT_EQ(both.count("<unique-id>org.kestrova.Tavi.add</unique-id>"), 1);
    EXPECT_TRUE(both.trimmed().endsWith("</actions>"));

    ASSERT_TRUE(registration.Unregister().isEmpty());
    EXPECT_EQ(Read(registration.ThunarActionsFile()), kUsersOwnActions);
    EXPECT_FALSE(QFile::exists(registration.ServiceMenuFile()));
    EXPECT_FALSE(QFile::exists(registration.SendToFile()));
}

}  // namespace
