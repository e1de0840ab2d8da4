#include "RegHive.h"

#include "RegFileFormat.h"
#include "platform/fs/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tavi::reg {

namespace {

RegHive::SaveFailure& SaveFailureHandler() {
    static RegHive::SaveFailure handler;
    return handler;
}

void ReportSaveFailure(const QString& path, const QString& error) {
    if (SaveFailureHandler()) {
        SaveFailureHandler()(path, error);
    }
}

}  // namespace

RegHive::RegHive(QString rootName, QString filePath, bool writable,
                 std::unique_ptr<RegKeyNode> defaults)
    : m_rootName(std::move(rootName)),
      m_filePath(std::move(filePath)),
      m_writable(writable),
      m_defaults(std::move(defaults)) {
    m_root = m_defaults ? m_defaults->clone() : std::make_unique<RegKeyNode>();
}

RegHive::FileStamp RegHive::stampOnDisk() const {
    const QFileInfo info(m_filePath);
    if (!info.exists()) {
        return {};
    }
    return {info.lastModified(), info.size()};
}

void RegHive::load() {
    m_root = m_defaults ? m_defaults->clone() : std::make_unique<RegKeyNode>();
    m_dirty = false;
    ++m_generation;
    if (m_filePath.isEmpty()) {
        return;
    }
    m_stamp = stampOnDisk();
    QFile file(m_filePath);
    if (!file.exists()) {
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Tavi: cannot read %s: %s; using defaults\n", qPrintable(m_filePath),
                     qPrintable(file.errorString()));
        return;
    }
    auto loaded = m_defaults ? m_defaults->clone() : std::make_unique<RegKeyNode>();
    const auto result = RegFileFormat::parse(file.readAll(), m_rootName, *loaded);
    file.close();
    if (!result.ok) {
        keepBadFileAside(result.error, result.line);
        return;
    }
    m_root = std::move(loaded);
}

void RegHive::keepBadFileAside(const QString& why, int line) {
    QString badPath = m_filePath + QLatin1String(".bad");
    for (int n = 1; QFile::exists(badPath); ++n) {
        badPath = m_filePath + QLatin1String(".bad.") + QString::number(n);
    }
    const bool kept = m_writable && QFile::rename(m_filePath, badPath);
    std::fprintf(
        stderr, "Tavi: settings file %s is damaged (line %d: %s); %s, defaults are used\n",
        qPrintable(m_filePath), line, qPrintable(why),
        kept ? qPrintable(QStringLiteral("it was kept as ") + badPath) : "it was left as it is");
    m_stamp = stampOnDisk();
}

void RegHive::reloadIfChangedOnDisk() {
    if (!m_filePath.isEmpty() && !m_dirty && stampOnDisk() != m_stamp) {
        load();
    }
}

bool RegHive::saveIfDirty() {
    if (!m_dirty || !m_writable || m_filePath.isEmpty()) {
        return !m_dirty;
    }
    if (!fs::AtomicFile::ensureParentFolder(m_filePath)) {
        ReportSaveFailure(m_filePath, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const auto result =
        fs::AtomicFile::write(m_filePath, RegFileFormat::serialize(*m_root, m_rootName));
    if (result.ok) {
        m_dirty = false;
        m_stamp = stampOnDisk();
    } else {
        ReportSaveFailure(m_filePath, result.error);
    }
    return result.ok;
}

void RegHive::setSaveFailureHandler(SaveFailure handler) {
    SaveFailureHandler() = std::move(handler);
}

}  // namespace tavi::reg
