#pragma once

#include "install_undo.h"
#include "registry_helpers.h"
#include "uninstall_log.h"

#include <string>

// What the PC road asks of Windows beyond the disk.

// Writes the string value Name of Key below Root, creating the key; a leading "\" of
// Key is the root's own. Raises EOSError with the system's reason.
void WriteRegistryString(TRegistryRoot Root, const std::string& Key, const std::string& Name,
                         const std::string& Value);

// Reads, puts back and deletes what WriteRegistryString wrote, with the same key paths.
TRegistryUndo InstallerRegistryUndo();

// The shell folders and links of the uninstall log's shortcuts.
TShortcutShell InstallerShortcutShell();
