/* A program that imports comctl32 and msimg32 as the programs once did: started
   beside planted copies with the system told to prefer them, it must load them, or
   the tests that find none loaded prove nothing. */
#include <windows.h>

#include <commctrl.h>

int main(int Argc, char** Argv)
{
    (void)Argv;
    /* Never true: the calls are there for their imports. */
    if (Argc > 1000) {
        INITCOMMONCONTROLSEX Init = {sizeof Init, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&Init);
        TransparentBlt(NULL, 0, 0, 0, 0, NULL, 0, 0, 0, 0, 0);
    }
    return 0;
}
