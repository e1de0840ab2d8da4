#pragma once

#include "DisplayNameReader.h"

#include <QAbstractListModel>
#include <QColor>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <vector>

namespace tavi::playlist {

// The entry list: plain path strings, each with a pointer-sized item value that moves with
// it and is never interpreted here, plus the single current entry (the list's selection,
// -1 for none). Display names are asked for when a row is first shown and cached. A name
// that needs the file's tags is read by a DisplayNameReader off the UI thread; until it
// arrives the row shows the name without tags (the file title), and then dataChanged tells
// the view, once per run of adjacent rows. So painting never opens a file. Lives on the
// UI thread.
class PlaylistModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        PathRole = Qt::UserRole + 1,
        ItemValueRole,
        DisplayNameRole,
        ImageIndexRole,
        FailedRole,  // bool: the entry's file failed to play and has not played since
    };

    explicit PlaylistModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QHash<int, QByteArray> roleNames() const override;

    int count() const { return int(m_entries.size()); }
    const QString& path(int row) const { return m_entries[std::size_t(row)].path; }
    quintptr itemValue(int row) const { return m_entries[std::size_t(row)].value; }
    void setItemValue(int row, quintptr value) { m_entries[std::size_t(row)].value = value; }
    QStringList paths() const;
    // The display name of a row: the cached one, or one computed now if it needs no file;
    // otherwise the name without tags until the real one has been read (it is asked for).
    QString displayName(int row) const;
    bool isNameKnown(int row) const { return !m_entries[std::size_t(row)].name.isNull(); }
    // Calls then once every row's name is known (at once if they are), on the UI thread;
    // not at all if context (when given) is destroyed first. For work that needs every name,
    // like sorting by name.
    void whenAllNamesKnown(QObject* context, std::function<void()> then);
    // The text the list shows: path or display name, "[n] " in front with track numbers on.
    QString displayText(int row) const;

    // The entry to be selected when rows of a batch are announced counts as current already.
    int current() const { return m_current >= 0 ? m_current : m_pendingSelect; }
    // Selects row (-1 or an invalid row: nothing).
    void setCurrent(int row);

    // Appends; with selectIfNone the entry becomes current when nothing is. Inside a batch
    // the rows are announced together at the next flushBatch() or endBatch(); count() and
    // path() know them at once.
    void append(const QString& path, bool selectIfNone = true);
    bool insert(int row, const QString& path, bool selectIfNone = true);
    bool remove(int row);
    void clear();
    // Moves an entry so that it ends at index to; current follows the entry if it was it.
    void move(int from, int to);
    // Replaces the text of an entry, keeping its item value.
    void setPath(int row, const QString& path);
    // Replaces every entry (item values reset) and the current entry.
    void reset(const QStringList& paths, int current);
    // Reorders: the new row i holds the old row order[i]; order is a permutation.
    void reorder(const std::vector<int>& order, int current);

    // Called before every change of the entries (not of the selection): the undo history
    // records a step still pending from an earlier change first.
    void setAboutToChange(std::function<void()> hook) { m_aboutToChange = std::move(hook); }

    void beginBatch();
    void flushBatch();
    void endBatch();
    bool inBatch() const { return m_batchDepth > 0; }
    // Rows appended from now on are announced to the views together, at the latest after
    // milliseconds (sooner when anything else changes the list): a burst of single appends
    // from outside costs the views one update instead of one each.
    void announceAppendsWithin(int milliseconds);

    // Names depend on settings and later on tags and the CD database: forget the cache and
    // drop every name still being read.
    void invalidateDisplayNames();
    // Marks the entries of a file that failed to play (shown in the error colour), or
    // clears the mark once it played. Kept by file, so it follows the entries as they move.
    void setFailed(const QString& path, bool failed);
    bool isFailed(int row) const { return m_failed.contains(path(row)); }
    static QColor FailedColor();

    // "ShowPath" or "ShowTrackNo" changed: repaint every row.
    void refreshAll();

Q_SIGNALS:
    void currentChanged(int row);

private:
    void aboutToChange() const {
        if (m_aboutToChange) {
            m_aboutToChange();
        }
    }

    struct Entry {
        QString path;
        quintptr value = 0;
        mutable QString name;  // null until known
    };
    struct NamesWaiter {
        QPointer<QObject> context;
        bool hasContext;
        std::function<void()> then;
    };

    void takeNames(const std::vector<DisplayNameReader::ReadName>& names);
    void announceNamedRows(std::vector<int> rows);
    bool askForMissingNames() const;  // false when every name is known
    void runNamesWaiters();
    void continueNamesWaiters();

    std::vector<Entry> m_entries;
    int m_announced = 0;  // the first rows the views know of; the rest came inside a batch
    int m_pendingSelect = -1;
    int m_batchDepth = 0;
    int m_current = -1;
    std::function<void()> m_aboutToChange;
    QTimer m_announceTimer;
    DisplayNameReader* m_names;
    std::vector<NamesWaiter> m_namesWaiters;
    QSet<QString> m_failed;
};

}  // namespace tavi::playlist
