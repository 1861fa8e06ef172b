// The Pocket PC and Palm OS roads over a disk in memory and outside programs that
// record what reached them: the manager's .ini and its start, the Palm tool's
// files, and the manual unpacking when a program is missing.
#include "installer_fakes.h"

#include "archive.h"
#include "memory_file_system.h"
#include "path_and_dir_helpers.h"

#include <functional>
#include <map>
#include <set>

namespace {

// The desktop programs as a machine registers them; every start and pause recorded.
class TFakeOutside : public IOutsidePrograms {
public:
    std::map<std::string, std::string> AppPaths;
    std::map<std::string, std::string> Commands; // "<file class> <verb>" -> command
    std::vector<std::string> Calls;
    bool Starts = true;
    std::set<std::string> Refused; // parameters the shell refuses
    std::function<void()> WhileRunning;

    std::string AppPath(const std::string& ExeName) override
    {
        const auto I = AppPaths.find(ExeName);
        return I == AppPaths.end() ? std::string() : I->second;
    }
    std::string ShellCommand(const std::string& FileClass, const std::string& Verb) override
    {
        const auto I = Commands.find(FileClass + " " + Verb);
        return I == Commands.end() ? std::string() : I->second;
    }
    bool RunAndWait(const std::string& Exe, const std::string& CommandLine) override
    {
        Calls.push_back("run " + Exe + " " + CommandLine);
        if (Starts && WhileRunning)
            WhileRunning();
        return Starts;
    }
    bool ShellOpen(const std::string& Tool, const std::string& Parameters) override
    {
        Calls.push_back("open " + Tool + " " + Parameters);
        return Refused.count(Parameters) == 0;
    }
    void Pause(std::uint32_t Milliseconds) override { Calls.push_back("pause " + std::to_string(Milliseconds)); }
};

const char ManagerWarning[] = "Cannot install game(s). Microsoft Active Sync is not found on the computer.\n\rYou can "
                              "install games manually by copying *.cab file to the pocket PC and\n\rrun then from "
                              "PocketPC manually";
const char PalmWarning[] = "Palm synchronization manager not found. Please proceed\n\rwith manual installation .You "
                           "will have to extract the\n\rfiles for to a temporary directory on your computer ,\n\rand "
                           "then install them to your Palm device manually.";

// One installation over an archive packed from Files, the package's Data directory
// and the Program Files folder on the memory disk.
struct TRoadRig {
    TModelRig Model;
    TMemoryFileSystem FS;
    TFakeOutside Outside;
    CAPP* App = nullptr;

    TRoadRig(const TPairs& Props, const TPairs& Files, const TPairs& Palm = {}, const TPairs& PocketPC = {})
    {
        for (const auto& F : Files)
            FS.AddFile("C:\\Src\\" + F.first, F.second);
        ArchivePack(CArchive_BZip::Create, "C:\\Src", "C:\\Pkg\\Data\\app.ime", nullptr, FS);
        Model.Apps->FileSystem = &FS;
        Model.Apps->Outside = &Outside;
        Model.Apps->DataDir = "C:\\Pkg\\Data";
        Model.Apps->Folders = [](TSpecialFolder K) {
            return K == TSpecialFolder::ProgramFiles ? std::string("C:\\Program Files") : std::string();
        };
        App = Model.Add(AppRecord(Props, Palm, PocketPC));
        App->Command.ArchivePath = "C:\\Pkg\\Data\\app.ime";
    }
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> V;
        for (const std::string& C : Model.View.Calls)
            if (C.rfind("message ", 0) == 0 || C.rfind("select ", 0) == 0)
                V.push_back(C);
        return V;
    }
};

const TPairs GameProps = {{"App name", "My Game Deluxe!"}, {"CompName", "Brindlo Soft."}, {"DID", "1"},
                          {"BVersion", "1.2"},           {"DefInstDir", "D:\\Games"},   {"OutFN", "app.ime"}};
const TPairs GameCabs = {{"PPC_ASDesc", "A game"},
                         {"PPC_ICabFARM", "MyGame.ARM.CAB"},
                         {"PPC_ICabFMIPS", "MyGame.MIPS.CAB"},
                         {"PPC_ICabFSH", "MyGame.SH3.CAB"}};
const TPairs GameFiles = {{"MyGame.ARM.CAB", "arm"}, {"MyGame.MIPS.CAB", "mips"}, {"MyGame.SH3.CAB", "sh3"}};

const char Staging[] = "C:\\Program Files\\Brindlo Soft.\\My Game Deluxe!";

} // namespace

