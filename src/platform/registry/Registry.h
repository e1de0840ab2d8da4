#pragma once

#include "RegKey.h"

#include <QString>

#include <memory>

namespace tavi::reg {

class RegHive;

enum class Root { ClassesRoot, CurrentUser, LocalMachine };

// The program's registry: the user's hive (read and written), the machine hive (read only,
// a system file over built-in defaults) and the classes view merged from both.
class Registry {
public:
    struct Locations {
        QString userFile;    // empty: memory only
        QString systemFile;  // empty: built-in defaults only
    };
    // $XDG_CONFIG_HOME/Kestrova/Tavi/user.reg and the first Kestrova/Tavi/system.reg in
    // $XDG_CONFIG_DIRS, with the XDG defaults when the variables are unset.
    static Locations defaultLocations();

    explicit Registry(const Locations& locations);
    ~Registry();
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    // The process-wide registry, created at first use from defaultLocations().
    static Registry& instance();
    // Drops the process-wide registry so the next instance() reads the locations anew.
    static void resetInstance();

    // Opens root\path. With create, missing keys are made (user hive only). An invalid
    // key is returned when the key does not exist or cannot be created.
    RegKey open(Root root, const QString& path, bool create = false);
    // Writes the user hive now if it changed (it is also written when the last open key
    // of a batch of changes is closed).
    bool flush();

    const Locations& locations() const { return m_locations; }

private:
    std::shared_ptr<RegKey::Session> sessionFor(Root root);
    void rebuildClassesIfStale();

    Locations m_locations;
    std::shared_ptr<RegHive> m_user;
    std::shared_ptr<RegHive> m_machine;
    std::shared_ptr<RegHive> m_classes;
    std::weak_ptr<RegKey::Session> m_userSession;
    quint64 m_classesBuiltFrom = ~0ULL;
};

}  // namespace tavi::reg
