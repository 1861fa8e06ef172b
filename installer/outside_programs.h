#pragma once

#include <cstdint>
#include <string>

// The desktop programs the device roads hand installations to, as the system
// registers and starts them.
class IOutsidePrograms {
public:
    virtual ~IOutsidePrograms() = default;
    // The App Paths default value of ExeName as stored; "" when missing.
    virtual std::string AppPath(const std::string& ExeName) = 0;
    // The command registered for a file class and verb; "" when missing.
    virtual std::string ShellCommand(const std::string& FileClass, const std::string& Verb) = 0;
    // Starts Exe (one pair of surrounding quotes taken off) with CommandLine after its
    // quoted path and waits without limit until it ends; false when it did not start.
    virtual bool RunAndWait(const std::string& Exe, const std::string& CommandLine) = 0;
    // Opens Tool with Parameters through the shell ("open", restored window); false
    // when the shell refused.
    virtual bool ShellOpen(const std::string& Tool, const std::string& Parameters) = 0;
    virtual void Pause(std::uint32_t Milliseconds) = 0;
};

// The system's: App Paths and file classes in the registry, CreateProcess, ShellExecute.
IOutsidePrograms& SystemOutsidePrograms();
