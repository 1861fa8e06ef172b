/* A library planted beside a program under the name of a system library that is no
   KnownDLL. When it is loaded it leaves a marker beside itself ("<its path>.loaded").
   It answers, failing, every call the programs ever imported from comctl32 and
   msimg32, so that a program that imports them starts with it in their place. */
#define NOGDI
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE Instance, DWORD Reason, LPVOID Reserved)
{
    (void)Reserved;
    if (Reason == DLL_PROCESS_ATTACH) {
        char Path[MAX_PATH + 8];
        const DWORD N = GetModuleFileNameA(Instance, Path, MAX_PATH);
        if (N > 0 && N < MAX_PATH) {
            lstrcatA(Path, ".loaded");
            HANDLE Marker = CreateFileA(Path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
            if (Marker != INVALID_HANDLE_VALUE)
                CloseHandle(Marker);
        }
    }
    return TRUE;
}

__declspec(dllexport) BOOL WINAPI InitCommonControlsEx(const void* Init)
{
    (void)Init;
    return FALSE;
}

__declspec(dllexport) void* WINAPI ImageList_Create(int Width, int Height, UINT Flags, int Initial, int Grow)
{
    (void)Width, (void)Height, (void)Flags, (void)Initial, (void)Grow;
    return NULL;
}

__declspec(dllexport) BOOL WINAPI ImageList_Destroy(void* List)
{
    (void)List;
    return FALSE;
}

__declspec(dllexport) int WINAPI ImageList_Add(void* List, void* Image, void* Mask)
{
    (void)List, (void)Image, (void)Mask;
    return -1;
}

__declspec(dllexport) int WINAPI ImageList_AddMasked(void* List, void* Image, DWORD Key)
{
    (void)List, (void)Image, (void)Key;
    return -1;
}

__declspec(dllexport) int WINAPI ImageList_GetImageCount(void* List)
{
    (void)List;
    return 0;
}

__declspec(dllexport) BOOL WINAPI ImageList_Draw(void* List, int Index, void* DC, int X, int Y, UINT Style)
{
    (void)List, (void)Index, (void)DC, (void)X, (void)Y, (void)Style;
    return FALSE;
}

__declspec(dllexport) BOOL WINAPI TransparentBlt(void* Dest, int X, int Y, int W, int H, void* Source, int SX, int SY,
                                                 int SW, int SH, UINT Key)
{
    (void)Dest, (void)X, (void)Y, (void)W, (void)H, (void)Source, (void)SX, (void)SY, (void)SW, (void)SH, (void)Key;
    return FALSE;
}
