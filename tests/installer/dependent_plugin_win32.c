/* A plug-in that imports a library of its own, shipped beside it in "plugins". */
#include "brindlo_plugin.h"

__declspec(dllimport) int BRINDLO_HelperAnswer(void);

void BRINDLO_CALL CB_InstallPlug(int32_t Event, IInstallApp* App)
{
    (void)Event;
    (void)App;
    BRINDLO_HelperAnswer();
}
