// Castbuild.exe: the package builder.
#include "project.h"
#include "data_bag.h"
#include "f_main.h"
#include "f_splash.h"
#include "msg_dlg.h"
#include "remembered_paths.h"
#include "ui_application.h"

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The remembered paths outlive the project object, which saves them when it goes.
    THash& Paths = RememberedPaths();
    auto Project = std::make_unique<CCastamer>(SystemBuilderServices(), Paths);
    Application().Title = AppTitle;
    if (!Project->Ready)
        return 0;
    {
        TFSplash Splash(SplashResource(), SplashInterval(std::getenv("BRINDLO_SPLASH_MS")));
        Splash.ShowModal();
    }
    {
        TFMain Main(nullptr);
        Main.AttachEngine(*Project);
        Main.Show();
        Application().Run();
    }
    // "bx_env.dat" is written here as well as by the project object's end, so that a
    // failure is seen: the destructor cannot report it.
    int ExitCode = 0;
    // The loop left the quit message queued again; taken away, the message box below
    // gets a loop of its own.
    MSG Quit;
    PeekMessageA(&Quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    try {
        Project->SaveEnv();
    } catch (const std::exception& E) {
        ShowMsgDlg(E.what(), mtError, {"Ok"}, 50, AppTitle);
        ExitCode = 1;
    }
    Project.reset();
    return ExitCode;
}
