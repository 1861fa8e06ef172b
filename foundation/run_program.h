#pragma once

#include "win32_handles.h"

#include <windows.h>

#include <string>

// The process of a started program, closed when its owner lets go of it; empty when
// the program did not start.
class TProcessHandle {
public:
    TProcessHandle() = default;
    explicit TProcessHandle(HANDLE Process) : FProcess(Process) {}

    explicit operator bool() const { return static_cast<bool>(FProcess); }
    HANDLE Handle() const { return FProcess.Get(); }

    // Blocks until the program has ended, without a time limit; false when there is
    // no process or the wait failed.
    bool Wait() const;

private:
    TKernelHandle FProcess;
};

// Starts ExePath (one pair of surrounding quotes, as App Paths values carry them, is
// taken off) with CommandLine as its arguments, in the caller's environment and
// current directory, inheriting no handles. Nothing is waited for.
TProcessHandle RunProgram(const std::string& ExePath, const std::string& CommandLine);
