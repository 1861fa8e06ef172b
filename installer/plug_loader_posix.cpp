#include "plug_loader.h"

// Plug-ins are Windows libraries: here nothing loads.
void* LoadPluginModule(const std::string&) { return nullptr; }
void* LoadPluginModule(const std::string&, TPluginSearch) { return nullptr; }
CB_InstallPlugProc FindPluginEntry(void*) { return nullptr; }
void FreePluginModule(void*) {}
