/* A library of a plug-in's own, which the plug-in imports: it lies beside the plug-in. */
#include <windows.h>

__declspec(dllexport) int BRINDLO_HelperAnswer(void) { return 42; }
