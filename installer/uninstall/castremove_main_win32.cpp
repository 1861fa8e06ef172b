// Castremove: removes one PC installation by replaying its uninstall log.
#include "uninstall_form.h"

#include "exceptions.h"
#include "system_library.h"
#include "ui_application.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Libraries come from the system directory only: not from beside the program, nor
    // from the directory it was started in (the installation's, by its shortcut).
    try {
        RestrictLibrarySearch();
    } catch (const Exception& E) {
        Application().ShowException(E.Message());
        return 1;
    }
    // The uninstall shortcut starts us in the installation directory, which could then
    // not be removed: stand in the Windows directory instead.
    char WindowsDir[MAX_PATH] = {};
    const UINT N = GetWindowsDirectoryA(WindowsDir, MAX_PATH);
    if (N > 0 && N < MAX_PATH)
        SetCurrentDirectoryA(WindowsDir);

    Application().Title = "Uninstall";
    int ExitCode = 1;
    GuardCall([&] {
        castremove::TForm1 Form(nullptr, GetCommandLineA());
        Form.OnClose = [](TObject*) { Application().Terminate(); };
        Form.Show();
        Application().Run();
        ExitCode = Form.ExitCode();
    });
    return ExitCode;
}
