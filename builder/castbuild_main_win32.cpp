// Castbuild.exe: the package builder.
#include "castamer.h"
#include "data_bag.h"
#include "f_main.h"
#include "f_splash.h"
#include "remembered_paths.h"
#include "ui_application.h"

#include <windows.h>

#include <cstdlib>
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
    // Writes "bx_env.dat".
    Project.reset();
    return 0;
}
