#include "PlaylistModel.h"

#include "DisplayName.h"
#include "EntryIcons.h"
#include "EntryKinds.h"
#include "app/settings/ViewSettings.h"

#include <algorithm>
#include <utility>

namespace tavi::playlist {

PlaylistModel::PlaylistModel(QObject* parent)
    : QAbstractListModel(parent), m_names(new DisplayNameReader(this)) {
    connect(m_names, &DisplayNameReader::namesRead, this, &PlaylistModel::takeNames);
    m_announceTimer.setSingleShot(true);
    connect(&m_announceTimer, &QTimer::timeout, this, [this] { endBatch(); });
}

// Views see the rows announced to them; the program sees every entry.
int PlaylistModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_announced;
}

QVariant PlaylistModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const int row = index.row();
    switch (role) {
        case Qt::DisplayRole:
            return displayText(row);
        case Qt::DecorationRole:
            return EntryIcons::icon(GetFileImageIndex(path(row)));
        case Qt::ToolTipRole:
        case PathRole:
            return path(row);
        case ItemValueRole:
            return QVariant::fromValue(qulonglong(itemValue(row)));
        case DisplayNameRole:
            return displayName(row);
        case ImageIndexRole:
            return GetFileImageIndex(path(row));
        case FailedRole:
            return isFailed(row);
        case Qt::ForegroundRole:
            return isFailed(row) ? QVariant(FailedColor()) : QVariant();
        default:
            return {};
    }
}

Qt::ItemFlags PlaylistModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::ItemIsDropEnabled;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
           Qt::ItemIsDropEnabled | Qt::ItemNeverHasChildren;
}

QHash<int, QByteArray> PlaylistModel::roleNames() const {
    auto names = QAbstractListModel::roleNames();
    names.insert(PathRole, "path");
    names.insert(ItemValueRole, "itemValue");
    names.insert(DisplayNameRole, "displayName");
    names.insert(ImageIndexRole, "imageIndex");
    return names;
}

QStringList PlaylistModel::paths() const {
    QStringList list;
    list.reserve(count());
    for (const Entry& entry : m_entries) {
        list.append(entry.path);
    }
    return list;
}

QString PlaylistModel::displayName(int row) const {
    const Entry& entry = m_entries[std::size_t(row)];
    if (!entry.name.isNull()) {
        return entry.name;
    }
    const NameOptions options = NameOptions::Current();
    if (DisplayNameReadsFile(entry.path, options)) {
        m_names->request(row, entry.path);
        NameOptions placeholder;
        placeholder.opensFiles = false;
        return GetDisplayName(entry.path, placeholder);  // without tags: no file opened
    }
    entry.name = GetDisplayName(entry.path, options);
    if (entry.name.isNull()) {
        entry.name = QLatin1String("");
    }
    return entry.name;
}

void PlaylistModel::whenAllNamesKnown(QObject* context, std::function<void()> then) {
    m_namesWaiters.push_back({context, context != nullptr, std::move(then)});
    if (!askForMissingNames()) {
        runNamesWaiters();
    }
}

// Asks for every name not known, computing the cheap ones; the reader takes the last row
// first.
bool PlaylistModel::askForMissingNames() const {
    bool missing = false;
    for (int row = 0; row < count(); ++row) {
        if (!isNameKnown(row)) {
            displayName(row);
            missing = missing || !isNameKnown(row);
        }
    }
    return missing;
}

void PlaylistModel::runNamesWaiters() {
    std::vector<NamesWaiter> waiters = std::exchange(m_namesWaiters, {});
    for (NamesWaiter& waiter : waiters) {
        if (!waiter.hasContext || waiter.context) {
            waiter.then();
        }
    }
}

