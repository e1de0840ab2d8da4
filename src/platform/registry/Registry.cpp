#include "Registry.h"

#include "RegFileFormat.h"
#include "RegHive.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace tavi::reg {

// The text of the built-in machine defaults, generated from resources/registry at build time.
extern const char* const kMachineDefaultsText;

namespace {

const QString kUserRoot = QStringLiteral("HKEY_CURRENT_USER");
const QString kMachineRoot = QStringLiteral("HKEY_LOCAL_MACHINE");
const QString kClassesRoot = QStringLiteral("HKEY_CLASSES_ROOT");
const QString kClassesPath = QStringLiteral("Software\\Classes");
const QString kHiveFolder = QStringLiteral("/Kestrova/Tavi/");

QString envOr(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

std::unique_ptr<RegKeyNode> machineDefaults() {
    auto root = std::make_unique<RegKeyNode>();
    const auto result = RegFileFormat::parse(QByteArray(kMachineDefaultsText), kMachineRoot, *root);
    if (!result.ok) {
        std::fprintf(stderr, "Tavi: built-in machine defaults: line %d: %s\n", result.line,
                     qPrintable(result.error));
    }
    return root;
}

std::unique_ptr<Registry>& processRegistry() {
    static std::unique_ptr<Registry> registry;
    return registry;
}

}  // namespace

Registry::Locations Registry::defaultLocations() {
    Locations locations;
    const QString configHome =
        envOr("XDG_CONFIG_HOME", QDir::homePath() + QLatin1String("/.config"));
    locations.userFile = configHome + kHiveFolder + QLatin1String("user.reg");
    const QString dirs = envOr("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    for (const QString& dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString candidate = dir + kHiveFolder + QLatin1String("system.reg");
        if (QFileInfo::exists(candidate)) {
            locations.systemFile = candidate;
            break;
        }
    }
    return locations;
}

Registry::Registry(const Locations& locations)
    : m_locations(locations),
      m_user(std::make_shared<RegHive>(kUserRoot, locations.userFile, true)),
      m_machine(
          std::make_shared<RegHive>(kMachineRoot, locations.systemFile, false, machineDefaults())),
      m_classes(std::make_shared<RegHive>(kClassesRoot, QString(), false)) {
    m_user->load();
    m_machine->load();
}

Registry::~Registry() {
    flush();
}

Registry& Registry::instance() {
    auto& registry = processRegistry();
    if (!registry) {
        registry = std::make_unique<Registry>(defaultLocations());
    }
    return *registry;
}

void Registry::resetInstance() {
    processRegistry().reset();
}

std::shared_ptr<RegKey::Session> Registry::sessionFor(Root root) {
    if (root == Root::CurrentUser) {
        auto session = m_userSession.lock();
        if (!session) {
            session = std::make_shared<RegKey::Session>(m_user);
            m_userSession = session;
        }
        return session;
    }
    if (root == Root::LocalMachine) {
        return std::make_shared<RegKey::Session>(m_machine);
    }
    rebuildClassesIfStale();
    return std::make_shared<RegKey::Session>(m_classes);
}

// The classes view is the machine's Software\Classes with the user's laid over it.
void Registry::rebuildClassesIfStale() {
    quint64 generation = 0;
    for (const auto& hive : {m_machine, m_user}) {
        std::scoped_lock lock(hive->mutex());
        generation = generation * 1000003ULL + hive->generation();
    }
    if (generation == m_classesBuiltFrom) {
        return;
    }
    auto merged = std::make_unique<RegKeyNode>();
    for (const auto& hive : {m_machine, m_user}) {
        std::scoped_lock lock(hive->mutex());
        if (const RegKeyNode* classes = hive->root().find(kClassesPath)) {
            merged->mergeFrom(*classes);
        }
    }
    std::scoped_lock lock(m_classes->mutex());
    m_classes->root() = std::move(*merged);
    m_classesBuiltFrom = generation;
}

RegKey Registry::open(Root root, const QString& path, bool create) {
    const bool writable = root == Root::CurrentUser;
    RegKey rootKey(sessionFor(root), QString(), writable);
    return rootKey.subKey(path, create && writable);
}

bool Registry::flush() {
    std::scoped_lock lock(m_user->mutex());
    return m_user->saveIfDirty();
}

}  // namespace tavi::reg
