#include "FolderWalk.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <set>
#include <utility>

#include <sys/stat.h>

namespace tavi::playlist {

namespace {

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The end of the run of digits that starts at from.
qsizetype DigitsEnd(const QString& text, qsizetype from) {
    while (from < text.size() && IsAsciiDigit(text.at(from))) {
        ++from;
    }
    return from;
}

// Compares two runs of digits by value ("007" and "7" are equal here).
int CompareNumbers(const QString& a, qsizetype aFrom, qsizetype aEnd, const QString& b,
                   qsizetype bFrom, qsizetype bEnd) {
    while (aFrom < aEnd - 1 && a.at(aFrom) == QLatin1Char('0')) {
        ++aFrom;
    }
    while (bFrom < bEnd - 1 && b.at(bFrom) == QLatin1Char('0')) {
        ++bFrom;
    }
    if (aEnd - aFrom != bEnd - bFrom) {
        return aEnd - aFrom < bEnd - bFrom ? -1 : 1;
    }
    return QStringView(a).mid(aFrom, aEnd - aFrom).compare(QStringView(b).mid(bFrom, bEnd - bFrom));
}

}  // namespace

int FolderWalk::CompareNames(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsAsciiDigit(a.at(i)) && IsAsciiDigit(b.at(j))) {
            const qsizetype aEnd = DigitsEnd(a, i);
            const qsizetype bEnd = DigitsEnd(b, j);
            if (const int order = CompareNumbers(a, i, aEnd, b, j, bEnd)) {
                return order;
            }
            i = aEnd;
            j = bEnd;
            continue;
        }
        const QChar x = a.at(i).toCaseFolded();
        const QChar y = b.at(j).toCaseFolded();
        if (x != y) {
            return x < y ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j) {
        return a.size() - i < b.size() - j ? -1 : 1;
    }
    return a.compare(b);  // names equal but for case or leading zeros: still one order
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
        QFileInfoList children = QDir(folder).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Unsorted);
        std::stable_sort(children.begin(), children.end(),
                         [](const QFileInfo& a, const QFileInfo& b) {
                             return FolderWalk::CompareNames(a.fileName(), b.fileName()) < 0;
                         });
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
