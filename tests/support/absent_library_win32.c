/* A library the program below imports but never finds: it is built away from it. */
__declspec(dllexport) int AbsentLibraryAnswer(void) { return 0; }
