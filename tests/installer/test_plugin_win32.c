/* A plug-in as a publisher would write one: it appends what it is told, and every
   value the installation interface answers, to a log named after its own file. */
#include "brindlo_plugin.h"

#include <stdio.h>
#include <string.h>
#include <windows.h>

static char LogPath[MAX_PATH + 8];

static void LogLine(const char* Key, const char* Value)
{
    FILE* F = fopen(LogPath, "ab");
    if (!F)
        return;
    fprintf(F, "%s=%s\n", Key, Value ? Value : "(null)");
    fclose(F);
}

static void LogInt(const char* Key, int32_t Value)
{
    char Text[16];
    snprintf(Text, sizeof Text, "%ld", (long)Value);
    LogLine(Key, Text);
}

BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID Reserved)
{
    (void)Reserved;
    if (Reason == DLL_PROCESS_ATTACH) {
        DWORD N = GetModuleFileNameA(Instance, LogPath, MAX_PATH);
        if (N == 0 || N >= MAX_PATH)
            LogPath[0] = '\0';
        else
            strcat(LogPath, ".log");
    }
    return TRUE;
}

void BRINDLO_CALL CB_InstallPlug(int32_t Event, IInstallApp* App)
{
    LogInt("event", Event);
    if (!App)
        return;
    const IInstallAppVtbl* V = App->lpVtbl;
    const BrindloGuid Unknown = BRINDLO_IID_IUNKNOWN_INIT;
    void* Same = NULL;
    LogInt("QueryInterface", V->QueryInterface(App, &Unknown, &Same));
    LogInt("same", Same == (void*)App);
    LogInt("Release", (int32_t)V->Release(App));
    LogLine("GetAppName", V->GetAppName(App));
    LogLine("GetGroupID", V->GetGroupID(App));
    LogLine("GetWebLink", V->GetWebLink(App));
    LogLine("GetBDate", V->GetBDate(App));
    LogLine("GetBVersion", V->GetBVersion(App));
    LogLine("GetDescribe", V->GetDescribe(App));
    LogInt("GetFontColor", V->GetFontColor(App));
    LogInt("GetSShotLeft", V->GetSShotLeft(App));
    LogInt("GetSShotTop", V->GetSShotTop(App));
    LogInt("GetDescTop", V->GetDescTop(App));
    LogInt("GetDescLeft", V->GetDescLeft(App));
    LogLine("GetDefInstDir", V->GetDefInstDir(App));
    LogLine("GetOutFN", V->GetOutFN(App));
    LogInt("GetShowInfo", V->GetShowInfo(App));
    LogLine("GetName", V->GetName(App));
    LogLine("GetCompName", V->GetCompName(App));
    LogInt("GetAddUinstSC", V->GetAddUinstSC(App));
    LogInt("GetDID", V->GetDID(App));
    LogLine("GetASDesc", V->GetASDesc(App));
    LogLine("GetICabFARM", V->GetICabFARM(App));
    LogLine("GetICabFMIPS", V->GetICabFMIPS(App));
    LogLine("GetICabFSH", V->GetICabFSH(App));
    LogLine("GetDeviceInstDir", V->GetDeviceInstDir(App));
    LogLine("GetInstallDir", V->GetInstallDir(App));
}
