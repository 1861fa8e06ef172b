#pragma once

#include "win32_handles.h"

#include <windows.h>

#include <string>

// From here on a library loaded by name comes from the system directory only, never
// from beside the program (a download folder, say) nor from the current directory.
// What the program imports the loader found before this runs: only KnownDLLs, which
// the system always takes from its own directory. Raises Exception with the system's
// reason when the system refuses.
void RestrictLibrarySearch();

// Whether LoadLibraryEx takes the LOAD_LIBRARY_SEARCH_* flags: where
// SetDefaultDllDirectories is, from Windows 8 on and earlier systems with that update.
bool LibrarySearchFlagsAvailable();

// One of the system's own libraries, loaded by its full path in the system directory
// and freed when the object goes.
class TSystemLibrary {
public:
    // Name is the file name alone ("comctl32.dll"). Raises Exception with the system's
    // reason when the library does not load.
    explicit TSystemLibrary(const std::string& Name);

    // The address of the export Name; raises Exception when the library has none.
    template <class TProc>
    TProc Entry(const char* Name) const
    {
        return reinterpret_cast<TProc>(reinterpret_cast<void (*)()>(Find(Name)));
    }

private:
    FARPROC Find(const char* Name) const;

    std::string FName;
    TLibraryHandle FModule;
};
