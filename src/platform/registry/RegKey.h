#pragma once

#include "RegValue.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace tavi::reg {

class RegHive;

// An open registry key. Copies share the key. Changes are kept in memory and the hive's
// file is written when the last key opened on it is closed, so that writing a group of
// settings costs one file write. A key whose node was deleted behaves as a missing key.
class RegKey {
public:
    // Keeps a hive's changes together until the last key that uses it closes.
    class Session {
    public:
        explicit Session(std::shared_ptr<RegHive> hive);
        ~Session();
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;
        RegHive& hive() { return *m_hive; }

    private:
        std::shared_ptr<RegHive> m_hive;
    };

    RegKey() = default;
    RegKey(std::shared_ptr<Session> session, QString path, bool writable);

    bool isValid() const;
    const QString& path() const { return m_path; }
    bool isWritable() const { return m_writable; }

    std::optional<RegValue> value(const QString& name) const;
    bool setValue(const QString& name, const RegValue& value);
    bool deleteValue(const QString& name);
    QStringList valueNames() const;

    // Subkey names in a stable (case-insensitive alphabetical) order.
    QStringList subKeyNames() const;
    RegKey subKey(const QString& path, bool create = false) const;
    // Deletes the subkey and everything below it.
    bool deleteSubKeyTree(const QString& path);

    // Convenience accessors over value()/setValue().
    std::optional<QString> stringValue(const QString& name) const;
    std::optional<uint32_t> dwordValue(const QString& name) const;
    bool setString(const QString& name, const QString& text) {
        return setValue(name, RegValue::fromString(text));
    }
    bool setDWord(const QString& name, uint32_t number) {
        return setValue(name, RegValue::fromDWord(number));
    }
    bool setBinary(const QString& name, const QByteArray& bytes) {
        return setValue(name, RegValue::fromBinary(bytes));
    }

private:
    std::shared_ptr<Session> m_session;
    QString m_path;
    bool m_writable = false;
};

}  // namespace tavi::reg
