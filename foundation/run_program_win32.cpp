#include "run_program.h"

#include <utility>
#include <vector>

TProcessHandle::TProcessHandle(TProcessHandle&& Other) noexcept : FProcess(std::exchange(Other.FProcess, nullptr)) {}

TProcessHandle& TProcessHandle::operator=(TProcessHandle&& Other) noexcept
{
    if (this != &Other) {
        if (FProcess)
            CloseHandle(FProcess);
        FProcess = std::exchange(Other.FProcess, nullptr);
    }
    return *this;
}

TProcessHandle::~TProcessHandle()
{
    if (FProcess)
        CloseHandle(FProcess);
}

bool TProcessHandle::Wait() const
{
    return FProcess && WaitForSingleObject(FProcess, INFINITE) == WAIT_OBJECT_0;
}

namespace {

std::string Unquoted(const std::string& Path)
{
    if (Path.size() >= 2 && Path.front() == '"' && Path.back() == '"')
        return Path.substr(1, Path.size() - 2);
    return Path;
}

} // namespace

TProcessHandle RunProgram(const std::string& ExePath, const std::string& CommandLine)
{
    const std::string Program = Unquoted(ExePath);
    if (Program.empty())
        return TProcessHandle();
    // A started program takes the first word of its command line as its own name, so
    // the quoted program path comes first. The caller's text follows after one blank,
    // unless it brings its own leading blank or tab (" -a file"): no word is glued to
    // the path, none is doubled or lost.
    std::string Line = "\"" + Program + "\"";
    if (!CommandLine.empty()) {
        if (CommandLine[0] != ' ' && CommandLine[0] != '\t')
            Line += ' ';
        Line += CommandLine;
    }
    // CreateProcessA may write into the command line.
    std::vector<char> Writable(Line.begin(), Line.end());
    Writable.push_back('\0');

    STARTUPINFOA Startup = {};
    Startup.cb = sizeof Startup;
    PROCESS_INFORMATION Info = {};
    if (!CreateProcessA(Program.c_str(), Writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &Startup, &Info))
        return TProcessHandle();
    CloseHandle(Info.hThread);
    return TProcessHandle(Info.hProcess);
}