TEST(PocketPCRoad, WritesTheIniAndWaitsForTheManager)
{
    TRoadRig R(GameProps, GameFiles, {}, GameCabs);
    R.Outside.AppPaths["CEAPPMGR.EXE"] = "\"C:\\Program Files\\ActiveSync\\CEAPPMGR.EXE\"";
    const std::string Ini = std::string(Staging) + "\\MyGameDeluxeBrindloSoft.ini";
    std::string IniWhileRunning;
    R.Outside.WhileRunning = [&] { IniWhileRunning = R.FS.FileBytes(Ini); };

    EXPECT_TRUE(R.App->InstallPocketPC());
    EXPECT_EQ(R.App->Command.Dir, Staging);
    EXPECT_EQ(R.FS.FileBytes(std::string(Staging) + "\\MyGame.MIPS.CAB"), "mips");
    EXPECT_EQ(IniWhileRunning, "[CEAppManager]\r\n"
                               "Version      = 1.2\r\n"
                               "Component    = My Game Deluxe!\r\n"
                               "\r\n"
                               "[My Game Deluxe!]\r\n"
                               "Description  = A game\r\n"
                               "Uninstall    = My Game Deluxe!\r\n"
                               "CabFiles     = MyGame.ARM.CAB,MyGame.MIPS.CAB,MyGame.SH3.CAB\r\n");
    // The manager's path out of its quotes; the .ini quoted, its one argument.
    EXPECT_EQ(R.Outside.Calls,
              std::vector<std::string>{"run C:\\Program Files\\ActiveSync\\CEAPPMGR.EXE \"" + Ini + "\""});
    EXPECT_EQ(R.Messages(), std::vector<std::string>{});
}

TEST(PocketPCRoad, TheCabListNamesTheCabFilesThereAre)
{
    const struct {
        const char* Arm;
        const char* Mips;
        const char* Sh;
        const char* List;
    } Cases[] = {
        {"a.cab", "", "s.cab", "a.cab,s.cab"},
        {"", "m.cab", "", "m.cab"},
        {"a.cab", "m.cab", "", "a.cab,m.cab"},
        {"", "", "", ""},
    };
    for (const auto& C : Cases) {
        TRoadRig R({{"App name", "Go"}, {"BVersion", "2"}}, {{"x", "x"}}, {},
                   {{"PPC_ICabFARM", C.Arm}, {"PPC_ICabFMIPS", C.Mips}, {"PPC_ICabFSH", C.Sh}});
        R.FS.ForceDirectories("C:\\Out");
        EXPECT_EQ(R.App->WriteCEAppMgrIni("C:\\Out\\go.ini"), *C.List != '\0') << C.List;
        EXPECT_EQ(R.FS.FileBytes("C:\\Out\\go.ini"), std::string("[CEAppManager]\r\nVersion      = 2\r\nComponent    = "
                                                                 "Go\r\n\r\n[Go]\r\nDescription  = \r\nUninstall    = "
                                                                 "Go\r\nCabFiles     = ") +
                                                         C.List + "\r\n");
    }
}

// A line of the description's own would be read as a key of the section: one
// that names CAB files before the real list would install those instead.
TEST(PocketPCRoad, TheDescriptionIsOneLineOfTheIni)
{
    const struct {
        const char* Text;
        const char* Line;
    } Cases[] = {
        {"Cards.\r\nCabFiles = x.cab", "Cards. CabFiles = x.cab"},
        {"a\nb\rc", "a b c"},
        {"a\r\n\r\nb", "a  b"},
        {"\r\n[Other]\r\n", " [Other] "},
        {"one line", "one line"},
    };
    for (const auto& C : Cases) {
        TRoadRig R({{"App name", "Go"}, {"BVersion", "2"}}, {{"x", "x"}}, {},
                   {{"PPC_ASDesc", C.Text}, {"PPC_ICabFARM", "a.cab"}});
        R.FS.ForceDirectories("C:\\Out");
        EXPECT_TRUE(R.App->WriteCEAppMgrIni("C:\\Out\\go.ini"));
        EXPECT_EQ(R.FS.FileBytes("C:\\Out\\go.ini"), std::string("[CEAppManager]\r\nVersion      = 2\r\nComponent    = "
                                                                 "Go\r\n\r\n[Go]\r\nDescription  = ") +
                                                         C.Line + "\r\nUninstall    = Go\r\nCabFiles     = a.cab\r\n")
            << C.Line;
    }
}

