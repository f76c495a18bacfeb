#include "settings/PlatformSettings.h"

#ifdef _WIN32
#include "settings/RegistrySettingsStore.h"
#else
#include "settings/IniSettingsStore.h"
#endif

namespace brellic {

std::unique_ptr<SettingsStore> CreatePlatformSettingsStore() {
#ifdef _WIN32
    return CreateRegistrySettings();
#else
    return std::make_unique<IniSettingsStore>();
#endif
}

} // namespace brellic
