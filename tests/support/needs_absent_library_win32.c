/* Cannot start: the library it imports is not beside it nor on the search path. */
__declspec(dllimport) int AbsentLibraryAnswer(void);

int main(void) { return AbsentLibraryAnswer(); }
