#pragma once

#include "file_system.h"

#include <cstdint>
#include <functional>
#include <string>

class IFileTypeRegistry;

// What the project object takes from the world outside its tables, so that the
// program wires the real ones and tests their fakes.
struct TBuilderServices {
    // Null: the local disk.
    TFileSystem* FileSystem = nullptr;
    // Full path of the builder's program file; its directory holds the builder's own files.
    std::string ProgramFileName;
    // Today as the system's short date text, now as its long time text.
    std::function<std::string()> DateText;
    std::function<std::string()> TimeText;
    // A pseudo-random integer from 0 to Range - 1.
    std::function<std::int32_t(std::int32_t Range)> Random;
    // Starts ExePath with CommandLine, with Wait until it ended; false when it could
    // not be started. Unset: nothing can be started.
    std::function<bool(const std::string& ExePath, const std::string& CommandLine, bool Wait)> RunProgram;
    // Makes Dir the program's current directory; false when it could not. Unset: never.
    std::function<bool(const std::string& Dir)> SetCurrentDir;
    // The short (8.3) form of an existing path; "" when the system gives none.
    std::function<std::string(const std::string& Path)> ShortPathName;
    // Opens File through the shell's "open" verb with Parameters, its window restored,
    // without waiting; false when the shell refused. Unset: nothing opens.
    std::function<bool(const std::string& File, const std::string& Parameters)> ShellOpen;
    // Blocks the program for Milliseconds.
    std::function<void(int Milliseconds)> Pause;
    // Null: project files are not registered.
    IFileTypeRegistry* Registry = nullptr;
};

// The system clock and a seeded generator on the local disk; the program file,
// process start and registry are left for the program to set.
TBuilderServices DefaultBuilderServices();

// What the program runs with: the defaults, its own program file, process start
// and the system registry (Windows builds only: system_services_win32.cpp).
TBuilderServices SystemBuilderServices();
