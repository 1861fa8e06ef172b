#pragma once

// What the stand-ins of the outside programs share: their settings come from the
// environment, and what they record is written under a side name and renamed, so
// a reader never sees half of it.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

inline std::string StandInSetting(const char* Name)
{
    char Value[MAX_PATH];
    const DWORD N = GetEnvironmentVariableA(Name, Value, sizeof Value);
    return N > 0 && N < sizeof Value ? std::string(Value, N) : std::string();
}

inline bool WriteRecordAtOnce(const std::string& Path, const std::string& Bytes)
{
    const std::string Side = Path + ".part";
    {
        std::ofstream Out(Side, std::ios::binary | std::ios::trunc);
        Out << Bytes;
        if (!Out.flush())
            return false;
    }
    return MoveFileExA(Side.c_str(), Path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

inline std::string ReadRecordFile(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

// The command line, the current directory, then every argument, one per line.
inline std::string StartRecord(int argc, char** argv)
{
    char Cwd[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof Cwd, Cwd);
    std::string Lines = std::string(GetCommandLineA()) + "\n" + Cwd + "\n";
    for (int I = 0; I < argc; ++I)
        Lines += std::string(argv[I]) + "\n";
    return Lines;
}
