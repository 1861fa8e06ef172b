// The install command: archive check, licence, the PC road with its log, links,
// uninstaller and Uninstall entry, and the clean-up of every way it can fail.
#include "installer_fakes.h"

#include "archive.h"
#include "bz_streams.h"
#include "memory_file_system.h"
#include "shell_helpers.h"

#include <functional>

namespace {

const std::string Data = "C:\\pkg\\Data";
const std::string Uninstall = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string Table(const std::vector<std::pair<std::string, std::string>>& Entries)
{
    THash H(false);
    for (const auto& E : Entries)
        H.Add(E.first, E.second, true);
    TMemoryStream S;
    H.SaveToStream(S);
    return S.Bytes();
}

// An archive put together by hand, so that its parts can be wrong on purpose.
std::string HandArchive(const std::vector<std::pair<std::string, std::string>>& Dirs,
                        const std::vector<std::pair<std::string, std::string>>& Files, const std::string& Plain,
                        const std::function<void(std::string&)>& Damage = nullptr)
{
    TMemoryStream Z;
    {
        TBZCompressionStream C(4, Z);
        C.WriteString(Plain);
        C.Finish();
    }
    std::string Packed = Z.Bytes();
    if (Damage)
        Damage(Packed);
    const std::string D = Table(Dirs), F = Table(Files);
    TMemoryStream S;
    S.WriteBuffer("\x04" "arhc\0\0\0", 8);
    S.WriteU32(24);
    S.WriteU32(static_cast<std::uint32_t>(24 + Packed.size() + D.size()));
    S.WriteU32(static_cast<std::uint32_t>(24 + Packed.size()));
    S.WriteU32(static_cast<std::uint32_t>(Plain.size()));
    S.WriteString(Packed + D + F);
    return S.Bytes();
}

struct TPcRig : TModelRig {
    TMemoryFileSystem FS;
    std::vector<std::string> Registry; // "root|key|name=value"
    std::vector<std::string> Links;    // "kind|group|name -> target args (workdir)"
    std::string FailRegistry;          // a value name whose writing fails
    bool QuickLaunch = true;

    TPcRig()
    {
        Apps->FileSystem = &FS;
        Apps->DataDir = Data;
        // The chooser keeps the default directory it is given.
        View.Chosen = "C:\\Program Files\\Acme\\Tool 100%";
        Apps->Folders = [](TSpecialFolder K) {
            return K == TSpecialFolder::ProgramFiles ? std::string("C:\\Program Files")
                   : K == TSpecialFolder::Windows    ? std::string("C:\\windows")
                                                     : std::string();
        };
        Apps->Shell.InstallFolder = [this](int Kind, const std::string& Group) {
            switch (Kind) {
            case 1:
                return std::string("C:\\Desktop");
            case 3:
                return QuickLaunch ? std::string("C:\\Quick") : std::string();
            case 5:
                return JoinPath("C:\\Programs", Group);
            default:
                return std::string();
            }
        };
        Apps->Shell.CreateShortcut = [this](const std::string& Target, const std::string& Args,
                                            const std::string& WorkDir, const std::string& Name,
                                            const std::string& Group, int Kind) {
            Links.push_back(std::to_string(Kind) + "|" + Group + "|" + Name + " -> " + Target + " " + Args + " (" +
                            WorkDir + ")");
            return std::string("saved");
        };
        Apps->WriteRegistry = [this](TRegistryRoot Root, const std::string& Key, const std::string& Name,
                                     const std::string& Value) {
            if (Name == FailRegistry)
                throw EInOutError("Cannot write the registry value " + Name + ": Access denied.");
            Registry.push_back(std::to_string(Root) + "|" + Key + "|" + Name + "=" + Value);
        };
        FS.ForceDirectories("C:\\Program Files");
        FS.ForceDirectories("C:\\windows");
        FS.AddFile(JoinPath(Data, "Castremove.exe"), "the uninstaller");
        FS.ForceDirectories("C:\\src\\docs\\empty");
        FS.AddFile("C:\\src\\tool.exe", "MZ tool");
        FS.AddFile("C:\\src\\docs\\zero.txt", "");
        ArchivePack(CArchive_BZip::Create, "C:\\src", JoinPath(Data, "Tool.ime"), nullptr, FS);
    }

