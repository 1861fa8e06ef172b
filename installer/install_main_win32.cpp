// Install.exe: the package's installer, started from the package directory.
#include "data_bag.h"
#include "exceptions.h"
#include "install_form.h"
#include "path_and_dir_helpers.h"
#include "system_library.h"
#include "ui_application.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The program runs from folders it does not control, such as a download folder.
    try {
        RestrictLibrarySearch();
    } catch (const Exception& E) {
        Application().ShowException(E.Message());
        return 1;
    }
    Application().Title = AppTitle;
    TForm1 Form(ExtractFilePath(Application().ExeName()));
    Form.Show();
    Application().Run();
    return 0;
}
