// Install.exe: the package's installer, started from the package directory.
#include "data_bag.h"
#include "install_form.h"
#include "shell_helpers.h"
#include "ui_application.h"

#include <windows.h>

namespace {

// The program runs from folders it does not control, such as a download folder: from
// here on, libraries come from the system's directory only, never from beside the
// program or the current directory. The libraries the program imports were resolved
// by the loader before this runs.
void RestrictLibrarySearch()
{
    using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
    using TSetDllDirectoryA = BOOL(WINAPI*)(LPCSTR);
    HMODULE Kernel = GetModuleHandleA("kernel32.dll");
    if (!Kernel)
        return;
    constexpr DWORD SearchSystem32 = 0x00000800;
    if (auto* SetDefault = reinterpret_cast<TSetDefaultDllDirectories>(
            reinterpret_cast<void (*)()>(GetProcAddress(Kernel, "SetDefaultDllDirectories"))))
        SetDefault(SearchSystem32);
    if (auto* SetDir = reinterpret_cast<TSetDllDirectoryA>(
            reinterpret_cast<void (*)()>(GetProcAddress(Kernel, "SetDllDirectoryA"))))
        SetDir("");
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RestrictLibrarySearch();
    Application().Title = AppTitle;
    TForm1 Form(ExtractFilePath(Application().ExeName()));
    Form.Show();
    Application().Run();
    return 0;
}