// A name lands only on a row that still holds its path: where the path was asked for, or,
// after an edit moved it, wherever it is now. A path no longer in the list is dropped.
void PlaylistModel::takeNames(const std::vector<DisplayNameReader::ReadName>& names) {
    std::vector<int> named;
    QHash<QString, QString> moved;
    for (const DisplayNameReader::ReadName& read : names) {
        const QString name = read.name.isNull() ? QLatin1String("") : read.name;
        bool landed = false;
        for (int row : read.rows) {
            if (row < count() && m_entries[std::size_t(row)].path == read.path &&
                !isNameKnown(row)) {
                m_entries[std::size_t(row)].name = name;
                named.push_back(row);
                landed = true;
            }
        }
        if (!landed) {
            moved.insert(read.path, name);
        }
    }
    for (int row = 0; !moved.isEmpty() && row < count(); ++row) {
        const auto it = moved.constFind(m_entries[std::size_t(row)].path);
        if (it != moved.constEnd() && !isNameKnown(row)) {
            m_entries[std::size_t(row)].name = *it;
            named.push_back(row);
        }
    }
    announceNamedRows(std::move(named));
    continueNamesWaiters();
}

// The names they wait for may have been dropped or their rows replaced since they asked.
void PlaylistModel::continueNamesWaiters() {
    if (!m_namesWaiters.empty() && !askForMissingNames()) {
        runNamesWaiters();
    }
}

// One dataChanged per run of adjacent rows, not one per row.
void PlaylistModel::announceNamedRows(std::vector<int> rows) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    // Rows the views do not know yet show their name when they are announced.
    rows.erase(std::lower_bound(rows.begin(), rows.end(), m_announced), rows.end());
    const QList<int> roles{Qt::DisplayRole, DisplayNameRole};
    std::size_t first = 0;
    for (std::size_t i = 1; i <= rows.size(); ++i) {
        if (i == rows.size() || rows[i] != rows[i - 1] + 1) {
            Q_EMIT dataChanged(index(rows[first]), index(rows[i - 1]), roles);
            first = i;
        }
    }
}

QString PlaylistModel::displayText(int row) const {
    const auto& settings = settings::viewSettings();
    const QString& text = settings.showPath ? path(row) : displayName(row);
    if (!settings.showTrackNo) {
        return text;
    }
    return QStringLiteral("[%1] %2").arg(row + 1).arg(text);
}

void PlaylistModel::setCurrent(int row) {
    if (row < 0 || row >= count()) {
        row = -1;
    }
    if (row >= m_announced) {
        flushBatch();  // the views select only rows they know
    }
    m_pendingSelect = -1;  // a choice made now overrides the one a batch would make
    if (row != m_current) {
        m_current = row;
        Q_EMIT currentChanged(row);
    }
}

void PlaylistModel::append(const QString& path, bool selectIfNone) {
    aboutToChange();
    if (m_batchDepth > 0) {
        if (selectIfNone && m_current < 0 && m_pendingSelect < 0) {
            m_pendingSelect = count();
        }
        m_entries.push_back(Entry{path, 0, {}});
        return;
    }
    flushBatch();
    const int row = count();
    beginInsertRows({}, row, row);
    m_entries.push_back(Entry{path, 0, {}});
    m_announced = count();
    endInsertRows();
    if (selectIfNone && m_current < 0) {
        setCurrent(row);
    }
}

bool PlaylistModel::insert(int row, const QString& path, bool selectIfNone) {
    aboutToChange();
    flushBatch();
    if (row < 0 || row > count()) {
        return false;
    }
    beginInsertRows({}, row, row);
    m_entries.insert(m_entries.begin() + row, Entry{path, 0, {}});
    m_announced = count();
    const bool shifted = m_current >= row;
    if (shifted) {
        ++m_current;
    }
    endInsertRows();
    if (shifted) {
        Q_EMIT currentChanged(m_current);
    }
    if (selectIfNone && m_current < 0) {
        setCurrent(row);
    }
    return true;
}

bool PlaylistModel::remove(int row) {
    aboutToChange();
    flushBatch();
    if (row < 0 || row >= count()) {
        return false;
    }
    beginRemoveRows({}, row, row);
    m_entries.erase(m_entries.begin() + row);
    m_announced = count();
    endRemoveRows();
    if (m_current == row) {
        // The same index if it still exists, else the one before.
        m_current = -2;  // forces the change signal below
        setCurrent(row < count() ? row : row - 1);
    } else if (m_current > row) {
        --m_current;
        Q_EMIT currentChanged(m_current);
    }
    return true;
}

QColor PlaylistModel::FailedColor() {
    return QColor(0xc0, 0x1c, 0x28);
}

