#include "builder_services.h"

#include "project_file_type.h"
#include "run_program.h"

#include <windows.h>

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
    S.Registry = &SystemFileTypeRegistry();
    return S;
}
