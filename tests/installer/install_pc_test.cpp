// The install command: archive check, licence, the PC road with its log, links,
// uninstaller and Uninstall entry, and the clean-up of every way it can fail.
#include "installer_fakes.h"

#include "hand_archive.h"

#include "archive.h"
#include "bz_streams.h"
#include "memory_file_system.h"
#include "plug_loader.h"
#include "path_and_dir_helpers.h"
#include "string_helpers.h"

#include <functional>
#include <map>
#include <set>

namespace {

const std::string Data = "C:\\pkg\\Data";
const std::string Uninstall = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The archive of one file "x.txt" holding "xx", its compressed data damaged by Damage.
THandArchive Damaged(std::function<void(std::string&)> Damage)
{
    THandArchive A;
    A.Files = {{"0,2", "x.txt"}};
    A.Data = "xx";
    A.Damage = std::move(Damage);
    return A;
}

struct TPcRig : TModelRig {
    TMemoryFileSystem FS;
    std::vector<std::string> Registry; // "root|key|name=value", as written
    // The registry as it stands: keys "root|key" (lower case), values "root|key|name".
    std::set<std::string> Keys;
    std::map<std::string, TRegistryValue> Values;
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
        Apps->Shell.InstallFolder = [this](TLinkKind Kind, const std::string& Group) {
            switch (Kind) {
            case TLinkKind::Desktop:
                return std::string("C:\\Desktop");
            case TLinkKind::QuickLaunch:
                return QuickLaunch ? std::string("C:\\Quick") : std::string();
            case TLinkKind::ProgramsGroup:
                return JoinPath("C:\\Programs", Group);
            default:
                return std::string();
            }
        };
        Apps->Shell.CreateShortcut = [this](const std::string& Target, const std::string& Args,
                                            const std::string& WorkDir, const std::string& Name,
                                            const std::string& Group, TLinkKind Kind) {
            Links.push_back(std::to_string(static_cast<int>(Kind)) + "|" + Group + "|" + Name + " -> " + Target + " " + Args + " (" +
                            WorkDir + ")");
            // As the shell does: the group's folder made, an earlier link replaced.
            const std::string Folder = Apps->Shell.InstallFolder(Kind, Group);
            const std::string Link = JoinPath(Folder, Name + ".lnk");
            if (!FS.ForceDirectories(Folder) || (FS.FileExists(Link) && !FS.EraseFile(Link)))
                return std::string();
            FS.AddFile(Link, "link to " + Target);
            return Link;
        };
        Apps->WriteRegistry = [this](TRegistryRoot Root, const std::string& Key, const std::string& Name,
                                     const std::string& Value) {
            for (std::string K = Key; !K.empty(); K = K.substr(0, K.find_last_of('\\')))
                Keys.insert(KeyName(Root, K));
            if (Name == FailRegistry)
                throw EInOutError("Cannot write the registry value " + Name + ": Access denied.");
            Registry.push_back(std::to_string(Root) + "|" + Key + "|" + Name + "=" + Value);
            Values[KeyName(Root, Key) + "|" + Name] = TRegistryValue{true, 1, Value + std::string(1, '\0')};
        };
        Apps->RegistryUndo.KeyExists = [this](TRegistryRoot Root, const std::string& Key) {
            return Keys.count(KeyName(Root, Key)) != 0;
        };
        Apps->RegistryUndo.ReadValue = [this](TRegistryRoot Root, const std::string& Key, const std::string& Name) {
            const auto It = Values.find(KeyName(Root, Key) + "|" + Name);
            return It == Values.end() ? TRegistryValue() : It->second;
        };
        Apps->RegistryUndo.RestoreValue = [this](TRegistryRoot Root, const std::string& Key, const std::string& Name,
                                                 const TRegistryValue& V) {
            // The key that refused the value refuses its undoing too.
            if (Name == FailRegistry)
                throw EInOutError("Cannot write the registry value " + Name + ": Access denied.");
            if (V.Exists)
                Values[KeyName(Root, Key) + "|" + Name] = V;
            else
                Values.erase(KeyName(Root, Key) + "|" + Name);
        };
        Apps->RegistryUndo.DeleteKey = [this](TRegistryRoot Root, const std::string& Key) {
            const std::string K = KeyName(Root, Key);
            for (const std::string& Other : Keys)
                if (Other.rfind(K + "\\", 0) == 0)
                    throw EInOutError("Cannot delete the registry key " + Key + ": it has subkeys");
            for (auto It = Values.begin(); It != Values.end();)
                It = It->first.rfind(K + "|", 0) == 0 && It->first.find('|', K.size() + 1) == std::string::npos
                         ? Values.erase(It)
                         : std::next(It);
            Keys.erase(K);
        };
        Apps->WriteRegistry(rrLocalMachine, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Neighbour",
                            "DisplayName", "a neighbour");
        Registry.clear();
        FS.ForceDirectories("C:\\Program Files");
        FS.ForceDirectories("C:\\windows");
        for (const char* Shell : {"C:\\Desktop", "C:\\Quick", "C:\\Programs"})
            FS.ForceDirectories(Shell);
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

