#include "outside_programs.h"

#include "com_apartment.h"
#include "registry_helpers.h"
#include "run_program.h"
#include "shell_links.h"

#include <windows.h>

#include <shellapi.h>

namespace {

class TSystemOutsidePrograms : public IOutsidePrograms {
public:
    std::string AppPath(const std::string& ExeName) override { return GetAppPath(ExeName); }
    std::string ShellCommand(const std::string& FileClass, const std::string& Verb) override
    {
        return GetShellCommand(FileClass, Verb);
    }
    bool RunAndWait(const std::string& Exe, const std::string& CommandLine) override
    {
        const TProcessHandle Process = RunProgram(Exe, CommandLine);
        return Process && Process.Wait();
    }
    bool ShellOpen(const std::string& Tool, const std::string& Parameters) override
    {
        // ShellExecute may hand the file to shell extensions, which want COM on this thread.
        const TComApartment Com;
        const HINSTANCE R = ShellExecuteA(nullptr, "open", Tool.c_str(), Parameters.c_str(), nullptr, SW_RESTORE);
        // Above 32 is success; the value is no real instance handle.
        return reinterpret_cast<INT_PTR>(R) > 32;
    }
    void Pause(std::uint32_t Milliseconds) override { Sleep(Milliseconds); }
};

} // namespace

IOutsidePrograms& SystemOutsidePrograms()
{
    static TSystemOutsidePrograms Programs;
    return Programs;
}
