// Stand-in for the outside programs the helpers start. Records how it was started in
// the file named by BRINDLO_RECORD_ARGS_TO: the command line, the current directory,
// then one line per argument. It writes a side file and renames it, so that a reader
// never sees half a record.
#include <windows.h>

#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    char Target[MAX_PATH];
    const DWORD N = GetEnvironmentVariableA("BRINDLO_RECORD_ARGS_TO", Target, sizeof Target);
    if (N == 0 || N >= sizeof Target)
        return 2;
    char Cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof Cwd, Cwd);

    const std::string Side = std::string(Target) + ".part";
    {
        std::ofstream Out(Side, std::ios::binary | std::ios::trunc);
        Out << GetCommandLineA() << '\n' << Cwd << '\n';
        for (int I = 0; I < argc; ++I)
            Out << argv[I] << '\n';
        if (!Out.flush())
            return 3;
    }
    return MoveFileExA(Side.c_str(), Target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
