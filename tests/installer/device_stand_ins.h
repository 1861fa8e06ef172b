#pragma once

// The stand-ins of the Pocket PC application manager and of the Palm install tool,
// copied into directories with blanks and registered where the installer looks for
// them (App Paths, the "prcFile" file class), with the records they leave. The
// registry entries and the stand-ins' settings in this process's environment go with
// the object, so programs started later (Install.exe, the stand-ins) inherit them.
#include "installer_gui_support.h"
#include "test_registry_key.h"

#include "string_helpers.h"

#include <tlhelp32.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline std::vector<std::string> RecordLines(const std::string& Text)
{
    std::vector<std::string> V;
    std::size_t From = 0;
    for (std::size_t At; (At = Text.find('\n', From)) != std::string::npos; From = At + 1)
        V.push_back(Text.substr(From, At - From));
    return V;
}

// How many processes run the program file Path. Its full path, not its name: a test
// beside this one may run a program of the same name. A process whose path cannot be
// read (it is starting or ending) counts.
inline int ProcessesRunning(const std::string& Path)
{
    const HANDLE Snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (Snap == INVALID_HANDLE_VALUE)
        return -1;
    int N = 0;
    PROCESSENTRY32 E = {};
    E.dwSize = sizeof E;
    for (BOOL More = Process32First(Snap, &E); More; More = Process32Next(Snap, &E)) {
        if (!SameText(E.szExeFile, ExtractFileName(Path)))
            continue;
        // The first module of a process is its program file.
        const HANDLE Modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, E.th32ProcessID);
        MODULEENTRY32 M = {};
        M.dwSize = sizeof M;
        const bool Known = Modules != INVALID_HANDLE_VALUE && Module32First(Modules, &M);
        if (!Known || SameText(M.szExePath, Path))
            ++N;
        if (Modules != INVALID_HANDLE_VALUE)
            CloseHandle(Modules);
    }
    CloseHandle(Snap);
    return N;
}

class TDeviceStandIns {
public:
    struct TOptions {
        bool Manager = true;
        bool PalmTool = true;
        // The registered command; "%s" stands for the tool's path.
        std::string PalmCommand = "\"%s\" \"%1\"";
        // The manager ends only when the test lets it.
        bool HoldManager = false;
    };

    TDeviceStandIns(const std::string& Dir, const TOptions& O)
        : ManagerPath(Dir + "\\Active Sync\\CEAPPMGR.EXE"), ToolPath(Dir + "\\Palm Desktop\\Instapp.exe"),
          ManagerRecord(Dir + "\\manager record.txt"), PalmRecords(Dir + "\\palm records"),
          Release(Dir + "\\manager release"), FAppPath(HKEY_LOCAL_MACHINE, AppPathsKey), FClass(HKEY_CLASSES_ROOT, "prcFile")
    {
        LocalFileSystem().ForceDirectories(PalmRecords);
        if (O.Manager) {
            LocalFileSystem().ForceDirectories(ExtractFilePath(ManagerPath));
            EXPECT_TRUE(CopyFileA(BesideTests("app_manager_stand_in.exe").c_str(), ManagerPath.c_str(), FALSE));
            EXPECT_TRUE(FAppPath.SetString("", "\"" + ManagerPath + "\""));
        }
        if (O.PalmTool) {
            LocalFileSystem().ForceDirectories(ExtractFilePath(ToolPath));
            EXPECT_TRUE(CopyFileA(BesideTests("palm_tool_stand_in.exe").c_str(), ToolPath.c_str(), FALSE));
            std::string Command = O.PalmCommand;
            const std::size_t At = Command.find("%s");
            if (At != std::string::npos)
                Command.replace(At, 2, ToolPath);
            FCommand = std::make_unique<TTestRegKey>(HKEY_CLASSES_ROOT, "prcFile\\Shell\\open\\command");
            EXPECT_TRUE(FCommand->SetString("", Command));
        }
        SetEnvironmentVariableA("BRINDLO_APPMGR_RECORD", ManagerRecord.c_str());
        SetEnvironmentVariableA("BRINDLO_APPMGR_RELEASE", O.HoldManager ? Release.c_str() : nullptr);
        SetEnvironmentVariableA("BRINDLO_PALMTOOL_RECORD", PalmRecords.c_str());
    }
    ~TDeviceStandIns()
    {
        SetEnvironmentVariableA("BRINDLO_APPMGR_RECORD", nullptr);
        SetEnvironmentVariableA("BRINDLO_APPMGR_RELEASE", nullptr);
        SetEnvironmentVariableA("BRINDLO_PALMTOOL_RECORD", nullptr);
        FCommand.reset();
    }
    TDeviceStandIns(const TDeviceStandIns&) = delete;
    TDeviceStandIns& operator=(const TDeviceStandIns&) = delete;

    const std::string ManagerPath, ToolPath, ManagerRecord, PalmRecords, Release;