TEST(PocketPCRoad, TheIniIsNamedWithFileNameCharactersOnly)
{
    const struct {
        const char* Name;
        const char* Company;
        const char* File;
    } Cases[] = {
        {"My Game!", "Soft Co.", "MyGameSoftCo.ini"},
        {"Say \"Hi\"", "A\\B", "SayHiAB.ini"},
        {"x-y=z`", "(Co);[1]", "x-y=z`Co1.ini"},
        {"Tab\tBell\a", "", "TabBell.ini"},
    };
    for (const auto& C : Cases) {
        TRoadRig R({{"App name", C.Name}, {"CompName", C.Company}}, GameFiles, {}, GameCabs);
        R.Outside.AppPaths["CEAPPMGR.EXE"] = "C:\\AS\\CEAPPMGR.EXE";
        EXPECT_TRUE(R.App->InstallPocketPC()) << C.File;
        ASSERT_EQ(R.Outside.Calls.size(), 1u);
        EXPECT_EQ(R.Outside.Calls[0], "run C:\\AS\\CEAPPMGR.EXE \"" + JoinPath(R.App->Command.Dir, C.File) + "\"");
    }
}

TEST(PocketPCRoad, TheStagingDirectoryIsMadeOfDirectoryNames)
{
    const struct {
        const char* Name;
        const char* Company;
        const char* Dir;
    } Cases[] = {
        {"App?", "Co:", "C:\\Program Files\\Co\\App"},
        {"A<b>|c", "", "C:\\Program Files\\Abc"},
        {"Game", "..", "C:\\Program Files\\Game"},
        {"..", "Co", "C:\\Program Files\\Co"},
        {"v1.0 \"new\"", "x/y*", "C:\\Program Files\\xy\\v1.0 new"},
    };
    for (const auto& C : Cases) {
        TRoadRig R({{"App name", C.Name}, {"CompName", C.Company}}, {{"x", "x"}});
        EXPECT_EQ(R.App->GetDeviceInstDir(), C.Dir) << C.Name;
    }
}

TEST(PocketPCRoad, NoCabFileNamedIsNotInstalledAndStartsNothing)
{
    TRoadRig R(GameProps, GameFiles);
    R.Outside.AppPaths["CEAPPMGR.EXE"] = "C:\\AS\\CEAPPMGR.EXE";
    EXPECT_FALSE(R.App->InstallPocketPC());
    EXPECT_TRUE(R.FS.FileExists(std::string(Staging) + "\\MyGameDeluxeBrindloSoft.ini"));
    EXPECT_EQ(R.Outside.Calls, std::vector<std::string>{});
    EXPECT_EQ(R.Messages(), std::vector<std::string>{});
}

TEST(PocketPCRoad, AManagerThatDoesNotStartIsNotAnInstallation)
{
    TRoadRig R(GameProps, GameFiles, {}, GameCabs);
    R.Outside.AppPaths["CEAPPMGR.EXE"] = "C:\\AS\\CEAPPMGR.EXE";
    R.Outside.Starts = false;
    EXPECT_FALSE(R.App->InstallPocketPC());
    EXPECT_EQ(R.Outside.Calls.size(), 1u);
}

TEST(PocketPCRoad, WithoutTheManagerTheUserUnpacksWhereTheyChoose)
{
    for (const char* Registered : {"", "\"\""}) {
        TRoadRig R(GameProps, GameFiles, {}, GameCabs);
        if (*Registered)
            R.Outside.AppPaths["CEAPPMGR.EXE"] = Registered;
        R.Model.View.Chosen = "E:\\By Hand";
        EXPECT_TRUE(R.App->InstallPocketPC());
        // The default directory, resolved and made, is where the chooser starts; unused, it goes.
        EXPECT_EQ(R.Messages(), (std::vector<std::string>{std::string("message ") + ManagerWarning,
                                                          "select Select Installation Directory at D:\\Games with new"}));
        EXPECT_EQ(R.Model.View.MessageTypes, std::vector<TInstallerMessage>{imWarning});
        EXPECT_FALSE(R.FS.DirectoryExists("D:\\Games"));
        EXPECT_EQ(R.FS.FileBytes("E:\\By Hand\\MyGame.ARM.CAB"), "arm");
        EXPECT_FALSE(R.FS.FileExists("E:\\By Hand\\MyGameDeluxeBrindloSoft.ini"));
        EXPECT_FALSE(R.FS.DirectoryExists(Staging));
        EXPECT_EQ(R.Outside.Calls, std::vector<std::string>{});
    }
    TRoadRig R(GameProps, GameFiles, {}, GameCabs);
    R.Model.View.Chosen = "D:\\Games\\Cards";
    EXPECT_TRUE(R.App->InstallPocketPC());
    EXPECT_EQ(R.FS.FileBytes("D:\\Games\\Cards\\MyGame.SH3.CAB"), "sh3");
}

