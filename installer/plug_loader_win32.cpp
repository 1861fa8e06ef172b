#include "plug_loader.h"

#include <windows.h>

namespace {

// Where the system has it, the search of a library's dependencies is kept to the
// library's own directory and the system's: nothing is taken from the program's
// directory (a download folder) or the current one.
constexpr DWORD SearchDllLoadDir = 0x00000100;
constexpr DWORD SearchSystem32 = 0x00000800;

bool RestrictedSearchAvailable()
{
    static const bool Available =
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories") != nullptr;
    return Available;
}

} // namespace

void* LoadPluginModule(const std::string& FileName)
{
    // A file that is no library must not bring up the system's error box.
    const UINT Old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE Module = RestrictedSearchAvailable()
                         ? LoadLibraryExA(FileName.c_str(), nullptr, SearchDllLoadDir | SearchSystem32)
                         : LoadLibraryA(FileName.c_str());
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
