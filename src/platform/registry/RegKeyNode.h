#pragma once

#include "RegValue.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace tavi::reg {

// One key of a hive: named values in the order they were first set, and subkeys. Key and
// value names compare case-insensitively, as the Windows registry does, and keep the case
// they were created with.
class RegKeyNode {
public:
    explicit RegKeyNode(QString name = {}) : m_name(std::move(name)) {}

    const QString& name() const { return m_name; }

    RegKeyNode* child(const QString& name) const;
    RegKeyNode* ensureChild(const QString& name);
    bool removeChild(const QString& name);
    // Subkey names in a stable order: case-insensitive alphabetical, as regedit lists them.
    QStringList childNames() const;
    const std::map<QString, std::unique_ptr<RegKeyNode>>& children() const { return m_children; }

    const RegValue* value(const QString& name) const;
    void setValue(const QString& name, RegValue value);
    bool removeValue(const QString& name);
    QStringList valueNames() const;
    const std::vector<std::pair<QString, RegValue>>& values() const { return m_values; }

    // Walks a backslash-separated path below this key; nullptr when a part is missing.
    RegKeyNode* find(const QString& path);
    RegKeyNode* findOrCreate(const QString& path);
    std::unique_ptr<RegKeyNode> clone() const;
    // Copies every value and subkey of other over this key (other wins on conflicts).
    void mergeFrom(const RegKeyNode& other);

    static QString foldName(const QString& name) { return name.toCaseFolded(); }
    static QStringList splitPath(const QString& path);

private:
    qsizetype valueIndex(const QString& name) const;

    QString m_name;
    std::map<QString, std::unique_ptr<RegKeyNode>> m_children;  // keyed by folded name
    std::vector<std::pair<QString, RegValue>> m_values;
};

}  // namespace tavi::reg
