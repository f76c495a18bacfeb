#pragma once

#include "editor/Settings.h"

#include <memory>

namespace brellic {

// The store the program keeps its settings in: the registry key below
// HKEY_LOCAL_MACHINE on Windows, or, for a user who may not write there, the
// same key below HKEY_CURRENT_USER over it; the user's INI file elsewhere.
std::unique_ptr<SettingsStore> CreatePlatformSettingsStore();

} // namespace brellic
