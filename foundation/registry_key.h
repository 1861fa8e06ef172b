#pragma once

// The registry keys the programs open below the roots they name.
#include "registry_helpers.h"
#include "win32_handles.h"

#include <string>

// The predefined key Root names.
HKEY HiveOf(TRegistryRoot Root);

// Key as the registry takes it: a leading "\" is the root's own.
std::string PathBelowRoot(const std::string& Key);

// Opens Key below Root for Access into Opened without creating anything; answers the
// system's code (ERROR_SUCCESS when Opened holds the key).
LONG OpenRegistryKey(TRegistryRoot Root, const std::string& Key, REGSAM Access, TRegKey& Opened);