    CAPP* AddTool(TPairs Extra = {}, const std::vector<std::string>& Shortcuts = {})
    {
        TPairs P = {{"App name", "Tool 100%"}, {"CompName", "Acme"},
                    {"DID", "2"},              {"OutFN", "Tool.ime"},
                    {"DefInstDir", "$(Program Files)/$(Company)/$(Name)"}};
        for (const auto& E : Extra) {
            bool Replaced = false;
            for (auto& Q : P)
                if (Q.first == E.first) {
                    Q.second = E.second;
                    Replaced = true;
                }
            if (!Replaced)
                P.push_back(E);
        }
        TMemoryStream S;
        SaveTable(S, {});
        SaveTable(S, P);
        TPairs SC;
        for (std::size_t I = 0; I < Shortcuts.size(); ++I)
            SC.push_back({"SC" + std::to_string(I), Shortcuts[I]});
        SaveTable(S, SC);
        SaveTable(S, {});
        SaveTable(S, {});
        TMemoryStream R(S.Bytes());
        Apps->AddApp(std::make_unique<CAPP>(*Apps, R));
        return Apps->Apps.back().get();
    }

    std::vector<std::string> LogLines(const std::string& Path)
    {
        std::vector<std::string> V;
        const std::string B = FS.FileBytes(Path);
        std::size_t Start = 0;
        for (std::size_t E; (E = B.find("\r\n", Start)) != std::string::npos; Start = E + 2)
            V.push_back(B.substr(Start, E - Start));
        EXPECT_EQ(Start, B.size()) << "a line without CR LF at the end";
        return V;
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> V;
        for (const std::string& C : View.Calls)
            if (C.rfind("message ", 0) == 0)
                V.push_back(C.substr(8));
        return V;
    }
};

const std::string Dir = "C:\\Program Files\\Acme\\Tool 100%";

} // namespace

TEST(InstallPC, LogLinesLinksUninstallerAndEntryInTheirOrder)
{
    TPcRig R;
    CAPP* App = R.AddTool({}, {"Tool|SCut to file|tool.exe|Desktop|",
                               "Tool|SCut to file|tool.exe|Program files|Acme Tool",
                               "Tool|SCut to file|tool.exe|Quick launch|",
                               "On the device|SCut to file|tool.exe|Start Menu|",
                               "Odd|SCut to nothing|tool.exe|Desktop|",
                               "Uninstall Tool|SCut to uninstall||Program files|Acme Tool"});
    App->InstallClick(nullptr);
    const std::string Log = Dir + "\\uinst.log";
    EXPECT_EQ(R.View.Calls[0], "select Select Installation Directory at " + Dir + " with new");
    EXPECT_EQ(R.LogLines(Log), (std::vector<std::string>{
                                   "[DelFile]%" + Log,
                                   // Made for the default directory: removed last, when empty.
                                   "[DelDir]%C:\\Program Files\\Acme",
                                   "[DelDir]%" + Dir,
                                   "[DelDir]%" + Dir + "\\docs",
                                   "[DelDir]%" + Dir + "\\docs\\empty",
                                   "[DelFile]%" + Dir + "\\tool.exe",
                                   "[DelFile]%" + Dir + "\\docs\\zero.txt",
                                   "[DelFile]%C:\\Desktop\\Tool.lnk",
                                   "[DelFile]%C:\\Programs\\Acme Tool\\Tool.lnk",
                                   "[DelDir]%C:\\Programs\\Acme Tool",
                                   "[DelFile]%C:\\Quick\\Tool.lnk",
                                   "[DelFile]%C:\\Programs\\Acme Tool\\Uninstall Tool.lnk",
                                   "[DelDir]%C:\\Programs\\Acme Tool",
                                   "[DelValue]%%" + Uninstall + "Tool 100%%DisplayName",
                                   "[DelValue]%%" + Uninstall + "Tool 100%%UninstallString",
                                   "[DelKey]%%" + Uninstall + "Tool 100%",
                                   "[UImes 1]%Do you realy what to uninstall Acme Tool 100%",
                                   "[UImes 2]%Acme Tool 100% uninstalled",
                               }));
    EXPECT_EQ(R.FS.FileBytes(Dir + "\\tool.exe"), "MZ tool");
    EXPECT_TRUE(R.FS.DirectoryExists(Dir + "\\docs\\empty"));
    EXPECT_EQ(R.FS.FileBytes("C:\\windows\\Castremove.exe"), "the uninstaller");
    const std::string Command = "C:\\windows\\Castremove.exe #uninstall \"" + Log + "\"";
    EXPECT_EQ(R.Links, (std::vector<std::string>{
                           "1||Tool -> " + Dir + "\\tool.exe  ()",
                           "5|Acme Tool|Tool -> " + Dir + "\\tool.exe  ()",
                           "3||Tool -> " + Dir + "\\tool.exe  ()",
                           "5|Acme Tool|Uninstall Tool -> C:\\windows\\Castremove.exe #uninstall \"" + Log + "\" (" +
                               Dir + ")",
                       }));
    EXPECT_EQ(R.Registry, (std::vector<std::string>{
                              "2|" + Uninstall + "Tool 100%|DisplayName=Acme Tool 100%",
                              "2|" + Uninstall + "Tool 100%|UninstallString=" + Command,
                          }));
    EXPECT_EQ(App->GetInstallDir(), Dir);
    EXPECT_EQ(R.Messages(), std::vector<std::string>{"Tool 100% successfuly installed"});
    // The progress window around the work, the shortcuts moving its bar.
    std::vector<std::string> Steps;
    for (const std::string& C : R.View.Calls)
        if (C.rfind("start", 0) == 0 || C == "finish" || C == "progress 40" || C == "progress 100")
            Steps.push_back(C);
    EXPECT_EQ(Steps, (std::vector<std::string>{"start Installing...", "progress 100", "progress 40", "progress 100",
                                               "finish"}));
    EXPECT_FALSE(R.Apps->LicenceAccepted);
}

