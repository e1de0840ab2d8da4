#include "AppKey.h"

#include "SettingsKeys.h"

namespace tavi::settings {

QString applicationKeyPath(const QString& subKey) {
    return QLatin1String("Software\\") + keys::kCompany + QLatin1Char('\\') + keys::kApplication +
           QLatin1Char('\\') + subKey;
}

reg::RegKey openApplicationKey(reg::Registry& registry, const QString& subKey) {
    return registry.open(reg::Root::CurrentUser, applicationKeyPath(subKey), true);
}

}  // namespace tavi::settings