    static std::string KeyName(TRegistryRoot Root, const std::string& Key)
    {
        return std::to_string(Root) + "|" + LowerAscii(Key);
    }
    // Everything on the disk and in the registry, to compare before and after.
    std::vector<std::string> State()
    {
        std::vector<std::string> V;
        for (const std::string& P : FS.AllPaths()) {
            V.push_back(P);
            if (FS.DirectoryExists(P))
                for (const TDirEntry& E : FS.ListDirectory(P))
                    V.push_back(JoinPath(P, E.Name) + " " + std::to_string(E.Attributes) +
                                (E.IsDirectory() ? "" : " = " + FS.FileBytes(JoinPath(P, E.Name))));
        }
        V.insert(V.end(), Keys.begin(), Keys.end());
        for (const auto& E : Values)
            V.push_back(E.first + " = " + E.second.Data);
        return V;
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

TEST(InstallPC, TheShortcutStepRoundsItsPerCentsHalfToEven)
{
    TPcRig R;
    // Nine entries make steps of 12.5; the device's ones still move the bar.
    CAPP* App = R.AddTool({}, std::vector<std::string>(9, "Tool|SCut to file|tool.exe|Start Menu|"));
    App->InstallClick(nullptr);
    std::vector<std::string> Progress;
    for (const std::string& C : R.View.Calls)
        if (C.rfind("progress ", 0) == 0)
            Progress.push_back(C);
    ASSERT_GE(Progress.size(), 9u);
    Progress.erase(Progress.begin(), Progress.end() - 9);
    EXPECT_EQ(Progress, (std::vector<std::string>{"progress 0", "progress 12", "progress 25", "progress 38",
                                                  "progress 50", "progress 62", "progress 75", "progress 88",
                                                  "progress 100"}));
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

TEST(InstallPC, ANameThatIsNoKeyNameMakesNoUninstallEntry)
{
    for (const std::string Name : {"", "\\", "Tool\\", "Acme\\Tool"}) {
        SCOPED_TRACE(Name);
        TPcRig R;
        R.View.Chosen = "C:\\Tool";
        R.AddTool({{"App name", Name}, {"DefInstDir", ""}}, {"Uninstall|SCut to uninstall||Desktop|"})
            ->InstallClick(nullptr);
        EXPECT_TRUE(R.Registry.empty());
        const std::vector<std::string> Lines = R.LogLines("C:\\Tool\\uinst.log");
        for (const std::string& L : Lines) {
            EXPECT_EQ(L.find("[DelKey]"), std::string::npos);
            EXPECT_EQ(L.find("[DelValue]"), std::string::npos);
        }
        EXPECT_EQ(Lines.back(), "[UImes 2]%Acme " + Name + " uninstalled");
        EXPECT_EQ(R.Links.size(), 1u);
    }
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

TEST(InstallPC, EveryFailureLeavesTheDiskAndTheRegistryAsTheyWere)
{
    struct Case {
        const char* Name;
        std::function<void(TPcRig&)> Arrange;
        std::string Error; // the start of the message: for the archive's faults, all of it
    };
    const std::string Archive = Data + "\\Tool.ime";
    const Case Cases[] = {
        {"a path out of the directory",
         [&](TPcRig& R) {
             THandArchive A;
             A.Dirs = {{"0", ""}, {"1", "\\..\\..\\evil"}};
             A.Files = {{"1,2", "x.txt"}};
             A.Data = "xx";
             R.FS.AddFile(Archive, A.Build());
         },
         "The archive C:\\pkg\\Data\\Tool.ime is damaged: the directory name \"\\..\\..\\evil\" is not allowed"},
        {"not a bzip2 stream",
         [&](TPcRig& R) { R.FS.AddFile(Archive, Damaged([](std::string& B) { B[0] = 'X'; }).Build()); },
         "The archive C:\\pkg\\Data\\Tool.ime is damaged: its data is not a bzip2 stream"},
        {"no room", [&](TPcRig& R) { R.FS.Free = 1; }, "Not enough free disk space"},
        {"a file where a directory goes",
         [&](TPcRig& R) {
             THandArchive A;
             A.Dirs = {{"0", ""}, {"1", "\\sub"}};
             A.Files = {{"1,2", "x.txt"}};
             A.Data = "xx";
             R.FS.AddFile(Archive, A.Build());
             R.FS.AddFile(Dir + "\\sub", "in the way");
         },
         "Cannot create directory " + Dir + "\\sub: Cannot create a file when that file already exists"},
        {"one bad bit in the middle of the data",
         [&](TPcRig& R) {
             THandArchive A;
             A.Dirs = {{"0", ""}, {"1", "\\sub"}, {"2", "\\sub\\deeper"}};
             A.Files = {{"0,6", "first.txt"}, {"2,6", "second.txt"}};
             A.Data = "first second";
             A.Damage = [](std::string& B) { B[B.size() / 2] ^= 0x10; };
             R.FS.AddFile(Archive, A.Build());
         },
         "The archive C:\\pkg\\Data\\Tool.ime is damaged: a block of its compressed data is bad (inside first.txt)"},
        {"the checksum at the end",
         [&](TPcRig& R) { R.FS.AddFile(Archive, Damaged([](std::string& B) { B[B.size() - 3] ^= 1; }).Build()); },
         "The archive C:\\pkg\\Data\\Tool.ime is damaged: its data does not match its checksum"},
        {"the first registry value", [](TPcRig& R) { R.FailRegistry = "DisplayName"; },
         "Cannot write the registry value DisplayName"},
        {"the second registry value", [](TPcRig& R) { R.FailRegistry = "UninstallString"; },
         "Cannot write the registry value UninstallString"},
        {"the uninstaller missing from the package",
         [&](TPcRig& R) { R.FS.EraseFile(Data + "\\Castremove.exe"); }, "Cannot copy"},
        {"the uninstaller unreadable",
         [&](TPcRig& R) { R.FS.SetUnreadable(Data + "\\Castremove.exe"); }, "Cannot open file"},
        {"a directory where the uninstaller goes",
         [](TPcRig& R) { R.FS.ForceDirectories("C:\\windows\\Castremove.exe"); },
         "Cannot copy " + Data + "\\Castremove.exe to C:\\windows\\Castremove.exe: Access is denied"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        TPcRig R;
        C.Arrange(R);
        CAPP* App = R.AddTool({{"Licenze", "Terms."}}, {"Tool|SCut to file|tool.exe|Desktop|",
                                                        "Tool|SCut to file|tool.exe|Program files|Acme\\Tool"});
        const std::vector<std::string> Before = R.State();
        R.Apps->LicenceAccepted = true;
        App->InstallClick(nullptr);
        const std::vector<std::string> M = R.Messages();
        ASSERT_EQ(M.size(), 1u);
        EXPECT_EQ(M[0].rfind(C.Error, 0), 0u) << M[0];
        EXPECT_EQ(M[0].find("undone"), std::string::npos) << M[0];
        EXPECT_EQ(R.State(), Before);
        EXPECT_FALSE(R.Apps->LicenceAccepted);
        // The progress window, once started, is finished.
        int Started = 0, Finished = 0;
        for (const std::string& Call : R.View.Calls) {
            Started += Call.rfind("start", 0) == 0;
            Finished += Call == "finish";
        }
        EXPECT_EQ(Started, Finished);
        // The next command asks for the licence again.
        R.View.Calls.clear();
        App->InstallClick(nullptr);
        EXPECT_EQ(R.View.Calls, std::vector<std::string>{"licence Terms."});
    }
}

TEST(InstallPC, WhatAReinstallReplacesWaitsAsideUntilItEnds)
{
    TPcRig R;
    const std::vector<std::string> Shortcuts = {"Tool|SCut to file|tool.exe|Desktop|"};
    CAPP* App = R.AddTool({}, Shortcuts);
    App->InstallClick(nullptr);
    ASSERT_EQ(R.Messages(), std::vector<std::string>{"Tool 100% successfuly installed"});
    // An earlier version, read-only, an earlier uninstaller and the earlier entry.
    R.FS.SetAttributes(Dir + "\\tool.exe", 0);
    R.FS.AddFile(Dir + "\\tool.exe", "MZ version 1");
    R.FS.SetAttributes(Dir + "\\tool.exe", faReadOnly);
    R.FS.AddFile("C:\\windows\\Castremove.exe", "the uninstaller 1");
    R.Values["2|" + LowerAscii(Uninstall) + "tool 100%|DisplayName"] = TRegistryValue{true, 2, "Acme Tool 1"};
    const std::vector<std::string> Before = R.State();

    R.FailRegistry = "UninstallString";
    R.View.Calls.clear();
    App->InstallClick(nullptr);
    ASSERT_EQ(R.Messages().size(), 1u);
    EXPECT_EQ(R.State(), Before);

    R.FailRegistry.clear();
    R.View.Calls.clear();
    App->InstallClick(nullptr);
    EXPECT_EQ(R.Messages(), std::vector<std::string>{"Tool 100% successfuly installed"});
    EXPECT_EQ(R.FS.FileBytes(Dir + "\\tool.exe"), "MZ tool");
    EXPECT_TRUE(R.FS.EraseFile(Dir + "\\tool.exe")) << "still read-only";
    EXPECT_EQ(R.FS.FileBytes("C:\\windows\\Castremove.exe"), "the uninstaller");
    for (const std::string& P : R.FS.AllPaths())
        EXPECT_EQ(P.find(".~"), std::string::npos) << P << " was left aside";
}

TEST(InstallPC, NamesAreMadeAndLoggedAsTheSystemStoresThem)
{
    const struct {
        const char* Name;
        TPairs Props;
        std::string Chosen; // "" keeps the default
        std::string Group;
        std::string Dir;       // where it lands
        std::string GroupDir;  // the programs menu's folder
    } Cases[] = {
        {"a company name ending in a dot", {{"CompName", "Acme Inc."}}, "", "Acme Tool.",
         "C:\\Program Files\\Acme Inc\\Tool 100%", "C:\\Programs\\Acme Tool"},
        {"a name ending in a blank", {{"App name", "Tool "}}, "", " Acme/Tools \\\\Tool",
         "C:\\Program Files\\Acme\\Tool", "C:\\Programs\\ Acme\\Tools\\Tool"},
        {"a plain directory with \"/\"", {{"DefInstDir", "D:/Apps//Tool./"}}, "", "Acme",
         "D:\\Apps\\Tool", "C:\\Programs\\Acme"},
        {"a new directory named with a dot", {}, "C:\\Apps\\New.\\", "Acme", "C:\\Apps\\New",
         "C:\\Programs\\Acme"},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TPcRig R;
        R.View.Chosen = C.Chosen;
        CAPP* App = R.AddTool(C.Props, {"Tool|SCut to file|tool.exe|Program files|" + C.Group});
        if (C.Chosen.empty())
            R.View.Chosen = App->DefInstDirPath();
        EXPECT_EQ(App->DefInstDirPath().find_first_of("/"), std::string::npos);
        App->InstallClick(nullptr);
        ASSERT_EQ(R.Messages().size(), 1u);
        EXPECT_EQ(App->GetInstallDir(), C.Dir);
        const std::vector<std::string> Lines = R.LogLines(C.Dir + "\\uinst.log");
        ASSERT_FALSE(Lines.empty());
        EXPECT_EQ(Lines[0], "[DelFile]%" + C.Dir + "\\uinst.log");
        EXPECT_NE(std::find(Lines.begin(), Lines.end(), "[DelDir]%" + C.Dir), Lines.end());
        EXPECT_NE(std::find(Lines.begin(), Lines.end(), "[DelFile]%" + C.GroupDir + "\\Tool.lnk"), Lines.end());
        EXPECT_NE(std::find(Lines.begin(), Lines.end(), "[DelDir]%" + C.GroupDir), Lines.end());
        EXPECT_TRUE(R.FS.FileExists(C.GroupDir + "\\Tool.lnk"));
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

TEST(RegisterUninstall, TheNameMustBeOneKeyName)
{
    const struct {
        std::string Name;
        bool Key;
    } Cases[] = {
        {"Tool 100%", true}, {" Tool. ", true}, {std::string(255, 'k'), true}, {"\xE9" "diteur", true},
        {"", false},         {"\\", false},      {"Tool\\", false},            {"\\Tool", false},
        {"a\\b", false},     {std::string(256, 'k'), false}, {"Tab\there", false}, {"Line\n", false},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(IsUninstallKeyName(C.Name), C.Key) << C.Name;
        TMemoryFileSystem FS;
        int Writes = 0;
        {
            CUInstLog Log(0, "C:\\u.log", FS);
            RegisterUninstall([&](TRegistryRoot, const std::string&, const std::string&, const std::string&) { ++Writes; },
                              rrLocalMachine, C.Name, "x", "y", &Log);
        }
        EXPECT_EQ(Writes, C.Key ? 2 : 0) << C.Name;
        EXPECT_EQ(FS.FileBytes("C:\\u.log").empty(), !C.Key) << C.Name;
    }
}

namespace {

std::function<void(IInstallApp*)> PlugInAction;

void BRINDLO_CALL ActingPlugIn(int32_t Event, IInstallApp* App)
{
    if (Event == PLG_AppInstalled && PlugInAction)
        PlugInAction(App);
}

} // namespace

TEST(InstallPC, WhatAPlugInsDefaultDirectoryMadeGoesWhenUnusedAndIsLoggedWhenUsed)
{
    for (const bool Used : {false, true}) {
        SCOPED_TRACE(Used ? "used" : "unused");
        TPcRig R;
        CPlugLoader Loader(R.FS);
        Loader.AddPlug("C:\\p\\a.dll", nullptr, ActingPlugIn);
        R.Apps->Plugins = &Loader;
        PlugInAction = [&](IInstallApp* App) {
            const std::string Made = App->lpVtbl->GetDefInstDir(App);
            EXPECT_EQ(Made, Dir);
            EXPECT_TRUE(R.FS.DirectoryExists(Dir));
            if (Used)
                R.FS.AddFile(Dir + "\\settings.ini", "");
        };
        R.View.Chosen = "D:\\Tool";
        R.AddTool()->InstallClick(nullptr);
        PlugInAction = nullptr;
        EXPECT_EQ(R.Messages(), std::vector<std::string>{"Tool 100% successfuly installed"});
        EXPECT_EQ(R.FS.DirectoryExists(Dir), Used);
        EXPECT_EQ(R.FS.DirectoryExists("C:\\Program Files\\Acme"), Used);
        const std::vector<std::string> Lines = R.LogLines("D:\\Tool\\uinst.log");
        ASSERT_GE(Lines.size(), 2u);
        if (Used) {
            EXPECT_EQ(std::vector<std::string>(Lines.end() - 2, Lines.end()),
                      (std::vector<std::string>{"[DelDir]%C:\\Program Files\\Acme", "[DelDir]%" + Dir}));
        } else {
            EXPECT_EQ(Lines.back(), "[UImes 2]%Acme Tool 100% uninstalled");
        }
    }
}
