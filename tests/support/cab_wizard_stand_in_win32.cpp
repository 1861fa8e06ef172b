// Stand-in for the Windows CE CAB wizard: "<inf> /err <file> /cpu <processor>...".
// It takes a moment, as the real one does, then writes next to the setup description
// one CAB file per processor (base name + "." + processor + ".CAB") and a ".DAT"
// by-product, and a line into the error file.
//
// BRINDLO_CABWIZ_RECORD names a file that receives the command line, the current
// directory and the arguments, one per line; a copy of the setup description as the
// wizard read it goes beside it with ".inf" appended. Both are written under a side
// name and renamed, so a reader never sees half of them.
// BRINDLO_CABWIZ_MODE "silent": only the error file is written, no CAB file.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Env(const char* Name)
{
    char Value[MAX_PATH];
    const DWORD N = GetEnvironmentVariableA(Name, Value, sizeof Value);
    return N > 0 && N < sizeof Value ? std::string(Value, N) : std::string();
}

bool WriteFileAtOnce(const std::string& Path, const std::string& Bytes)
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

std::string ReadFile(const std::string& Path)
{
    std::ifstream In(Path, std::ios::binary);
    std::ostringstream S;
    S << In.rdbuf();
    return S.str();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string Inf = argv[1];
    std::string ErrFile;
    std::vector<std::string> Cpus;
    for (int I = 2; I < argc; ++I) {
        const std::string A = argv[I];
        if (A == "/err" && I + 1 < argc) {
            ErrFile = argv[++I];
        } else if (A == "/cpu") {
            while (I + 1 < argc && argv[I + 1][0] != '/')
                Cpus.push_back(argv[++I]);
        }
    }

    const std::string Record = Env("BRINDLO_CABWIZ_RECORD");
    if (!Record.empty()) {
        char Cwd[MAX_PATH] = "";
        GetCurrentDirectoryA(sizeof Cwd, Cwd);
        std::string Lines = std::string(GetCommandLineA()) + "\n" + Cwd + "\n";
        for (int I = 0; I < argc; ++I)
            Lines += std::string(argv[I]) + "\n";
        if (!WriteFileAtOnce(Record + ".inf", ReadFile(Inf)) || !WriteFileAtOnce(Record, Lines))
            return 3;
    }

    // Whoever does not wait finds no CAB file yet.
    Sleep(300);
    const bool Silent = Env("BRINDLO_CABWIZ_MODE") == "silent";
    if (!ErrFile.empty())
        WriteFileAtOnce(ErrFile, Silent ? "Error: the stand-in was told to write nothing\r\n" : "Warnings: none\r\n");
    if (Silent)
        return 1;
    const std::size_t Dot = Inf.find_last_of('.');
    const std::string Base = Dot == std::string::npos ? Inf : Inf.substr(0, Dot);
    for (const std::string& Cpu : Cpus) {
        if (!WriteFileAtOnce(Base + "." + Cpu + ".CAB", "CAB for " + Cpu) ||
            !WriteFileAtOnce(Base + "." + Cpu + ".DAT", "by-product"))
            return 4;
    }
    return 0;
}
