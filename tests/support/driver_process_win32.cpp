#include "driver_process.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

std::string Upper(std::string S)
{
    for (char& C : S)
        C = static_cast<char>(std::toupper(static_cast<unsigned char>(C)));
    return S;
}

// The caller's environment with the changes, as the NUL-separated, sorted block
// CreateProcessA takes. Names compare without case, as Windows does.
std::vector<char> EnvironmentBlock(const std::vector<std::pair<std::string, std::string>>& Changes)
{
    std::map<std::string, std::pair<std::string, std::string>> Vars; // upper name -> (name, value)
    if (char* Block = GetEnvironmentStringsA()) {
        for (const char* P = Block; *P; P += std::char_traits<char>::length(P) + 1) {
            const std::string Entry = P;
            // Entries of drive current directories ("=C:=C:\...") start with "=".
            const std::size_t Eq = Entry.find('=', 1);
            if (Eq == std::string::npos)
                continue;
            Vars[Upper(Entry.substr(0, Eq))] = {Entry.substr(0, Eq), Entry.substr(Eq + 1)};
        }
        FreeEnvironmentStringsA(Block);
    }
    for (const auto& [Name, Value] : Changes) {
        if (Name.empty() || Name.find('=') != std::string::npos)
            throw EDriverError("\"" + Name + "\" cannot be the name of an environment variable");
        if (Value.empty())
            Vars.erase(Upper(Name));
        else
            Vars[Upper(Name)] = {Name, Value};
    }
    std::vector<char> Out;
    for (const auto& Entry : Vars) {
        const std::string Line = Entry.second.first + "=" + Entry.second.second;
        Out.insert(Out.end(), Line.begin(), Line.end());
        Out.push_back('\0');
    }
    if (Out.empty())
        Out.push_back('\0');
    Out.push_back('\0');
    return Out;
}

std::string FileNameOf(const std::string& Path)
{
    const std::size_t Slash = Path.find_last_of("\\/:");
    return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

} // namespace

std::string CommandLineOf(const std::string& Program, const std::vector<std::string>& Arguments)
{
    // The program's own name takes no escapes: it ends at the next quote.
    std::string Line = "\"" + Program + "\"";
    for (const std::string& A : Arguments) {
        Line += ' ';
        if (!A.empty() && A.find_first_of(" \t\"") == std::string::npos) {
            Line += A;
            continue;
        }
        // Backslashes double only where a quote follows them.
        Line += '"';
        std::size_t Backslashes = 0;
        for (const char C : A) {
            if (C == '\\') {
                ++Backslashes;
                continue;
            }
            if (C == '"')
                Line.append(Backslashes * 2 + 1, '\\');
            else
                Line.append(Backslashes, '\\');
            Backslashes = 0;
            Line += C;
        }
        Line.append(Backslashes * 2, '\\');
        Line += '"';
    }
    return Line;
}

std::string BuiltProgramPath(const std::string& Name) { return std::string(BRINDLO_BIN_DIR) + "\\" + Name; }

std::string BesideThisProgram(const std::string& Name)
{
    char Self[MAX_PATH * 2] = {};
    const DWORD N = GetModuleFileNameA(nullptr, Self, sizeof Self);
    const std::string Path(Self, N < sizeof Self ? N : 0);
    return Path.substr(0, Path.find_last_of('\\') + 1) + Name;
}

TDrivenProcess::TDrivenProcess(TProcessHandle Process, DWORD Id, std::string Name, bool KillOnRelease)
    : FProcess(std::move(Process)), FId(Id), FName(std::move(Name)), FKillOnRelease(KillOnRelease)
{
}

TDrivenProcess TDrivenProcess::Start(const TProgramStart& S)
{
    std::string Line = CommandLineOf(S.Program, S.Arguments);
    std::vector<char> Writable(Line.begin(), Line.end());
    Writable.push_back('\0');
    std::vector<char> Environment = EnvironmentBlock(S.Environment);
    STARTUPINFOA Startup = {};
    Startup.cb = sizeof Startup;
    HANDLE Output = INVALID_HANDLE_VALUE;
    if (!S.OutputFile.empty()) {
        SECURITY_ATTRIBUTES Inherit = {sizeof Inherit, nullptr, TRUE};
        Output = CreateFileA(S.OutputFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &Inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (Output == INVALID_HANDLE_VALUE)
            throw EDriverError("Cannot create " + S.OutputFile + ": " + SystemErrorText(GetLastError()));
        Startup.dwFlags = STARTF_USESTDHANDLES;
        Startup.hStdInput = nullptr;
        Startup.hStdOutput = Output;
        Startup.hStdError = Output;
    }
    PROCESS_INFORMATION Info = {};
    const BOOL Started =
        CreateProcessA(S.Program.c_str(), Writable.data(), nullptr, nullptr, Output != INVALID_HANDLE_VALUE, 0,
                       Environment.data(), S.WorkingDir.empty() ? nullptr : S.WorkingDir.c_str(), &Startup, &Info);
    const DWORD Error = GetLastError();
    if (Output != INVALID_HANDLE_VALUE)
        CloseHandle(Output);
    if (!Started)
        throw EDriverError("Cannot start " + S.Program + ": " + SystemErrorText(Error));
    CloseHandle(Info.hThread);
    return TDrivenProcess(TProcessHandle(Info.hProcess), Info.dwProcessId, FileNameOf(S.Program), true);
}

TDrivenProcess TDrivenProcess::Open(DWORD ProcessId)
{
    HANDLE H = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, ProcessId);
    if (!H)
        throw EDriverError("No process " + std::to_string(ProcessId) + ": " + SystemErrorText(GetLastError()));
    return TDrivenProcess(TProcessHandle(H), ProcessId, "process " + std::to_string(ProcessId), false);
}

TDrivenProcess::~TDrivenProcess()
{
    if (FProcess && FKillOnRelease && Running()) {
        TerminateProcess(FProcess.Handle(), 1);
        WaitForSingleObject(FProcess.Handle(), 5000);
    }
}

bool TDrivenProcess::Running() const
{
    return FProcess && WaitForSingleObject(FProcess.Handle(), 0) == WAIT_TIMEOUT;
}

DWORD TDrivenProcess::WaitExit(DWORD TimeoutMs)
{
    if (!FProcess)
        throw EDriverError("No process to wait for");
    WaitFor([this] { return !Running(); }, TimeoutMs, FName + " to end");
    DWORD Code = 0;
    if (!GetExitCodeProcess(FProcess.Handle(), &Code))
        throw EDriverError("No exit code of " + FName + ": " + SystemErrorText(GetLastError()));
    return Code;
}

void TDrivenProcess::Kill()
{
    if (!Running())
        return;
    if (!TerminateProcess(FProcess.Handle(), 1))
        throw EDriverError("Cannot end " + FName + ": " + SystemErrorText(GetLastError()));
    WaitExit();
}
