#pragma once

#include <QDBusObjectPath>
#include <QList>
#include <QObject>
#include <QPersistentModelIndex>

#include <optional>
#include <vector>

class QAbstractItemModel;

namespace tavi::automation {

// The MPRIS track id of every row of the playlist: /org/kestrova/Tavi/track/N, with N a
// serial given to an entry when it comes into the list and kept while it moves, never given
// again in this run. Follows the model's row signals; announces the changes as ids after the
// model has made them. UI thread only.
class TrackIds : public QObject {
    Q_OBJECT
public:
    static inline const QString kPrefix = QStringLiteral("/org/kestrova/Tavi/track/");
    static inline const QString kNoTrack =
        QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

    explicit TrackIds(QAbstractItemModel& model, QObject* parent = nullptr);

    int count() const { return int(m_serials.size()); }
    QDBusObjectPath idOf(int row) const;
    // The row of an id; none for ids of other players, of removed entries and NoTrack.
    std::optional<int> rowOf(const QDBusObjectPath& id) const;
    QList<QDBusObjectPath> ids() const;

Q_SIGNALS:
    // Rows first..last are new.
    void added(int first, int last);
    void removed(const QList<QDBusObjectPath>& ids);
    // The list was replaced (every row has a new id) or its order changed.
    void replaced();
    void changed(int first, int last);

private:
    void insertRows(int first, int last);
    void removeRows(int first, int last);
    void moveRows(int first, int last, int destination);
    void renumber();
    void rememberLayout();
    void applyLayout();

    QAbstractItemModel& m_model;
    std::vector<quint64> m_serials;  // by row
    quint64 m_nextSerial = 1;
    std::vector<std::pair<QPersistentModelIndex, quint64>> m_layout;  // during a relayout
};

}  // namespace tavi::automation
