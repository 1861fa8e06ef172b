#include "plug_loader.h"

#include "system_library.h"

#include <windows.h>

namespace {

constexpr DWORD SearchDllLoadDir = 0x00000100;
constexpr DWORD SearchSystem32 = 0x00000800;

} // namespace

void* LoadPluginModule(const std::string& FileName)
{
    return LoadPluginModule(FileName, LibrarySearchFlagsAvailable() ? TPluginSearch::Flags : TPluginSearch::AlteredPath);
}

void* LoadPluginModule(const std::string& FileName, TPluginSearch Search)
{
    // A file that is no library must not bring up the system's error box.
    const UINT Old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // Either way a plug-in's own imports are looked for beside it and in the system's
    // directory, never beside the program (a download folder) first.
    HMODULE Module = Search == TPluginSearch::Flags
                         ? LoadLibraryExA(FileName.c_str(), nullptr, SearchDllLoadDir | SearchSystem32)
                         : LoadLibraryExA(FileName.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    SetErrorMode(Old);
    return reinterpret_cast<void*>(Module);
}

CB_InstallPlugProc FindPluginEntry(void* Module)
{
    return reinterpret_cast<CB_InstallPlugProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(static_cast<HMODULE>(Module), "CB_InstallPlug")));
}

void FreePluginModule(void* Module)
{
    if (Module)
        FreeLibrary(static_cast<HMODULE>(Module));
}