    // The manager's start record: command line, current directory, arguments.
    std::vector<std::string> ManagerStart() const { return RecordLines(ReadWholeFile(ManagerRecord)); }
    std::string IniReceived() const { return ReadWholeFile(ManagerRecord + ".ini"); }
    bool ManagerEnded() const { return LocalFileSystem().FileExists(ManagerRecord + ".ended"); }
    void ReleaseManager() const { WriteWholeFile(Release, "go"); }

    // Once every run of the Palm tool has ended: each run's start record, in the
    // order the runs were started.
    std::vector<std::vector<std::string>> PalmRuns() const
    {
        for (int I = 0; I < 1000 && ProcessesRunning(ToolPath) != 0; ++I)
            Sleep(20);
        EXPECT_EQ(ProcessesRunning(ToolPath), 0) << "the Palm tool's runs did not end";
        std::vector<std::string> Names;
        WIN32_FIND_DATAA F;
        const HANDLE Find = FindFirstFileA((PalmRecords + "\\*.txt").c_str(), &F);
        if (Find != INVALID_HANDLE_VALUE) {
            do
                Names.push_back(F.cFileName);
            while (FindNextFileA(Find, &F));
            FindClose(Find);
        }
        std::sort(Names.begin(), Names.end());
        std::vector<std::vector<std::string>> Runs;
        for (const std::string& N : Names)
            Runs.push_back(RecordLines(ReadWholeFile(PalmRecords + "\\" + N)));
        return Runs;
    }
    // The file each run was handed (its one argument).
    std::vector<std::string> PalmFiles() const
    {
        std::vector<std::string> V;
        for (const auto& Run : PalmRuns())
            V.push_back(Run.size() > 3 ? Run[3] : "(no argument)");
        return V;
    }

private:
    static constexpr const char* AppPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\CEAPPMGR.EXE";
    TTestRegKey FAppPath;
    TTestRegKey FClass;
    std::unique_ptr<TTestRegKey> FCommand;
};

// A Pocket PC installation with ready-made CAB files for ARM and SH3 in its source tree.
inline CCst_App* AddPocketPCApp(CCastamer& B, const std::string& D, const std::string& Name,
                                const std::string& Company)
{
    const std::string Source = D + "\\src\\" + Name;
    LocalFileSystem().ForceDirectories(Source);
    WriteWholeFile(Source + "\\Cards.ARM.CAB", "ARM cab");
    WriteWholeFile(Source + "\\Cards.SH3.CAB", "SH3 cab");
    CCst_App* A = B.AddApp();
    A->Props.Add("App name", Name);
    A->SetCompName(Company);
    A->Props.Add("DID", "1");
    A->Props.Add("InDir", Source);
    A->Props.Add("OutFN", "ppc.ime");
    A->Props.Add("BVersion", "2.5");
    A->Props.Add("DefInstDir", D + "\\default dir");
    A->PocketPC.Add("PPC_ASDesc", "Cards on the go");
    A->PocketPC.Add("PPC_ICabFARM", "Cards.ARM.CAB");
    A->PocketPC.Add("PPC_ICabFSH", "Cards.SH3.CAB");
    return A;
}

// A Palm OS installation: two common files and colour files for 256 and 16 colours.
inline CCst_App* AddPalmApp(CCastamer& B, const std::string& D, const std::string& Name, const std::string& Company)
{
    const std::string Source = D + "\\src\\" + Name;
    LocalFileSystem().ForceDirectories(Source + "\\data");
    WriteWholeFile(Source + "\\game.prc", "game");
    WriteWholeFile(Source + "\\data\\level.pdb", "level");
    LocalFileSystem().ForceDirectories(D + "\\art\\256");
    LocalFileSystem().ForceDirectories(D + "\\art\\16");
    WriteWholeFile(D + "\\art\\256\\look.prc", "256 look");
    WriteWholeFile(D + "\\art\\256\\extra.prc", "256 extra");
    WriteWholeFile(D + "\\art\\16\\look.prc", "16 look");
    CCst_App* A = B.AddApp();
    A->Props.Add("App name", Name);
    A->SetCompName(Company);
    A->Props.Add("DID", "0");
    A->Props.Add("InDir", Source);
    A->Props.Add("OutFN", "palm.ime");
    A->CDFiles.Add("c1", "colors 256|" + D + "\\art\\256\\look.prc");
    A->CDFiles.Add("c2", "colors 16|" + D + "\\art\\16\\look.prc");
    A->CDFiles.Add("c3", "colors 256|" + D + "\\art\\256\\extra.prc");
    return A;
}

// The files of an archive below Dir, in archive order.
inline std::vector<std::string> ArchiveOrder(const std::string& Archive, const std::string& Dir)
{
    THash Files(false);
    ArchiveList(CArchive_BZip::Create, Archive, Files, Dir);
    std::vector<std::string> V;
    for (const THashPair& P : Files.Pairs())
        V.push_back(P.Value);
    return V;
}
