#include "ObjectTable.h"

#include "automation/dispatch/DispatchObject.h"

namespace tavi::automation {

QString ObjectTable::Publish(const std::shared_ptr<DispatchObject>& object, const QString& owner) {
    const auto known = m_byObject.constFind(object.get());
    if (known != m_byObject.constEnd()) {
        return *known;
    }
    const QString path = QStringLiteral("%1/%2%3")
                             .arg(m_root, object->TypeName().remove(QLatin1Char('_')))
                             .arg(m_next++);
    m_byPath.insert(path, {object, owner});
    m_byObject.insert(object.get(), path);
    return path;
}

std::shared_ptr<DispatchObject> ObjectTable::Find(const QString& path) const {
    const auto found = m_byPath.constFind(path);
    return found == m_byPath.constEnd() ? nullptr : found->object;
}

bool ObjectTable::Release(const QString& path) {
    const auto found = m_byPath.find(path);
    if (found == m_byPath.end() || found->owner.isEmpty()) {
        return false;
    }
    m_byObject.remove(found->object.get());
    m_byPath.erase(found);
    return true;
}

int ObjectTable::ReleaseOwner(const QString& owner) {
    int released = 0;
    for (auto it = m_byPath.begin(); it != m_byPath.end();) {
        if (!owner.isEmpty() && it->owner == owner) {
            m_byObject.remove(it->object.get());
            it = m_byPath.erase(it);
            ++released;
        } else {
            ++it;
        }
    }
    if (released > 0) {
        // Hash tables keep their peak size: a client's 100,000 objects must not leave it behind.
        m_byPath.squeeze();
        m_byObject.squeeze();
    }
    return released;
}

bool ObjectTable::OwnsAny(const QString& owner) const {
    for (const Entry& entry : m_byPath) {
        if (entry.owner == owner) {
            return true;
        }
    }
    return false;
}

}  // namespace tavi::automation
