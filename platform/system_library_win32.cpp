#include "system_library.h"

#include "exceptions.h"
#include "system_error.h"

namespace {

// Not in the headers of the Windows versions the programs target.
constexpr DWORD SearchSystem32 = 0x00000800;

FARPROC Kernel32Entry(const char* Name)
{
    HMODULE Kernel = GetModuleHandleA("kernel32.dll");
    return Kernel ? GetProcAddress(Kernel, Name) : nullptr;
}

std::string SystemDirectory()
{
    char Dir[MAX_PATH] = {};
    const UINT N = GetSystemDirectoryA(Dir, MAX_PATH);
    if (N == 0)
        throw Exception("Cannot find the system directory: " + LastSystemError());
    if (N >= MAX_PATH)
        throw Exception("Cannot find the system directory: its path is too long");
    return std::string(Dir, N);
}

} // namespace

void RestrictLibrarySearch()
{
    using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    using TSetDllDirectoryA = BOOL(WINAPI*)(LPCSTR);
    if (auto* SetDefault = reinterpret_cast<TSetDefaultDllDirectories>(
            reinterpret_cast<void (*)()>(Kernel32Entry("SetDefaultDllDirectories"))))
        if (!SetDefault(SearchSystem32))
            throw Exception("Cannot restrict the library search: " + LastSystemError());
    // Takes the current directory out of the search where the call above is missing.
    if (auto* SetDir =
            reinterpret_cast<TSetDllDirectoryA>(reinterpret_cast<void (*)()>(Kernel32Entry("SetDllDirectoryA"))))
        if (!SetDir(""))
            throw Exception("Cannot restrict the library search: " + LastSystemError());
}

bool LibrarySearchFlagsAvailable()
{
    static const bool Available = Kernel32Entry("SetDefaultDllDirectories") != nullptr;
    return Available;
}

TSystemLibrary::TSystemLibrary(const std::string& Name) : FName(Name)
{
    // By its full path, so no search takes place; the altered search path looks for the
    // library's own imports beside it, in the system directory, first.
    const std::string Path = SystemDirectory() + "\\" + Name;
    FModule.Reset(LoadLibraryExA(Path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!FModule)
        throw Exception("Cannot load " + Path + ": " + LastSystemError());
}

FARPROC TSystemLibrary::Find(const char* Name) const
{
    const FARPROC Proc = GetProcAddress(FModule.Get(), Name);
    if (!Proc)
        throw Exception("Cannot find " + std::string(Name) + " in " + FName + ": " + LastSystemError());
    return Proc;
}
