#pragma once

#include "brindlo_plugin.h"
#include "file_system.h"

#include <cstdint>
#include <string>
#include <vector>

class CAPP;

struct TPlug {
    std::string FileName;
    void* Module = nullptr;
    CB_InstallPlugProc Entry = nullptr;
};

// The plug-in host: every "*.dll" of the plug-in directory that exports CB_InstallPlug,
// loaded by its full path in listing order and told PLG_Loaded at once. The libraries stay
// loaded until the process ends.
class CPlugLoader {
public:
    explicit CPlugLoader(TFileSystem& AFS = LocalFileSystem());
    CPlugLoader(const CPlugLoader&) = delete;
    CPlugLoader& operator=(const CPlugLoader&) = delete;

    const std::vector<TPlug>& Plugins() const { return FPlugins; }

    void LoadAll(const std::string& PluginDir);
    // A file that is missing, no loadable library or without the entry is skipped silently.
    void LoadPlug(const std::string& FileName);
    void AddPlug(const std::string& FileName, void* Module, CB_InstallPlugProc Entry);
    // Every entry in load order with Code and App's interface (App may be null).
    void Broadcast(std::int32_t Code, CAPP* App);
    // 1001 to every plug-in, then every library freed; the table ends empty. The
    // installer runs it only as the host is made, so no plug-in ever hears 1001.
    void UnloadAll();

private:
    TFileSystem& FS;
    std::vector<TPlug> FPlugins;
};

// The system's side: load a library by its full path with the search restricted,
// find the entry, free the library. Null where libraries cannot be loaded.
void* LoadPluginModule(const std::string& FileName);
// How the search of a plug-in's own imports is restricted: by the search flags where
// the system has them, else by the altered search path. The one-argument form picks.
enum class TPluginSearch { Flags, AlteredPath };
void* LoadPluginModule(const std::string& FileName, TPluginSearch Search);
CB_InstallPlugProc FindPluginEntry(void* Module);
void FreePluginModule(void* Module);
