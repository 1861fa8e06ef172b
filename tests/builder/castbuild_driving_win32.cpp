#include "castbuild_driving.h"

#include "driver_error.h"
#include "file_system.h"
#include "memory_stream.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <windows.h>

#include <tlhelp32.h>

namespace {

void Copy(const std::string& From, const std::string& To)
{
    if (!LocalFileSystem().CopyFileTo(From, To, true))
        throw EDriverError("cannot copy " + From + " to " + To);
}

} // namespace

std::string InstallBuilderCopy(const std::string& Dir)
{
    const std::string Prog = JoinPath(Dir, "prog");
    LocalFileSystem().ForceDirectories(JoinPath(Prog, "help"));
    for (const char* Name : {"Castbuild.exe", "Install.exe", "Castremove.exe"})
        Copy(BuiltProgramPath(Name), JoinPath(Prog, Name));
    Copy(BuiltProgramPath("help\\BrindolHelp.htm"), JoinPath(Prog, "help\\BrindolHelp.htm"));
    return Prog;
}

TDrivenProcess StartBuilder(const std::string& ProgramDir, const std::vector<std::string>& Arguments,
                            const std::string& SplashMs)
{
    return TDrivenProcess::Start(
        {JoinPath(ProgramDir, "Castbuild.exe"), Arguments, ProgramDir, {{"BRINDLO_SPLASH_MS", SplashMs}}, ""});
}

HWND WaitMainWindow(const TDrivenProcess& P, const std::string& FileName)
{
    return WaitTopWindow(P.Id(), {"", "Brindlo  [" + FileName + "]"});
}

HWND WaitMessageBox(const TDrivenProcess& P, std::vector<TTextItem>& Items, const std::string& Caption)
{
    const DWORD Start = GetTickCount();
    for (;;) {
        if (const HWND Box = FindTopWindow(P.Id(), {"", Caption})) {
            try {
                Items = ReadTexts(Box, 1000);
                for (const TTextItem& I : Items)
                    if (I.Kind == "TQelButton" && I.Visible)
                        return Box;
            } catch (const EDriverError&) {
                // Made again while it is laid out: look once more.
            }
        }
        if (GetTickCount() - Start > DriverWaitMs)
            throw EDriverError("no message box \"" + Caption + "\" with buttons came");
        Sleep(20);
    }
}

std::vector<std::string> TreeTexts(const std::vector<TTextItem>& Items)
{
    std::vector<std::string> V;
    for (const TTextItem& I : Items)
        if (I.Kind == "TTreeNode")
            V.push_back(I.Name + "=" + I.Text);
    return V;
}

const TTextItem& TreeItem(const std::vector<TTextItem>& Items, const std::string& Path)
{
    return ItemOf(Items, {"TTreeNode", Path});
}

void SelectTreeItem(HWND Main, const std::string& Path)
{
    // A click on the label of the item already selected selects nothing: it makes the
    // tree begin to edit a label a double-click time later, on whichever item is selected
    // by then, and while that edit is open the tree takes its next click for the edit's end.
    if (WaitItem(Main, {"TTreeNode", Path}).Focused)
        return;
    ClickItem(Main, TreeItem(ReadTexts(Main), Path));
    // The driver's limit: on a loaded machine the program may take longer than a few rounds.
    WaitFor([&] { return TreeItem(ReadTexts(Main), Path).Focused; }, DriverWaitMs,
            "the tree item " + Path + " to become selected");
}

std::vector<THashPair> ReadEnvOptions(const std::string& ProgramDir)
{
    TMemoryStream S(ReadWholeFile(JoinPath(ProgramDir, "bx_env.dat")));
    THash Paths(true), Options(true);
    Paths.LoadFromStream(S);
    Options.LoadFromStream(S);
    return Options.Pairs();
}

void WriteEnvOptions(const std::string& ProgramDir, const THash& Options)
{
    TMemoryStream S;
    THash Paths(true);
    Paths.SaveToStream(S);
    Options.SaveToStream(S);
    WriteWholeFile(JoinPath(ProgramDir, "bx_env.dat"), std::string(S.Memory(), static_cast<std::size_t>(S.Size())));
}

TDrivenProcess WaitChildProcess(DWORD Parent, const std::string& Exe)
{
    const DWORD Start = GetTickCount();
    for (;;) {
        HANDLE Snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        if (Snap != INVALID_HANDLE_VALUE) {
            PROCESSENTRY32 E{};
            E.dwSize = sizeof E;
            DWORD Found = 0;
            for (BOOL More = Process32First(Snap, &E); More && !Found; More = Process32Next(Snap, &E))
                if (E.th32ParentProcessID == Parent && lstrcmpiA(E.szExeFile, Exe.c_str()) == 0)
                    Found = E.th32ProcessID;
            CloseHandle(Snap);
            if (Found)
                return TDrivenProcess::Open(Found);
        }
        if (GetTickCount() - Start > DriverWaitMs)
            throw EDriverError("no " + Exe + " started by process " + std::to_string(Parent));
        Sleep(50);
    }
}
