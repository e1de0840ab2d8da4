#include "FolderWalk.h"

#include "platform/fs/FolderOrder.h"

#include <QFile>

#include <algorithm>
#include <set>
#include <utility>

#include <sys/stat.h>

namespace tavi::playlist {

int FolderWalk::CompareNames(const QString& a, const QString& b) {
    return fs::NaturalOrder().Compare(a, b);
}

namespace {

class Walker {
public:
    Walker(const std::atomic<bool>& cancelled, const FolderWalk::Batch& batch, int batchSize)
        : m_cancelled(cancelled), m_batch(batch), m_batchSize(batchSize) {}

    void Enter(const QString& path) {
        struct stat info {};
        if (m_cancelled || ::stat(QFile::encodeName(path).constData(), &info) != 0 ||
            !m_visited.insert({quint64(info.st_dev), quint64(info.st_ino)}).second) {
            return;
        }
        QString folder = path;
        if (!folder.endsWith(QLatin1Char('/'))) {
            folder += QLatin1Char('/');
        }
        const QFileInfoList children = fs::SortedEntries(
            folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
        for (const QFileInfo& child : children) {
            if (m_cancelled) {
                return;
            }
            const QString childPath = folder + child.fileName();
            if (child.isDir()) {
                Enter(childPath);
            } else {
                m_pending.append(childPath);
                if (m_pending.size() >= m_batchSize) {
                    Flush();
                }
            }
        }
    }

    void Flush() {
        if (!m_pending.isEmpty() && !m_cancelled) {
            m_batch(std::exchange(m_pending, {}));
        }
    }

private:
    const std::atomic<bool>& m_cancelled;
    const FolderWalk::Batch& m_batch;
    const int m_batchSize;
    std::set<std::pair<quint64, quint64>> m_visited;
    QStringList m_pending;
};

}  // namespace

void FolderWalk::Run(const QString& folder, const std::atomic<bool>& cancelled, const Batch& batch,
                     int batchSize) {
    Walker walker(cancelled, batch, std::max(1, batchSize));
    walker.Enter(folder);
    walker.Flush();
}

}  // namespace tavi::playlist
