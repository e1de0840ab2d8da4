#include "FolderOrder.h"

#include <QFileInfo>

#include <algorithm>

namespace tavi::fs {

namespace {

// The C locale's collation compares code points and ignores the numeric mode, so a
// program started without a language (services, tests, LANG=C) would put "10" before "2".
QLocale CollationLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C) {
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
    return locale;
}

}  // namespace

NaturalOrder::NaturalOrder() : NaturalOrder(QLocale()) {}

NaturalOrder::NaturalOrder(const QLocale& locale) : m_collator(CollationLocale(locale)) {
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_collator.setIgnorePunctuation(false);
}

int NaturalOrder::Compare(const QString& a, const QString& b) const {
    if (const int order = m_collator.compare(a, b)) {
        return order < 0 ? -1 : 1;
    }
    const int plain = a.compare(b);
    return plain < 0 ? -1 : (plain > 0 ? 1 : 0);
}

QFileInfoList SortedEntries(const QString& folder, QDir::Filters filters) {
    QFileInfoList entries = QDir(folder).entryInfoList(filters, QDir::Unsorted);
    const NaturalOrder order;
    std::stable_sort(entries.begin(), entries.end(),
                     [&order](const QFileInfo& a, const QFileInfo& b) {
                         return order(a.fileName(), b.fileName());
                     });
    return entries;
}

void SortPaths(QStringList& paths) {
    const NaturalOrder order;
    std::stable_sort(paths.begin(), paths.end(), [&order](const QString& a, const QString& b) {
        const QFileInfo left(a);
        const QFileInfo right(b);
        if (const int byFolder = order.Compare(left.path(), right.path())) {
            return byFolder < 0;
        }
        return order(left.fileName(), right.fileName());
    });
}

}  // namespace tavi::fs
