#pragma once

#include "platform/registry/Registry.h"

namespace tavi::settings {

// "Software\Kestrova\Tavi\" followed by subKey; an empty subKey is the application key.
QString applicationKeyPath(const QString& subKey = QString());

// Opens (creating when missing) a key of the application in the user's hive.
reg::RegKey openApplicationKey(reg::Registry& registry, const QString& subKey = QString());

}  // namespace tavi::settings
