#include "run_program.h"

#include <vector>

bool TProcessHandle::Wait() const
{
    return FProcess && WaitForSingleObject(FProcess.Get(), INFINITE) == WAIT_OBJECT_0;
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
    const TKernelHandle Thread(Info.hThread); // not needed: closed at once
    return TProcessHandle(Info.hProcess);
}
