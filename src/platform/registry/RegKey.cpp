#include "RegKey.h"

#include "RegHive.h"

namespace tavi::reg {

RegKey::Session::Session(std::shared_ptr<RegHive> hive) : m_hive(std::move(hive)) {
    std::scoped_lock lock(m_hive->mutex());
    m_hive->reloadIfChangedOnDisk();
}

RegKey::Session::~Session() {
    std::scoped_lock lock(m_hive->mutex());
    m_hive->saveIfDirty();  // write errors are ignored: the previous file stays whole
}

RegKey::RegKey(std::shared_ptr<Session> session, QString path, bool writable)
    : m_session(std::move(session)), m_path(std::move(path)), m_writable(writable) {}

bool RegKey::isValid() const {
    if (!m_session) {
        return false;
    }
    RegHive& hive = m_session->hive();
    std::scoped_lock lock(hive.mutex());
    return hive.root().find(m_path) != nullptr;
}

std::optional<RegValue> RegKey::value(const QString& name) const {
    if (!m_session) {
        return std::nullopt;
    }
    RegHive& hive = m_session->hive();
    std::scoped_lock lock(hive.mutex());
    const RegKeyNode* node = hive.root().find(m_path);
    const RegValue* value = node ? node->value(name) : nullptr;
    return value ? std::optional<RegValue>(*value) : std::nullopt;
}

bool RegKey::setValue(const QString& name, const RegValue& value) {
    if (!m_session || !m_writable) {
        return false;
    }
    RegHive& hive = m_session->hive();
    std::scoped_lock lock(hive.mutex());
    RegKeyNode* node = hive.root().find(m_path);
    if (!node) {
        return false;
    }
    const RegValue* old = node->value(name);
    if (!old || !(*old == value)) {
        node->setValue(name, value);
        hive.markDirty();
        hive.bumpGeneration();
    }
    return true;
}

bool RegKey::deleteValue(const QString& name) {
    if (!m_session || !m_writable) {
        return false;
    }
    RegHive& hive = m_session->hive();
    std::scoped_lock lock(hive.mutex());
    RegKeyNode* node = hive.root().find(m_path);
    if (!node || !node->removeValue(name)) {
        return false;
    }
    hive.markDirty();
    hive.bumpGeneration();
    return true;
}

QStringList RegKey::valueNames() const {
    if (!m_session) {
        return {};
    }
    RegHive& hive = m_session->hive();
    std::scoped_lock lock(hive.mutex());
    const RegKeyNode* node = hive.root().find(m_path);
    return node ? node->valueNames() : QStringList();
}

QStringList RegKey::subKeyNames() const {
    if (!m_session) {
        return {};
    }
    RegHive& hive = m_session->hive();
    std::scoped_lock lock(hive.mutex());
    const RegKeyNode* node = hive.root().find(m_path);
    return node ? node->childNames() : QStringList();
}

RegKey RegKey::subKey(const QString& path, bool create) const {
    if (!m_session) {
        return {};
    }
    RegHive& hive = m_session->hive();
    std::scoped_lock lock(hive.mutex());
    RegKeyNode* node = hive.root().find(m_path);
    if (!node) {
        return {};
    }
    RegKeyNode* child = node->find(path);
    if (!child && create && m_writable) {
        child = node->findOrCreate(path);
        hive.markDirty();
        hive.bumpGeneration();
    }
    if (!child) {
        return {};
    }
    const QString joined =
        RegKeyNode::splitPath(m_path + QLatin1Char('\\') + path).join(QLatin1Char('\\'));
    return RegKey(m_session, joined, m_writable);
}

bool RegKey::deleteSubKeyTree(const QString& path) {
    if (!m_session || !m_writable) {
        return false;
    }
    QStringList parts = RegKeyNode::splitPath(path);
    if (parts.isEmpty()) {
        return false;
    }
    const QString leaf = parts.takeLast();
    RegHive& hive = m_session->hive();
    std::scoped_lock lock(hive.mutex());
    RegKeyNode* node = hive.root().find(m_path);
    RegKeyNode* parent = node ? node->find(parts.join(QLatin1Char('\\'))) : nullptr;
    if (!parent || !parent->removeChild(leaf)) {
        return false;
    }
    hive.markDirty();
    hive.bumpGeneration();
    return true;
}

std::optional<QString> RegKey::stringValue(const QString& name) const {
    const auto v = value(name);
    return v ? v->toString() : std::nullopt;
}

std::optional<uint32_t> RegKey::dwordValue(const QString& name) const {
    const auto v = value(name);
    return v ? v->toDWord() : std::nullopt;
}

}  // namespace tavi::reg
