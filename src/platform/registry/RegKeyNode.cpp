#include "RegKeyNode.h"

namespace tavi::reg {

RegKeyNode* RegKeyNode::child(const QString& name) const {
    const auto it = m_children.find(foldName(name));
    return it == m_children.end() ? nullptr : it->second.get();
}

RegKeyNode* RegKeyNode::ensureChild(const QString& name) {
    auto& slot = m_children[foldName(name)];
    if (!slot) {
        slot = std::make_unique<RegKeyNode>(name);
    }
    return slot.get();
}

bool RegKeyNode::removeChild(const QString& name) {
    return m_children.erase(foldName(name)) > 0;
}

QStringList RegKeyNode::childNames() const {
    QStringList names;
    names.reserve(static_cast<qsizetype>(m_children.size()));
    for (const auto& [folded, node] : m_children) {
        names.append(node->name());
    }
    return names;
}

qsizetype RegKeyNode::valueIndex(const QString& name) const {
    for (size_t i = 0; i < m_values.size(); ++i) {
        if (m_values[i].first.compare(name, Qt::CaseInsensitive) == 0) {
            return static_cast<qsizetype>(i);
        }
    }
    return -1;
}

const RegValue* RegKeyNode::value(const QString& name) const {
    const qsizetype index = valueIndex(name);
    return index < 0 ? nullptr : &m_values[static_cast<size_t>(index)].second;
}

void RegKeyNode::setValue(const QString& name, RegValue value) {
    const qsizetype index = valueIndex(name);
    if (index < 0) {
        m_values.emplace_back(name, std::move(value));
    } else {
        m_values[static_cast<size_t>(index)].second = std::move(value);
    }
}

bool RegKeyNode::removeValue(const QString& name) {
    const qsizetype index = valueIndex(name);
    if (index < 0) {
        return false;
    }
    m_values.erase(m_values.begin() + index);
    return true;
}

QStringList RegKeyNode::valueNames() const {
    QStringList names;
    for (const auto& [name, value] : m_values) {
        names.append(name);
    }
    return names;
}

QStringList RegKeyNode::splitPath(const QString& path) {
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

RegKeyNode* RegKeyNode::find(const QString& path) {
    RegKeyNode* node = this;
    for (const QString& part : splitPath(path)) {
        node = node->child(part);
        if (!node) {
            return nullptr;
        }
    }
    return node;
}

RegKeyNode* RegKeyNode::findOrCreate(const QString& path) {
    RegKeyNode* node = this;
    for (const QString& part : splitPath(path)) {
        node = node->ensureChild(part);
    }
    return node;
}

std::unique_ptr<RegKeyNode> RegKeyNode::clone() const {
    auto copy = std::make_unique<RegKeyNode>(m_name);
    copy->m_values = m_values;
    for (const auto& [folded, node] : m_children) {
        copy->m_children.emplace(folded, node->clone());
    }
    return copy;
}

void RegKeyNode::mergeFrom(const RegKeyNode& other) {
    for (const auto& [name, value] : other.m_values) {
        setValue(name, value);
    }
    for (const auto& [folded, node] : other.m_children) {
        ensureChild(node->name())->mergeFrom(*node);
    }
}

}  // namespace tavi::reg
