#pragma once

#include <QCollator>
#include <QDir>
#include <QFileInfoList>
#include <QStringList>

namespace tavi::fs {

// The order a file manager shows a folder in: the user's collation, runs of digits by their
// value ("2 x" before "10 x"), without regard to case. Names the collation finds equal
// ("7" and "007", "a" and "A") are still ordered, so a sort is the same on every run.
// One object must not be used on two threads at once; make one per thread.
class NaturalOrder {
public:
    NaturalOrder();  // the user's locale
    explicit NaturalOrder(const QLocale& locale);

    int Compare(const QString& a, const QString& b) const;
    bool operator()(const QString& a, const QString& b) const { return Compare(a, b) < 0; }

private:
    QCollator m_collator;
};

// The entries of a folder matching filters, files and sub-folders in one sequence, in
// natural order of their names. The only way Tavi lists a folder for the playlist:
// readdir's order (a hash on ext4) must never reach the list.
QFileInfoList SortedEntries(const QString& folder, QDir::Filters filters);

// Sorts paths by folder, then by name within a folder, both in natural order.
void SortPaths(QStringList& paths);

}  // namespace tavi::fs