TEST(PocketPCRoad, ACancelledChooserOrARefusedDirectoryInstallsNothing)
{
    {
        TRoadRig R(GameProps, GameFiles, {}, GameCabs);
        R.Model.Apps->Outside = nullptr; // no program at all
        EXPECT_FALSE(R.App->InstallPocketPC());
        EXPECT_EQ(R.Messages().size(), 2u);
        EXPECT_FALSE(R.FS.DirectoryExists("D:\\Games"));
    }
    {
        TRoadRig R(GameProps, GameFiles, {}, GameCabs);
        R.FS.SetDriveType('E', dtCDRom);
        R.Model.View.Chosen = "E:\\Disc";
        EXPECT_FALSE(R.App->InstallPocketPC());
        EXPECT_EQ(R.Messages().back(), "message Can not write to dir \n\rE:\\Disc");
        EXPECT_EQ(R.Model.View.MessageTypes.back(), imError);
        EXPECT_FALSE(R.FS.FileExists("E:\\Disc\\MyGame.ARM.CAB"));
    }
}

TEST(PocketPCRoad, ADamagedArchivePassesItsErrorOut)
{
    TRoadRig R(GameProps, GameFiles, {}, GameCabs);
    R.Outside.AppPaths["CEAPPMGR.EXE"] = "C:\\AS\\CEAPPMGR.EXE";
    R.FS.AddFile("C:\\Pkg\\Data\\app.ime", "no archive");
    EXPECT_ANY_THROW(R.App->InstallPocketPC());
    EXPECT_EQ(R.Outside.Calls, std::vector<std::string>{});
}

namespace {

const TPairs PalmProps = {{"App name", "Palm Game"}, {"CompName", "Co"}, {"DID", "0"}};
// As the build sorts them: the colour files in directories named after their group.
const TPairs PalmFiles = {{"game.prc", "game"},
                          {"colors 16\\a.prc", "16"},
                          {"colors 256\\a.prc", "256"},
                          {"colors 256\\b.prc", "256 b"},
                          {"data\\level.pdb", "level"}};
const TPairs PalmGroups = {{"c1", "colors 256|colors 256\\a.prc"},
                           {"c2", "colors 16|colors 16\\a.prc"},
                           {"c3", "colors 256|colors 256\\b.prc"}};

const char PalmTool[] = "C:\\Palm\\Instapp.exe";

// What the tool was handed, the pauses left out.
std::vector<std::string> Opened(const TFakeOutside& O)
{
    std::vector<std::string> V;
    for (const std::string& C : O.Calls)
        if (C.rfind("open ", 0) == 0)
            V.push_back(C);
    return V;
}

std::string Open(const std::string& Dir, const std::string& File)
{
    return std::string("open ") + PalmTool + " \"" + Dir + "\\" + File + "\"";
}

} // namespace

TEST(PalmRoad, HandsOverTheCommonFilesAndTheClickedGroupsQuotedInArchiveOrder)
{
    const std::string Dir = "C:\\Program Files\\Co\\Palm Game";
    const struct {
        const char* RowKey;
        std::vector<std::string> Files;
    } Cases[] = {
        {"colors 256", {"game.prc", "colors 256\\a.prc", "colors 256\\b.prc", "data\\level.pdb"}},
        {"colors 16", {"game.prc", "colors 16\\a.prc", "data\\level.pdb"}},
        {"", {"game.prc", "data\\level.pdb"}},
    };
    for (const auto& C : Cases) {
        TRoadRig R(PalmProps, PalmFiles, PalmGroups);
        R.Outside.Commands["prcFile open"] = std::string(PalmTool) + " %1";
        R.App->Command.RowKey = C.RowKey;
        EXPECT_TRUE(R.App->InstallPalm()) << C.RowKey;
        EXPECT_EQ(R.App->Command.Dir, Dir);
        std::vector<std::string> Expected;
        for (const std::string& F : C.Files)
            Expected.push_back(Open(Dir, F));
        EXPECT_EQ(Opened(R.Outside), Expected) << C.RowKey;
        // A pause after every file of the archive, handed over or not.
        EXPECT_EQ(R.Outside.Calls.size(), Expected.size() + PalmFiles.size());
        EXPECT_EQ(R.Outside.Calls.back(), "pause 100");
        EXPECT_EQ(R.FS.FileBytes(Dir + "\\colors 16\\a.prc"), "16");
        EXPECT_EQ(R.Messages(), std::vector<std::string>{});
    }
}

