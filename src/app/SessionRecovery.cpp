#include "SessionRecovery.h"

#include "platform/fs/AtomicFile.h"
#include "playlist/CTaviDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <utility>

namespace tavi::app {

namespace {
const QString kFileName = QStringLiteral("recovery.alb");
const QString kOriginName = QStringLiteral("recovery.origin");
}  // namespace

SessionRecovery::SessionRecovery(QString folder)
    : m_folder(folder.isEmpty() ? DefaultFolder() : std::move(folder)) {}

QString SessionRecovery::DefaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state)) {
        state = QDir::homePath() + QStringLiteral("/.local/state");
    }
    return state + QStringLiteral("/Kestrova/Tavi");
}

QString SessionRecovery::FilePath() const {
    return m_folder + u'/' + kFileName;
}

bool SessionRecovery::Exists() const {
    return QFileInfo::exists(FilePath());
}

bool SessionRecovery::Keep(playlist::CTaviDoc& document) const {
    if (!QDir().mkpath(m_folder)) {
        std::fprintf(stderr, "tavi: cannot create %s\n", qPrintable(m_folder));
        return false;
    }
    const bool kept = document.DoSave(FilePath(), false);
    if (kept) {
        // Should this fail, the entries are still safe; only the name they came from is lost.
        fs::AtomicFile::write(m_folder + u'/' + kOriginName, document.GetPathName().toUtf8());
    }
    return kept;
}

QString SessionRecovery::OriginPath() const {
    QFile origin(m_folder + u'/' + kOriginName);
    return origin.open(QIODevice::ReadOnly) ? QString::fromUtf8(origin.readAll()) : QString();
}

bool SessionRecovery::RestoreInto(playlist::CTaviDoc& document) const {
    if (!document.RestoreFrom(FilePath(), OriginPath())) {
        return false;
    }
    QFile::remove(FilePath());
    QFile::remove(m_folder + u'/' + kOriginName);
    return true;
}

void SessionRecovery::Discard() const {
    const QString old = FilePath() + QStringLiteral(".old");
    QFile::remove(old);
    QFile::rename(FilePath(), old);
    QFile::remove(m_folder + u'/' + kOriginName);
}

}  // namespace tavi::app