TEST(InstallPC, TheLicenceIsAskedForOnEveryInstallCommand)
{
    TPcRig R;
    CAPP* App = R.AddTool({{"Licenze", "You may use it."}});
    App->InstallClick(nullptr);
    EXPECT_EQ(R.View.Calls, std::vector<std::string>{"licence You may use it."});
    EXPECT_FALSE(R.FS.DirectoryExists(Dir));
    // "Next" accepts and runs the command again.
    R.Apps->LicenceAccepted = true;
    App->InstallClick(nullptr);
    EXPECT_EQ(R.Messages(), std::vector<std::string>{"Tool 100% successfuly installed"});
    EXPECT_FALSE(R.Apps->LicenceAccepted);
    R.View.Calls.clear();
    App->InstallClick(nullptr);
    EXPECT_EQ(R.View.Calls, std::vector<std::string>{"licence You may use it."});
}

TEST(InstallPC, WhatEndsTheCommandBeforeTheRoad)
{
    const struct {
        const char* Name;
        TPairs Props;
        bool WithoutDID;
        std::vector<std::string> Calls;
        bool StillAccepted; // the archive check comes before the licence is used
    } Cases[] = {
        {"archive missing", {{"OutFN", "Other.ime"}}, false, {"message File not found\n\r" + Data + "\\Other.ime"}, true},
        {"preview without OutFN", {{"OutFN", ""}}, false, {"message File not found\n\r" + Data}, true},
        {"another platform", {{"DID", "7"}}, false, {}, false},
        {"no platform", {}, true, {}, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TPcRig R;
        CAPP* App = R.AddTool(C.Props);
        if (C.WithoutDID)
            App->Props.Delete(App->Props.IndexOfKey("DID"));
        R.Apps->LicenceAccepted = true;
        App->InstallClick(nullptr);
        EXPECT_EQ(R.View.Calls, C.Calls);
        EXPECT_FALSE(R.FS.DirectoryExists("C:\\Program Files\\Acme"));
        EXPECT_FALSE(R.FS.FileExists("C:\\windows\\Castremove.exe"));
        EXPECT_EQ(R.Apps->LicenceAccepted, C.StillAccepted);
    }
}

TEST(InstallPC, TheDefaultDirectoryLeavesNoTraceWhenUnused)
{
    {
        SCOPED_TRACE("cancelled");
        TPcRig R;
        R.View.Chosen.clear();
        R.AddTool()->InstallClick(nullptr);
        EXPECT_EQ(R.View.Calls, std::vector<std::string>{"select Select Installation Directory at " + Dir + " with new"});
        EXPECT_FALSE(R.FS.DirectoryExists("C:\\Program Files\\Acme"));
        EXPECT_TRUE(R.Messages().empty());
        EXPECT_TRUE(R.Registry.empty());
    }
    {
        SCOPED_TRACE("another directory, new with its parent");
        TPcRig R;
        R.FS.AddFile("C:\\Program Files\\Acme\\theirs.txt", "");
        R.View.Chosen = "D:\\Apps\\Tool\\";
        R.AddTool()->InstallClick(nullptr);
        EXPECT_FALSE(R.FS.DirectoryExists(Dir));
        EXPECT_TRUE(R.FS.FileExists("C:\\Program Files\\Acme\\theirs.txt"));
        const std::vector<std::string> Lines = R.LogLines("D:\\Apps\\Tool\\uinst.log");
        ASSERT_GE(Lines.size(), 3u);
        EXPECT_EQ(Lines[1], "[DelDir]%D:\\Apps");
        EXPECT_EQ(Lines[2], "[DelDir]%D:\\Apps\\Tool");
        EXPECT_EQ(Lines[3], "[DelDir]%D:\\Apps\\Tool\\docs");
    }
    {
        SCOPED_TRACE("a directory that exists: only the log's and the archive's lines");
        TPcRig R;
        R.FS.ForceDirectories("C:\\Program Files\\Acme");
        R.View.Chosen = "C:\\Program Files\\Acme";
        R.AddTool()->InstallClick(nullptr);
        EXPECT_FALSE(R.FS.DirectoryExists(Dir));
        const std::vector<std::string> Lines = R.LogLines("C:\\Program Files\\Acme\\uinst.log");
        EXPECT_EQ(Lines[1], "[DelDir]%C:\\Program Files\\Acme");
        EXPECT_EQ(Lines[2], "[DelDir]%C:\\Program Files\\Acme\\docs");
    }
}

TEST(InstallPC, ARefusedDirectoryIsReported)
{
    TPcRig R;
    R.FS.SetDriveType('E', dtCDRom);
    R.View.Chosen = "E:\\Tool";
    R.AddTool()->InstallClick(nullptr);
    EXPECT_EQ(R.Messages(), std::vector<std::string>{"Can not write to dir \n\rE:\\Tool"});
    EXPECT_FALSE(R.FS.DirectoryExists("E:\\Tool"));
    EXPECT_FALSE(R.FS.DirectoryExists("C:\\Program Files\\Acme"));
}

TEST(InstallPC, AnEmptyNameMakesNoUninstallEntry)
{
    TPcRig R;
    R.View.Chosen = "C:\\Tool";
    R.AddTool({{"App name", ""}, {"DefInstDir", ""}}, {"Uninstall|SCut to uninstall||Desktop|"})->InstallClick(nullptr);
    EXPECT_TRUE(R.Registry.empty());
    const std::vector<std::string> Lines = R.LogLines("C:\\Tool\\uinst.log");
    for (const std::string& L : Lines) {
        EXPECT_EQ(L.find("[DelKey]"), std::string::npos);
        EXPECT_EQ(L.find("[DelValue]"), std::string::npos);
    }
    EXPECT_EQ(Lines.back(), "[UImes 2]%Acme  uninstalled");
    EXPECT_EQ(R.Links.size(), 1u);
}

TEST(InstallPC, AMissingShellFolderMakesNoLinkAndNoLine)
{
    TPcRig R;
    R.QuickLaunch = false;
    R.AddTool({}, {"Tool|SCut to file|tool.exe|Quick launch|"})->InstallClick(nullptr);
    EXPECT_TRUE(R.Links.empty());
    for (const std::string& L : R.LogLines(Dir + "\\uinst.log"))
        EXPECT_EQ(L.find(".lnk"), std::string::npos) << L;
    EXPECT_EQ(R.Messages(), std::vector<std::string>{"Tool 100% successfuly installed"});
}

TEST(InstallPC, EveryFailureCleansUpAndShowsItsError)
{
    struct Case {
        const char* Name;
        std::function<void(TPcRig&)> Arrange;
        const char* Error;   // the start of the message
        bool LeavesLog;      // what was made is in the closed log
    };
    const std::string Archive = Data + "\\Tool.ime";
    const Case Cases[] = {
        {"a path out of the directory",
         [&](TPcRig& R) {
             R.FS.AddFile(Archive, HandArchive({{"0", ""}, {"1", "\\..\\..\\evil"}}, {{"1,2", "x.txt"}}, "xx"));
         },
         "The archive " , false},
        {"not a bzip2 stream",
         [&](TPcRig& R) {
             R.FS.AddFile(Archive, HandArchive({{"0", ""}}, {{"0,2", "x.txt"}}, "xx",
                                               [](std::string& B) { B[0] = 'X'; }));
         },
         "The archive ", false},
        {"no room",
         [&](TPcRig& R) { R.FS.Free = 1; },
         "Not enough free disk space", false},
        {"the checksum at the end",
         [&](TPcRig& R) {
             R.FS.AddFile(Archive, HandArchive({{"0", ""}}, {{"0,2", "x.txt"}}, "xx",
                                               [](std::string& B) { B[B.size() - 3] ^= 1; }));
         },
         "The archive ", true},
        {"the registry",
         [](TPcRig& R) { R.FailRegistry = "UninstallString"; },
         "Cannot write the registry value UninstallString", true},
        {"the uninstaller missing from the package",
         [&](TPcRig& R) { R.FS.EraseFile(Data + "\\Castremove.exe"); },
         "Cannot copy", true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TPcRig R;
        C.Arrange(R);
        CAPP* App = R.AddTool({{"Licenze", "Terms."}});
        R.Apps->LicenceAccepted = true;
        App->InstallClick(nullptr);
        const std::vector<std::string> M = R.Messages();
        ASSERT_EQ(M.size(), 1u);
        EXPECT_EQ(M[0].rfind(C.Error, 0), 0u) << M[0];
        EXPECT_FALSE(R.Apps->LicenceAccepted);
        // The progress window, once started, is finished.
        int Started = 0, Finished = 0;
        for (const std::string& Call : R.View.Calls) {
            Started += Call.rfind("start", 0) == 0;
            Finished += Call == "finish";
        }
        EXPECT_EQ(Started, Finished);
        if (C.LeavesLog) {
            const std::vector<std::string> Lines = R.LogLines(Dir + "\\uinst.log");
            ASSERT_GE(Lines.size(), 3u);
            EXPECT_EQ(Lines[1], "[DelDir]%C:\\Program Files\\Acme");
        } else {
            EXPECT_FALSE(R.FS.DirectoryExists("C:\\Program Files\\Acme")) << "left behind";
        }
        // The next command asks for the licence again.
        R.View.Calls.clear();
        App->InstallClick(nullptr);
        EXPECT_EQ(R.View.Calls, std::vector<std::string>{"licence Terms."});
    }
}

TEST(RegisterUninstall, WritesAndLogsTheEntryUnlessTheNameIsEmpty)
{
    TMemoryFileSystem FS;
    std::vector<std::string> Written;
    const TRegistryWriter W = [&](TRegistryRoot Root, const std::string& Key, const std::string& Name,
                                  const std::string& Value) {
        Written.push_back(std::to_string(Root) + "|" + Key + "|" + Name + "=" + Value);
    };
    {
        CUInstLog Log(0, "C:\\u.log", FS);
        RegisterUninstall(W, rrCurrentUser, "Ed", " Ed", "run", &Log);
        RegisterUninstall(W, rrLocalMachine, "", "x", "y", &Log);
        RegisterUninstall(W, rrLocalMachine, "Other", "x", "y", nullptr);
    }
    EXPECT_EQ(Written, (std::vector<std::string>{"1|" + Uninstall + "Ed|DisplayName= Ed",
                                                 "1|" + Uninstall + "Ed|UninstallString=run",
                                                 "2|" + Uninstall + "Other|DisplayName=x",
                                                 "2|" + Uninstall + "Other|UninstallString=y"}));
    EXPECT_EQ(FS.FileBytes("C:\\u.log"), "[DelValue]%%" + Uninstall + "Ed%DisplayName\r\n[DelValue]%%" + Uninstall +
                                             "Ed%UninstallString\r\n[DelKey]%%" + Uninstall + "Ed\r\n");
}