TEST(PalmRoad, TheToolIsTheRegisteredCommandBeforeItsPlaceholder)
{
    const struct {
        const char* Command;
        const char* Tool;
    } Cases[] = {
        {"C:\\Palm\\Instapp.exe %1", "C:\\Palm\\Instapp.exe"},
        {"\"C:\\Program Files\\Palm\\Instapp.exe\" \"%1\"", "C:\\Program Files\\Palm\\Instapp.exe"},
        {"C:\\Program Files\\Palm\\Instapp.exe \"%1\" %2", "C:\\Program Files\\Palm\\Instapp.exe"},
        {"\"C:\\Palm\\Instapp.exe\"", "C:\\Palm\\Instapp.exe"},
        {"C:\\Palm\\Instapp.exe", "C:\\Palm\\Instapp.exe"},
    };
    for (const auto& C : Cases) {
        TRoadRig R(PalmProps, {{"game.prc", "game"}});
        R.Outside.Commands["prcFile open"] = C.Command;
        EXPECT_TRUE(R.App->InstallPalm()) << C.Command;
        EXPECT_EQ(Opened(R.Outside),
                  std::vector<std::string>{std::string("open ") + C.Tool + " \"" + R.App->Command.Dir + "\\game.prc\""});
    }
}

TEST(PalmRoad, TheStagingDirectorysNamesDoNotDecideTheGroup)
{
    TRoadRig R({{"App name", "colors 16"}, {"DID", "0"}}, PalmFiles, PalmGroups);
    R.Outside.Commands["prcFile open"] = std::string(PalmTool) + " %1";
    R.App->Command.RowKey = "colors 256";
    EXPECT_TRUE(R.App->InstallPalm());
    const std::string Dir = "C:\\Program Files\\colors 16";
    EXPECT_EQ(Opened(R.Outside), (std::vector<std::string>{Open(Dir, "game.prc"), Open(Dir, "colors 256\\a.prc"),
                                                           Open(Dir, "colors 256\\b.prc"),
                                                           Open(Dir, "data\\level.pdb")}));
}

TEST(PalmRoad, ItFailsOnlyWhenNoFileWasTaken)
{
    const std::string Dir = "C:\\Program Files\\Co\\Palm Game";
    TRoadRig R(PalmProps, PalmFiles, PalmGroups);
    R.Outside.Commands["prcFile open"] = std::string(PalmTool) + " %1";
    R.Outside.Refused = {"\"" + Dir + "\\game.prc\""};
    EXPECT_TRUE(R.App->InstallPalm());
    R.Outside.Refused.insert("\"" + Dir + "\\data\\level.pdb\"");
    EXPECT_FALSE(R.App->InstallPalm()); // the plain row: both its files refused
    EXPECT_EQ(Opened(R.Outside).size(), 4u);
}

TEST(PalmRoad, WithoutTheToolTheUserUnpacksWhereTheyChoose)
{
    TRoadRig R(PalmProps, PalmFiles, PalmGroups);
    R.Model.View.Chosen = "E:\\Palm files";
    R.App->Command.RowKey = "colors 16";
    EXPECT_TRUE(R.App->InstallPalm());
    // The chooser starts at the Program Files folder, without a button for a new directory.
    EXPECT_EQ(R.Messages(), (std::vector<std::string>{std::string("message ") + PalmWarning,
                                                      "select Select Installation Directory at C:\\Program Files"}));
    EXPECT_EQ(R.Model.View.MessageTypes, std::vector<TInstallerMessage>{imWarning});
    EXPECT_EQ(R.FS.FileBytes("E:\\Palm files\\colors 256\\b.prc"), "256 b");
    EXPECT_EQ(R.Outside.Calls, std::vector<std::string>{});

    R.Model.View.Calls.clear();
    R.Model.View.Chosen.clear();
    EXPECT_FALSE(R.App->InstallPalm());
    EXPECT_EQ(R.Messages().size(), 2u);
}

TEST(PalmRoad, ARefusedStagingDirectoryIsReported)
{
    TRoadRig R(PalmProps, PalmFiles, PalmGroups);
    R.Outside.Commands["prcFile open"] = std::string(PalmTool) + " %1";
    R.Model.Apps->Folders = [](TSpecialFolder) { return std::string("\\\\server\\share"); };
    EXPECT_FALSE(R.App->InstallPalm());
    EXPECT_EQ(R.Messages(),
              std::vector<std::string>{"message Can not write to dir \n\r\\\\server\\share\\Co\\Palm Game"});
    EXPECT_EQ(R.Outside.Calls, std::vector<std::string>{});
}
