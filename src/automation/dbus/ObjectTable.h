#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

namespace tavi::automation {

class DispatchObject;

// The objects handed out on the bus, by object path. An object gets one path for as long as
// it is published, so identity survives the trip (Application.Application is the same path).
// Objects published for a client are that client's: they go when it releases them or leaves
// the bus. Pinned objects (the main window's own) stay until the table goes.
class ObjectTable {
public:
    explicit ObjectTable(QString root) : m_root(std::move(root)) {}

    // The object's path, publishing it for the owner when it has none yet. An empty owner pins.
    QString Publish(const std::shared_ptr<DispatchObject>& object, const QString& owner);
    std::shared_ptr<DispatchObject> Find(const QString& path) const;
    // Drops the client's reference; false when the path is not a released-able object.
    bool Release(const QString& path);
    // Drops every object the client owns; returns how many.
    int ReleaseOwner(const QString& owner);
    int Size() const { return int(m_byPath.size()); }
    // The paths of every object published, in no particular order.
    QStringList Paths() const { return m_byPath.keys(); }
    bool OwnsAny(const QString& owner) const;

private:
    struct Entry {
        std::shared_ptr<DispatchObject> object;
        QString owner;
    };
    QString m_root;
    QHash<QString, Entry> m_byPath;
    QHash<const DispatchObject*, QString> m_byObject;
    quint64 m_next = 1;
};

}  // namespace tavi::automation
