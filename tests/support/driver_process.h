#pragma once

#include "driver_error.h"
#include "run_program.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// How to start a program of ours as a process of its own.
struct TProgramStart {
    std::string Program; // full path of the .exe
    std::vector<std::string> Arguments;
    std::string WorkingDir; // empty: the caller's current directory
    // Variables set (or, with an empty value, removed) on top of the caller's environment.
    std::vector<std::pair<std::string, std::string>> Environment;
    // A file that takes the program's standard output and error (a console
    // program's answers); empty: none.
    std::string OutputFile;
};

// A driven program's process. A program started here and still running when the
// object goes is killed, so a failing test leaves nothing behind.
class TDrivenProcess {
public:
    // Throws EDriverError with the system's reason when the program does not start.
    static TDrivenProcess Start(const TProgramStart& Start);
    // A process that runs already (started by an earlier command, say); never killed on release.
    static TDrivenProcess Open(DWORD ProcessId);

    TDrivenProcess(TDrivenProcess&& Other) noexcept = default;
    TDrivenProcess& operator=(TDrivenProcess&& Other) noexcept = default;
    ~TDrivenProcess();

    DWORD Id() const { return FId; }
    const std::string& Name() const { return FName; }
    bool Running() const;
    // The exit code; throws EDriverError when the program is still running after TimeoutMs.
    DWORD WaitExit(DWORD TimeoutMs = DriverWaitMs);
    // Ends the program at once (exit code 1) and waits until it is gone.
    void Kill();
    // Leaves the program running when this object goes.
    void KeepRunning() { FKillOnRelease = false; }

private:
    TDrivenProcess(TProcessHandle Process, DWORD Id, std::string Name, bool KillOnRelease);

    TProcessHandle FProcess;
    DWORD FId = 0;
    std::string FName;
    bool FKillOnRelease = false;
};

// The command line the C runtime splits back into Program and Arguments.
std::string CommandLineOf(const std::string& Program, const std::vector<std::string>& Arguments);

// A program of the build's bin directory (Install.exe, Castbuild.exe, ...).
std::string BuiltProgramPath(const std::string& Name);
// A file beside the running program (a test's own helper program).
std::string BesideThisProgram(const std::string& Name);
