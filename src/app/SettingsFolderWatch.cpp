#include "SettingsFolderWatch.h"

#include "SessionRecovery.h"
#include "engines/cd/CCdDatabase.h"
#include "platform/fs/ReplacementFile.h"
#include "platform/registry/RegHive.h"
#include "platform/registry/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tavi::app {

namespace {

// A folder can be written when a file can be made in it (root ignores permission bits, so
// asking for them is not enough); the file has no name and vanishes when closed.
int WriteProblem(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        return errno ? errno : EACCES;
    }
    fs::ReplacementFile probe(folder + QStringLiteral("/.probe"));
    const int code = probe.Open();
    probe.Discard();
    return code;
}

}  // namespace

SettingsFolderWatch::SettingsFolderWatch(QStringList folders, Tell tell)
    : m_folders(std::move(folders)), m_teller(std::make_shared<Teller>(Teller{std::move(tell)})) {}

SettingsFolderWatch::~SettingsFolderWatch() {
    reg::RegHive::setSaveFailureHandler({});
}

QStringList SettingsFolderWatch::DefaultFolders() {
    QStringList folders;
    const QString settings = reg::Registry::defaultLocations().userFile;
    for (const QString& file : {settings, engines::CCdDatabase::DefaultPath()}) {
        if (!file.isEmpty()) {
            folders << QFileInfo(file).absolutePath();
        }
    }
    folders << SessionRecovery::DefaultFolder();
    folders.removeDuplicates();
    return folders;
}

QString SettingsFolderWatch::MessageFor(const QString& path, const QString& error) {
    return QCoreApplication::translate("tavi::app::SettingsFolderWatch",
                                       "Tavi cannot save its settings in %1: %2.\n"
                                       "Settings changed now are kept only until Tavi ends.")
        .arg(path, error);
}

int SettingsFolderWatch::Start() {
    int removed = 0;
    for (const QString& folder : m_folders) {
        removed += fs::ReplacementFile::SweepLeftovers(folder);
    }
    for (const QString& folder : m_folders) {
        if (const int code = WriteProblem(folder)) {
            m_teller->TellOnce(folder, QString::fromLocal8Bit(std::strerror(code)));
            break;
        }
    }
    // Saves happen wherever a settings key is let go, perhaps on a worker: the UI thread
    // tells.
    QPointer<QObject> context = QCoreApplication::instance();
    std::weak_ptr<Teller> teller = m_teller;
    reg::RegHive::setSaveFailureHandler(
        [teller, context](const QString& path, const QString& error) {
            if (context) {
                QMetaObject::invokeMethod(
                    context,
                    [teller, path, error] {
                        if (const auto alive = teller.lock()) {
                            alive->TellOnce(path, error);
                        }
                    },
                    Qt::QueuedConnection);
            }
        });
    return removed;
}

void SettingsFolderWatch::Teller::TellOnce(const QString& path, const QString& error) {
    if (told) {
        return;
    }
    told = true;
    const QString message = MessageFor(path, error);
    std::fprintf(stderr, "tavi: %s\n", qPrintable(message));
    if (tell) {
        tell(message);
    }
}

}  // namespace tavi::app
