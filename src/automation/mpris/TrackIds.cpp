#include "TrackIds.h"

#include <QAbstractItemModel>

namespace tavi::automation {

TrackIds::TrackIds(QAbstractItemModel& model, QObject* parent) : QObject(parent), m_model(model) {
    renumber();
    connect(&model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { insertRows(first, last); });
    connect(&model, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) { removeRows(first, last); });
    connect(&model, &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int first, int last, const QModelIndex&, int destination) {
                moveRows(first, last, destination);
            });
    connect(&model, &QAbstractItemModel::modelReset, this, [this] {
        renumber();
        Q_EMIT replaced();
    });
    connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, this, &TrackIds::rememberLayout);
    connect(&model, &QAbstractItemModel::layoutChanged, this, &TrackIds::applyLayout);
    connect(&model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                Q_EMIT changed(topLeft.row(), bottomRight.row());
            });
}

QDBusObjectPath TrackIds::idOf(int row) const {
    if (row < 0 || row >= count()) {
        return QDBusObjectPath(kNoTrack);
    }
    return QDBusObjectPath(kPrefix + QString::number(m_serials[std::size_t(row)]));
}

std::optional<int> TrackIds::rowOf(const QDBusObjectPath& id) const {
    const QString path = id.path();
    if (!path.startsWith(kPrefix)) {
        return std::nullopt;
    }
    bool ok = false;
    const quint64 serial = path.mid(kPrefix.size()).toULongLong(&ok);
    if (!ok) {
        return std::nullopt;
    }
    const auto found = std::find(m_serials.begin(), m_serials.end(), serial);
    if (found == m_serials.end()) {
        return std::nullopt;
    }
    return int(found - m_serials.begin());
}

QList<QDBusObjectPath> TrackIds::ids() const {
    QList<QDBusObjectPath> list;
    list.reserve(count());
    for (int row = 0; row < count(); ++row) {
        list.append(idOf(row));
    }
    return list;
}

void TrackIds::insertRows(int first, int last) {
    std::vector<quint64> fresh;
    for (int row = first; row <= last; ++row) {
        fresh.push_back(m_nextSerial++);
    }
    m_serials.insert(m_serials.begin() + first, fresh.begin(), fresh.end());
    Q_EMIT added(first, last);
}

void TrackIds::removeRows(int first, int last) {
    QList<QDBusObjectPath> gone;
    for (int row = first; row <= last; ++row) {
        gone.append(idOf(row));
    }
    m_serials.erase(m_serials.begin() + first, m_serials.begin() + last + 1);
    Q_EMIT removed(gone);
}

void TrackIds::moveRows(int first, int last, int destination) {
    // destination is the row the block went before, counted before the move.
    std::vector<quint64> block(m_serials.begin() + first, m_serials.begin() + last + 1);
    m_serials.erase(m_serials.begin() + first, m_serials.begin() + last + 1);
    const int target = destination > last ? destination - int(block.size()) : destination;
    m_serials.insert(m_serials.begin() + target, block.begin(), block.end());
    Q_EMIT replaced();  // MPRIS has no move: clients take the new order whole
}

void TrackIds::renumber() {
    m_serials.clear();
    const int rows = m_model.rowCount();
    for (int row = 0; row < rows; ++row) {
        m_serials.push_back(m_nextSerial++);
    }
}

void TrackIds::rememberLayout() {
    m_layout.clear();
    for (int row = 0; row < count(); ++row) {
        m_layout.emplace_back(QPersistentModelIndex(m_model.index(row, 0)),
                              m_serials[std::size_t(row)]);
    }
}

void TrackIds::applyLayout() {
    // The model moved the persistent indexes with their rows: each serial goes where its
    // index went.
    for (const auto& [index, serial] : m_layout) {
        if (index.isValid() && index.row() < count()) {
            m_serials[std::size_t(index.row())] = serial;
        }
    }
    m_layout.clear();
    Q_EMIT replaced();
}

}  // namespace tavi::automation
