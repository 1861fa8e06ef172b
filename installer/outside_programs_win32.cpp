#include "outside_programs.h"

#include "registry_helpers.h"
#include "run_program.h"
#include "shell_links.h"

#include <objbase.h>
#include <shellapi.h>

namespace {

// ShellExecute may hand the file to shell extensions, which want COM on this thread.
class TComForShell {
public:
    TComForShell()
        : FReady(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)))
    {
    }
    ~TComForShell()
    {
        if (FReady)
            CoUninitialize();
    }
    TComForShell(const TComForShell&) = delete;
    TComForShell& operator=(const TComForShell&) = delete;

private:
    bool FReady;
};

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
        const TComForShell Com;
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