void PlaylistModel::setFailed(const QString& path, bool failed) {
    if (failed == m_failed.contains(path)) {
        return;
    }
    if (failed) {
        m_failed.insert(path);
    } else {
        m_failed.remove(path);
    }
    const QList<int> roles{Qt::ForegroundRole, FailedRole};
    for (int row = 0; row < m_announced; ++row) {
        if (m_entries[std::size_t(row)].path == path) {
            Q_EMIT dataChanged(index(row), index(row), roles);
        }
    }
}

void PlaylistModel::clear() {
    reset({}, -1);
}

void PlaylistModel::move(int from, int to) {
    aboutToChange();
    flushBatch();
    if (from < 0 || from >= count() || to < 0 || to >= count() || from == to) {
        return;
    }
    // Qt counts the destination before the move: one past the target when moving down.
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    Entry entry = std::move(m_entries[std::size_t(from)]);
    m_entries.erase(m_entries.begin() + from);
    m_entries.insert(m_entries.begin() + to, std::move(entry));
    endMoveRows();
    int current = m_current;
    if (current == from) {
        current = to;
    } else if (from < current && current <= to) {
        --current;
    } else if (to <= current && current < from) {
        ++current;
    }
    if (current != m_current) {
        m_current = current;
        Q_EMIT currentChanged(current);
    }
}

void PlaylistModel::setPath(int row, const QString& path) {
    aboutToChange();
    flushBatch();
    if (row < 0 || row >= count()) {
        return;
    }
    Entry& entry = m_entries[std::size_t(row)];
    entry.path = path;
    entry.name = QString();
    const QModelIndex changed = index(row);
    Q_EMIT dataChanged(changed, changed);
}

void PlaylistModel::reset(const QStringList& paths, int current) {
    aboutToChange();
    m_names->clear();  // names of the old list still being read are of no use
    m_pendingSelect = -1;
    beginResetModel();
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_entries.reserve(std::size_t(paths.size()));
    for (const QString& path : paths) {
        m_entries.push_back(Entry{path, 0, {}});
    }
    m_announced = count();
    m_current = -1;
    endResetModel();
    m_current = -2;
    setCurrent(current);
    continueNamesWaiters();
}

void PlaylistModel::reorder(const std::vector<int>& order, int current) {
    aboutToChange();
    flushBatch();
    Q_ASSERT(order.size() == m_entries.size());
    std::vector<Entry> entries;
    entries.reserve(order.size());
    Q_EMIT layoutAboutToBeChanged();
    for (int from : order) {
        entries.push_back(std::move(m_entries[std::size_t(from)]));
    }
    m_entries = std::move(entries);
    std::vector<int> newRowOf(order.size());
    for (std::size_t row = 0; row < order.size(); ++row) {
        newRowOf[std::size_t(order[row])] = int(row);
    }
    for (const QModelIndex& old : persistentIndexList()) {
        changePersistentIndex(old, index(newRowOf[std::size_t(old.row())]));
    }
    Q_EMIT layoutChanged();
    m_current = -2;
    setCurrent(current);
}

void PlaylistModel::beginBatch() {
    ++m_batchDepth;
}

void PlaylistModel::flushBatch() {
    if (m_announced == count()) {
        return;
    }
    // The entries are in the list already; the views learn of them now.
    beginInsertRows({}, m_announced, count() - 1);
    m_announced = count();
    endInsertRows();
    const int select = m_pendingSelect;
    m_pendingSelect = -1;
    if (select >= 0 && m_current < 0) {
        setCurrent(select);
    }
}

void PlaylistModel::endBatch() {
    if (m_batchDepth > 0 && --m_batchDepth == 0) {
        flushBatch();
    }
}

void PlaylistModel::announceAppendsWithin(int milliseconds) {
    if (!m_announceTimer.isActive()) {
        beginBatch();
        m_announceTimer.start(milliseconds);
    }
}

void PlaylistModel::invalidateDisplayNames() {
    for (const Entry& entry : m_entries) {
        entry.name = QString();
    }
    m_names->clear();
    refreshAll();
    continueNamesWaiters();
}

void PlaylistModel::refreshAll() {
    if (m_announced > 0) {
        Q_EMIT dataChanged(index(0), index(m_announced - 1));
    }
}

}  // namespace tavi::playlist
