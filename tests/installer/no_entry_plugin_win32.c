/* A library that is no plug-in: it exports something else. */
#include <windows.h>

__declspec(dllexport) int BRINDLO_SomethingElse(void) { return 42; }
