#include "builder_services.h"

#include "project_file_type.h"
#include "run_program.h"

#include <windows.h>
#include <shellapi.h>

TBuilderServices SystemBuilderServices()
{
    TBuilderServices S = DefaultBuilderServices();
    char Path[MAX_PATH];
    const DWORD N = GetModuleFileNameA(nullptr, Path, sizeof Path);
    S.ProgramFileName = N > 0 && N < sizeof Path ? std::string(Path, N) : std::string();
    S.RunProgram = [](const std::string& ExePath, const std::string& CommandLine, bool Wait) {
        TProcessHandle Process = ::RunProgram(ExePath, CommandLine);
        if (!Process)
            return false;
        if (Wait)
            Process.Wait();
        return true;
    };
    S.SetCurrentDir = [](const std::string& Dir) { return SetCurrentDirectoryA(Dir.c_str()) != 0; };
    S.ShortPathName = [](const std::string& Path) {
        char Short[MAX_PATH];
        const DWORD Length = GetShortPathNameA(Path.c_str(), Short, sizeof Short);
        return Length > 0 && Length < sizeof Short ? std::string(Short, Length) : std::string();
    };
    S.ShellOpen = [](const std::string& File, const std::string& Parameters) {
        const HINSTANCE R = ShellExecuteA(nullptr, "open", File.c_str(), Parameters.c_str(), "", SW_RESTORE);
        // Values above 32 mean success.
        return reinterpret_cast<INT_PTR>(R) > 32;
    };
    S.Registry = &SystemFileTypeRegistry();
    return S;
}
