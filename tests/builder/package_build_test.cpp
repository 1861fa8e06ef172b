#include "builder_fakes.h"
#include "package_reader.h"

#include "exceptions.h"
#include "path_and_dir_helpers.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string Installer = "installer stand-in";
const std::string Uninstaller = "uninstaller stand-in";
const std::string WrongSizeIcon = MakeBmp(3, 2, 9999);

class PackageBuild : public TBuilderTest {
protected:
    std::unique_ptr<CCastamer> B;
    CCst_App* Editor = nullptr;
    CCst_App* Palm = nullptr;
    CCst_App* Orphan = nullptr;

    void SetUp() override
    {
        TBuilderTest::SetUp();
        FS.AddFile("C:\\Brindlo\\Install.exe", Installer);
        FS.AddFile("C:\\Brindlo\\Castremove.exe", Uninstaller);
        B = MakeBuilder();
    }

    CCst_App* AddApp(const std::string& Name, const std::string& DID, const std::string& Group,
                     const std::string& Source)
    {
        CCst_App* A = B->AddApp();
        A->Props.Add("App name", Name);
        A->Props.Add("DID", DID);
        A->SetGroupID(Group);
        A->Props.Add("InDir", Source);
        return A;
    }

    // Groups (one disabled, one whose icon is missing), a PC installation with a
    // nested tree and shortcuts, a hidden one, a Palm OS one with colour files of
    // one name, and one in no group with no platform.
    void MakeProject()
    {
        FS.AddFile("C:\\Art\\tools.bmp", "tools icon");
        FS.AddFile("C:\\Art\\hidden.bmp", "hidden icon");
        FS.AddFile("C:\\Art\\root.bmp", "root icon");
        FS.AddFile("C:\\Art\\bg.jpg", "background");
        FS.AddFile("C:\\Art\\editor.bmp", WrongSizeIcon);
        FS.AddFile("C:\\Art\\shot.bmp", MakeBmp(5, 4));
        FS.AddFile("C:\\Art\\bw\\a.prc", "two colours");
        FS.AddFile("C:\\Art\\color\\a.prc", "256 colours");
        B->Groups.Add("g1", "Tools|C:\\Art\\tools.bmp|true");
        B->Groups.Add("g2", "Hidden|C:\\Art\\hidden.bmp|false");
        B->Groups.Add("g3", "Games|C:\\Art\\missing.bmp|true");
        B->Groups.Add("RootGID", "All|C:\\Art\\root.bmp");
        B->Settings.Add("Wnd_Image_Bg", "C:\\Art\\bg.jpg");
        B->Settings.Add("RootGID", "All|"); // after "APPs"

        FS.AddFile("C:\\Src\\Editor\\readme.txt", "read me");
        FS.AddFile("C:\\Src\\Editor\\empty.dat", "");
        FS.AddFile("C:\\Src\\Editor\\bin\\tool.exe", "tool");
        FS.AddFile("C:\\Src\\Editor\\deep\\a\\b\\c.txt", "deep");
        FS.ForceDirectories("C:\\Src\\Editor\\cache");
        FS.AddFile("C:\\Src\\Editor2\\x.exe", "sibling");
        Editor = AddApp("Editor", "2", "g1", "C:\\Src\\Editor");
        Editor->Props.Add("OutFN", "editor.ime");
        Editor->Props.Add("App icon", "C:\\Art\\editor.bmp");
        Editor->Props.Add("ScreenShot", "C:\\Art\\shot.bmp");
        Editor->Shortcuts.Add("s1", "Tool|SCut to file|c:\\src\\EDITOR\\bin\\tool.exe|Desktop|Editor");
        Editor->Shortcuts.Add("s2", "Other|SCut to file|C:\\Src\\Editor2\\x.exe|Desktop|");
        Editor->Shortcuts.Add("s3", "Remove|SCut to uninstall||Program files|Editor");
        Editor->Shortcuts.Add("s4", "Gone|SCut to file|C:\\Src\\Editor\\gone.exe|Desktop|");

        // Not exported, so its archive name may repeat the editor's.
        CCst_App* Hidden = AddApp("Hidden", "2", "g2", "C:\\Src\\Hidden");
        Hidden->Props.Add("OutFN", "EDITOR.ime");

        FS.AddFile("C:\\Src\\Palm\\game.prc", "game");
        FS.AddFile("C:\\Src\\Palm\\data\\level.pdb", "level");
        Palm = AddApp("Palm game", "0", "RootGID", "C:\\Src\\Palm");
        Palm->Props.Add("OutFN", "palm.ime");
        Palm->Props.Add("App icon", "C:\\Art\\none.bmp");
        Palm->CDFiles.Add("c1", "colors 2|C:\\Art\\bw\\a.prc");
        Palm->CDFiles.Add("c2", "colors 256|C:\\Art\\color\\a.prc");
        Palm->CDFiles.Add("c3", "colors 16|C:\\Art\\missing.prc");

        Orphan = AddApp("Orphan", "-1", "no such group", "");
    }

    // The calls with the archives' own percentages, which depend on the trees,
    // folded into one line after checking them.
    std::vector<std::string> FoldedCalls() const
    {
        std::vector<std::string> V;
        bool InArchives = false;
        for (const std::string& C : UI.Calls) {
            if (C == "step 60") {
                InArchives = true;
            } else if (InArchives && C != "step 80" && C.rfind("step ", 0) == 0) {
                const int P = std::stoi(C.substr(5));
                EXPECT_TRUE(P >= 0 && P <= 100) << C;
                if (V.back() != "archive steps")
                    V.push_back("archive steps");
                continue;
            } else {
                InArchives = false;
            }
            V.push_back(C);
        }
        return V;
    }
};

} // namespace

TEST_F(PackageBuild, FixtureProjectBecomesAPackage)
{
    MakeProject();
    UI.DirAnswer = "D:\\Package";
    ASSERT_TRUE(BuildAndRunInstaller(*B, TBuildMode::Build));

    EXPECT_EQ(FoldedCalls(),
              (std::vector<std::string>{"select Select Build Directory at C:\\Brindlo\\ new", "repaint",
                                        "begin Building Project...", "step 20", "step 40", "step 60",
                                        "archive steps", "step 80", "step 90", "step 100", "end",
                                        "message Installation Package built in \n\rD:\\Package"}));
    EXPECT_EQ(UI.MessageTypes.back(), IBuilderUI::mtInformation);
    EXPECT_EQ(Started, (std::vector<std::string>{"D:\\Package\\Install.exe|"}));
    EXPECT_EQ(B->ProjectOptions.Lookup("O_OutDir"), "D:\\Package");
    EXPECT_TRUE(B->Modified);

    CDataBag Bag;
    LoadPackage(Bag, "D:\\Package\\view.inst", FS);
    EXPECT_EQ(BagKeys(Bag), (std::vector<std::int32_t>{10000, 10002, 3, 1, 100000, 100001, 100002, 5}));
    for (const auto& [Key, Bytes] : {std::pair<std::int32_t, std::string>{10000, "tools icon"},
                                     {10002, "root icon"}, {1, "background"}}) {
        TMemoryStream S;
        ASSERT_EQ(Bag.GetStream(S, Key, true), brDone);
        EXPECT_EQ(S.Bytes(), Bytes) << Key;
    }
    EXPECT_EQ(TableEntries(Bag, 3), (std::vector<std::string>{"g1=Tools", "g3=Games", "RootGID=All"}));
    std::vector<std::string> Settings = Entries(B->Settings);
    Settings[Settings.size() - 2] = "APPs=3";
    EXPECT_EQ(TableEntries(Bag, 5), Settings);

    TPackageRecord E;
    ReadAppRecord(Bag, 100000, E);
    EXPECT_EQ(E.Extra.Count(), 0);
    // "InDir" goes, and the last key takes its place.
    EXPECT_EQ(Keys(E.Props),
              (std::vector<std::string>{"App name", "CompName", "BDate", "BVersion", "Describe", "Desc Top",
                                        "Desc Left", "GroupID", "Web Link", "ScreenShot", "SShot Left", "SShot Top",
                                        "App icon", "DID", "Licenze", "OutFN", "Font color", "DefInstDir",
                                        "AddUinstSC", "ShowInfo"}));
    EXPECT_EQ(E.Props.Lookup("App icon"), "C:\\Art\\editor.bmp");
    EXPECT_EQ(E.Props.Lookup("OutFN"), "editor.ime");
    EXPECT_EQ(Entries(E.Shortcuts), (std::vector<std::string>{"s1=Tool|SCut to file|\\bin\\tool.exe|Desktop|Editor",
                                                              "s3=Remove|SCut to uninstall||Program files|Editor"}));
    EXPECT_EQ(E.PalmGroups.Count(), 0);
    EXPECT_EQ(Entries(E.PocketPC), Entries(Editor->PocketPC));
    ASSERT_TRUE(E.HasIcon && E.HasShot);
    TBmpImage Source;
    TMemoryStream IconFile(WrongSizeIcon);
    Source.LoadFromStream(IconFile);
    // Re-encoded: the same pixels, with an image size that counts them (two rows of 12).
    std::string Expected = Source.Dib();
    Expected[20] = 24;
    EXPECT_EQ(E.Icon.Dib(), Expected);
    EXPECT_EQ(E.Shot.Width(), 5);
    EXPECT_EQ(E.Shot.Height(), 4);

    TPackageRecord P;
    ReadAppRecord(Bag, 100001, P);
    EXPECT_EQ(P.Props.Lookup("App name"), "Palm game");
    EXPECT_EQ(P.Props.IndexOfKey("App icon"), -1);
    EXPECT_EQ(P.Props.IndexOfKey("ScreenShot"), -1);
    EXPECT_EQ(P.Props.IndexOfKey("InDir"), -1);
    EXPECT_EQ(P.Props.Count(), 18);
    EXPECT_FALSE(P.HasIcon || P.HasShot);
    EXPECT_EQ(Entries(P.PalmGroups),
              (std::vector<std::string>{"c1=colors 2|colors 2\\a.prc", "c2=colors 256|colors 256\\a.prc"}));

    TPackageRecord O;
    ReadAppRecord(Bag, 100002, O);
    EXPECT_EQ(O.Props.Lookup("App name"), "Orphan");
    EXPECT_EQ(O.Shortcuts.Count(), 0);

    // Each archive unpacks to its source tree; the Palm OS one with the colour
    // files beside it, staged in a temporary directory that is empty again.
    CArchive_BZip(nullptr, FS).Unpack("D:\\Package\\Data\\editor.ime", "E:\\Editor");
    EXPECT_EQ(TreeBelow(FS, "E:\\Editor"), TreeBelow(FS, "C:\\Src\\Editor"));
    EXPECT_EQ(ArchiveFiles("D:\\Package\\Data\\editor.ime", FS),
              (std::vector<std::string>{"\\bin\\tool.exe", "\\deep\\a\\b\\c.txt", "empty.dat", "readme.txt"}));
    CArchive_BZip(nullptr, FS).Unpack("D:\\Package\\Data\\palm.ime", "E:\\Palm");
    EXPECT_EQ(TreeBelow(FS, "E:\\Palm"),
              (std::vector<std::string>{"\\colors 256\\", "\\colors 256\\a.prc=256 colours", "\\colors 2\\",
                                        "\\colors 2\\a.prc=two colours", "\\data\\", "\\data\\level.pdb=level",
                                        "\\game.prc=game"}));
    EXPECT_TRUE(FS.ListDirectory("C:\\Brindlo\\temp").empty());

    EXPECT_EQ(TreeBelow(FS, "D:\\Package").size(), 6u); // Data\, three files in it, two beside
    EXPECT_EQ(FS.FileBytes("D:\\Package\\Install.exe"), Installer);
    EXPECT_EQ(FS.FileBytes("D:\\Package\\Data\\Castremove.exe"), Uninstaller);
}

TEST_F(PackageBuild, AReadOnlyFileOfOnePalmInstallationStaysOutOfTheNextOnesArchive)
{
    FS.AddFile("C:\\Src\\First\\first.prc", "first");
    FS.AddFile("C:\\Src\\First\\locked.pdb", "read-only data");
    FS.SetAttributes("C:\\Src\\First\\locked.pdb", faReadOnly);
    FS.AddFile("C:\\Src\\Second\\second.prc", "second");
    AddApp("First", "0", "", "C:\\Src\\First")->Props.Add("OutFN", "first.ime");
    AddApp("Second", "0", "", "C:\\Src\\Second")->Props.Add("OutFN", "second.ime");
    UI.DirAnswer = "D:\\Package";
    ASSERT_TRUE(B->Build(TBuildMode::Build));

    // The staged copy keeps the attribute; the clean-up between the two must still remove it.
    EXPECT_EQ(ArchiveFiles("D:\\Package\\Data\\first.ime", FS),
              (std::vector<std::string>{"first.prc", "locked.pdb"}));
    EXPECT_EQ(ArchiveFiles("D:\\Package\\Data\\second.ime", FS), (std::vector<std::string>{"second.prc"}));
    EXPECT_TRUE(FS.ListDirectory("C:\\Brindlo\\temp").empty());
    EXPECT_EQ(FS.FileBytes("C:\\Src\\First\\locked.pdb"), "read-only data");
}

TEST_F(PackageBuild, ATemporaryDirectoryThatCannotBeEmptiedFailsThePalmExport)
{
    FS.AddFile("C:\\Src\\Palm\\game.prc", "game");
    AddApp("Palm game", "0", "", "C:\\Src\\Palm")->Props.Add("OutFN", "palm.ime");
    FS.AddFile("C:\\Brindlo\\temp\\stuck\\old.prc", "left from before");
    FS.SetUnreadable("C:\\Brindlo\\temp\\stuck");
    UI.DirAnswer = "D:\\Package";
    EXPECT_FALSE(B->Build(TBuildMode::Build));
    EXPECT_EQ(UI.Calls[UI.Calls.size() - 2], "message Installation Package not built.");
    EXPECT_FALSE(FS.FileExists("D:\\Package\\Data\\palm.ime"));
}

TEST_F(PackageBuild, ASourceDirectoryThatCannotBeListedFailsTheExport)
{
    FS.AddFile("C:\\Src\\Editor\\a.txt", "a");
    FS.AddFile("C:\\Src\\Editor\\sealed\\b.txt", "b");
    FS.SetUnreadable("C:\\Src\\Editor\\sealed");
    FS.AddFile("C:\\Src\\Palm\\game.prc", "game");
    FS.AddFile("C:\\Src\\Palm\\sealed\\level.pdb", "level");
    FS.SetUnreadable("C:\\Src\\Palm\\sealed");
    CCst_App* PC = AddApp("Editor", "2", "", "C:\\Src\\Editor");
    PC->Props.Add("OutFN", "editor.ime");
    CCst_App* Palm = AddApp("Palm game", "0", "", "C:\\Src\\Palm");
    Palm->Props.Add("OutFN", "palm.ime");
    UI.DirAnswer = "D:\\Package";
    for (CCst_App* Sealed : {PC, Palm}) {
        CCst_App* Other = Sealed == PC ? Palm : PC;
        Other->Props.Add("DID", "-1");
        Sealed->Props.Add("DID", Sealed == PC ? "2" : "0");
        UI.Calls.clear();
        EXPECT_FALSE(B->Build(TBuildMode::Build)) << Sealed->GetAppName();
        EXPECT_EQ(UI.Calls[UI.Calls.size() - 2], "message Installation Package not built.");
        EXPECT_FALSE(FS.FileExists("D:\\Package\\view.inst"));
        EXPECT_TRUE(FS.ListDirectory("C:\\Brindlo\\temp").empty());
    }
}

TEST_F(PackageBuild, BuildDirectoryRefusals)
{
    FS.AddFile("C:\\Src\\Editor\\a.txt", "a");
    AddApp("Editor", "2", "", "C:\\Src\\Editor");
    AddApp("Unused", "-1", "off", "D:\\Other"); // refuses though it is not exported
    B->Groups.Add("off", "Off||false");
    FS.SetDriveType('E', dtCDRom);
    FS.SetDriveType('N', dtRemote);
    FS.SetDriveType('R', dtRamDisk);
    // A file in the way: the directory cannot be made.
    FS.AddFile("F:\\Blocked", "x");
    const std::string InSource = "Build directory must be different than Source directory and\n\r its "
                                 "subdirectories. Please choose a different Build directory.";
    const std::string Unusable = "Build directory must be a full path on a local disk, not on a network drive,\n\r"
                                 " a CD-ROM, a RAM disk or drive A:\n\r";
    const std::string NotMade = "Build directory can not be created:\n\r";
    struct TCase {
        std::string Dir;
        bool Built;
        std::string Says; // after the chooser; empty: nothing
    };
    const TCase Cases[] = {
        {"c:\\src\\EDITOR\\out", false, InSource},
        {"C:\\Src\\Editor", false, InSource},
        {"C:\\Src\\Editor2", false, InSource}, // only shares the prefix: still refused
        {"D:\\Other\\x", false, InSource},
        {"C:\\Brindlo\\temp", false, InSource},
        {"c:\\brindlo\\TEMP\\pkg", false, InSource},
        {"a:\\pkg", false, Unusable + "a:\\pkg"},
        {"E:\\pkg", false, Unusable + "E:\\pkg"},
        {"N:\\pkg", false, Unusable + "N:\\pkg"},
        {"R:\\pkg", false, Unusable + "R:\\pkg"},
        {"\\\\server\\share\\pkg", false, Unusable + "\\\\server\\share\\pkg"},
        {"\\projects\\pkg", false, Unusable + "\\projects\\pkg"},
        {"pkg", false, Unusable + "pkg"},
        {"F:\\Blocked\\pkg", false, NotMade + "F:\\Blocked\\pkg"},
        {"C:\\Brindlo\\temporary", true, ""},
        {"C:\\Src", true, ""},
        {"F:\\Package", true, ""},
    };
    for (const TCase& C : Cases) {
        UI.Calls.clear();
        UI.DirAnswer = C.Dir;
        const bool Existed = FS.DirectoryExists(C.Dir);
        EXPECT_EQ(B->Build(TBuildMode::Build), C.Built) << C.Dir;
        EXPECT_EQ(FS.DirectoryExists(C.Dir), Existed || C.Built) << C.Dir;
        EXPECT_EQ(FS.FileExists(JoinPath(C.Dir, "view.inst")), C.Built) << C.Dir;
        if (C.Built)
            continue;
        // A refused directory is never passed over in silence.
        ASSERT_EQ(UI.Calls.size(), 2u) << C.Dir;
        EXPECT_EQ(UI.Calls[1], "message " + C.Says) << C.Dir;
        EXPECT_EQ(UI.MessageTypes.back(), IBuilderUI::mtError) << C.Dir;
    }
    // Cancelled: nothing else happens.
    UI.Calls.clear();
    UI.DirAnswer.clear();
    EXPECT_FALSE(B->Build(TBuildMode::Build));
    EXPECT_EQ(UI.Calls, (std::vector<std::string>{"select Select Build Directory at F:\\Package new"}));

    // Without source directories the same place is accepted.
    for (const auto& A : B->Apps()) {
        A->Props.Add("InDir", "");
        A->Props.Add("DID", "-1");
    }
    UI.DirAnswer = "C:\\Src\\Editor\\out";
    EXPECT_TRUE(B->Build(TBuildMode::Build));
}

TEST_F(PackageBuild, SourceInsideTheTemporaryDirectoryIsRefusedBeforeAnythingIsEmptied)
{
    FS.AddFile("C:\\Brindlo\\temp\\work\\precious.txt", "keep");
    AddApp("Staged", "0", "", "C:\\Brindlo\\TEMP\\work");
    UI.DirAnswer = "D:\\Package";
    for (TBuildMode Mode : {TBuildMode::Build, TBuildMode::Preview}) {
        UI.Calls.clear();
        EXPECT_FALSE(BuildAndRunInstaller(*B, Mode));
        EXPECT_EQ(UI.Calls.back().rfind("message Build directory must be different", 0), 0u) << int(Mode);
    }
    EXPECT_EQ(FS.FileBytes("C:\\Brindlo\\temp\\work\\precious.txt"), "keep");
    EXPECT_FALSE(FS.DirectoryExists("D:\\Package"));
    EXPECT_TRUE(Started.empty());
}

TEST_F(PackageBuild, FailedBuildKeepsTheEarlierPackageDescription)
{
    FS.AddFile("C:\\Src\\Editor\\a.txt", "a");
    CCst_App* First = AddApp("Editor", "2", "", "C:\\Src\\Editor");
    First->Props.Add("OutFN", "first.ime");
    UI.DirAnswer = "D:\\Package";
    ASSERT_TRUE(B->Build(TBuildMode::Build));
    const std::string Earlier = FS.FileBytes("D:\\Package\\view.inst");

    struct TCase {
        const char* What;
        std::function<void(CCst_App&)> Make;
    };
    const TCase Cases[] = {
        {"PC without a source directory", [](CCst_App&) {}},
        {"PC whose source directory is gone", [](CCst_App& A) { A.Props.Add("InDir", "C:\\Src\\Gone"); }},
        {"Pocket PC", [](CCst_App& A) { A.Props.Add("DID", "1"); }},
        {"platform that is no number",
         [](CCst_App& A) {
             A.Props.Add("DID", "two");
             A.Props.Add("InDir", "C:\\Src\\Editor");
         }},
        {"icon that is no bitmap",
         [this](CCst_App& A) {
             FS.AddFile("C:\\Art\\text.bmp", "not a bitmap");
             A.Props.Add("DID", "-1");
             A.Props.Add("App icon", "C:\\Art\\text.bmp");
         }},
        {"archive name of another installation",
         [](CCst_App& A) {
             A.Props.Add("InDir", "C:\\Src\\Editor");
             A.Props.Add("OutFN", "FIRST.ime");
         }},
        {"archive name leading out of Data",
         [](CCst_App& A) {
             A.Props.Add("InDir", "C:\\Src\\Editor");
             A.Props.Add("OutFN", "..\\view.inst");
         }},
        {"Palm OS file that cannot be staged",
         [this](CCst_App& A) {
             FS.AddFile("C:\\Src\\Palm\\colors 2", "a file where the depth's directory goes");
             FS.AddFile("C:\\Art\\a.prc", "prc");
             A.Props.Add("DID", "0");
             A.Props.Add("InDir", "C:\\Src\\Palm");
             A.CDFiles.Add("c1", "colors 2|C:\\Art\\a.prc");
         }},
    };
    for (const TCase& C : Cases) {
        CCst_App* Failing = AddApp("Failing", "2", "", "");
        C.Make(*Failing);
        UI.Calls.clear();
        EXPECT_FALSE(BuildAndRunInstaller(*B, TBuildMode::Build)) << C.What;
        ASSERT_GE(UI.Calls.size(), 2u);
        EXPECT_EQ(UI.Calls[UI.Calls.size() - 2], "message Installation Package not built.") << C.What;
        EXPECT_EQ(UI.Calls.back(), "end") << C.What;
        EXPECT_EQ(UI.MessageTypes.back(), IBuilderUI::mtError);
        EXPECT_EQ(FS.FileBytes("D:\\Package\\view.inst"), Earlier) << C.What;
        EXPECT_TRUE(FS.ListDirectory("C:\\Brindlo\\temp").empty()) << C.What;
        B->DeleteApp(Failing);
    }
    EXPECT_TRUE(Started.empty());
    EXPECT_FALSE(FS.FileExists("D:\\view.inst"));
}

TEST_F(PackageBuild, MissingInstallerFailsTheBuildAndAMissingUninstallerDoesNot)
{
    AddApp("Nothing to pack", "-1", "", "");
    AddApp("Hidden PC", "2", "off", "");
    B->Groups.Add("off", "Off||false");
    FS.EraseFile("C:\\Brindlo\\Castremove.exe");
    UI.DirAnswer = "D:\\Package";
    EXPECT_TRUE(B->Build(TBuildMode::Build));
    EXPECT_TRUE(FS.DirectoryExists("D:\\Package\\Data")); // for the uninstaller of the hidden PC installation
    EXPECT_FALSE(FS.FileExists("D:\\Package\\Data\\Castremove.exe"));

    // Copied over the earlier one, which stays when the copy fails.
    FS.EraseFile("C:\\Brindlo\\Install.exe");
    UI.Calls.clear();
    EXPECT_FALSE(BuildAndRunInstaller(*B, TBuildMode::Build));
    EXPECT_EQ(UI.Calls[UI.Calls.size() - 2], "message Installation Package not built.");
    EXPECT_EQ(UI.Calls.back(), "end");
    EXPECT_EQ(FS.FileBytes("D:\\Package\\Install.exe"), Installer);
    EXPECT_TRUE(Started.empty());

    // Into the builder's own directory the program is not copied onto itself, but
    // it must be there.
    UI.DirAnswer = "C:\\Brindlo";
    EXPECT_FALSE(B->Build(TBuildMode::Build));
    FS.AddFile("C:\\Brindlo\\Install.exe", Installer);
    EXPECT_TRUE(B->Build(TBuildMode::Build));
    EXPECT_EQ(FS.FileBytes("C:\\Brindlo\\Install.exe"), Installer);
}

TEST_F(PackageBuild, FailuresOutsideTheInstallationsPassThrough)
{
    FS.ForceDirectories("D:\\Package\\view.inst"); // cannot be written
    UI.DirAnswer = "D:\\Package";
    EXPECT_THROW(B->Build(TBuildMode::Build), std::exception);
    EXPECT_EQ(UI.Calls.back(), "end");
    EXPECT_EQ(UI.MessageTypes.size(), 0u);
}

TEST_F(PackageBuild, ProjectWithoutExportedGroupsWritesNoNamesRecord)
{
    B->Groups.Add("g1", "Off|C:\\Art\\tools.bmp|false");
    UI.DirAnswer = "D:\\Package";
    ASSERT_TRUE(B->Build(TBuildMode::Build));
    CDataBag Bag;
    LoadPackage(Bag, "D:\\Package\\view.inst", FS);
    EXPECT_EQ(BagKeys(Bag), (std::vector<std::int32_t>{5}));
    const std::vector<std::string> Settings = TableEntries(Bag, 5);
    EXPECT_EQ(Settings.back(), "APPs=0");
    EXPECT_FALSE(FS.DirectoryExists("D:\\Package\\Data")); // no PC installation
}

TEST_F(PackageBuild, PreviewRefillsTheTemporaryDirectoryAndStartsItsInstaller)
{
    MakeProject();
    FS.AddFile("C:\\Brindlo\\temp\\old\\stale.txt", "stale");
    B->SetRunAfterBuild(false); // Preview starts it all the same
    ASSERT_TRUE(BuildAndRunInstaller(*B, TBuildMode::Preview));

    EXPECT_EQ(UI.Calls, (std::vector<std::string>{"begin Building Project...", "step 20", "step 40", "step 60",
                                                 "step 80", "step 90", "step 100", "end"}));
    EXPECT_EQ(Started, (std::vector<std::string>{"C:\\Brindlo\\temp\\Install.exe|"}));
    EXPECT_EQ(TreeBelow(FS, "C:\\Brindlo\\temp").size(), 2u);
    EXPECT_EQ(FS.FileBytes("C:\\Brindlo\\temp\\Install.exe"), Installer);
    EXPECT_FALSE(FS.DirectoryExists("D:\\Package"));
    EXPECT_EQ(B->ProjectOptions.Lookup("O_OutDir"), "");

    CDataBag Bag;
    LoadPackage(Bag, "C:\\Brindlo\\temp\\view.inst", FS);
    EXPECT_EQ(BagKeys(Bag), (std::vector<std::int32_t>{10000, 10002, 3, 1, 100000, 100001, 100002, 5}));
    for (std::int32_t K : {100000, 100001}) {
        TPackageRecord R;
        ReadAppRecord(Bag, K, R);
        EXPECT_EQ(R.Props.IndexOfKey("OutFN"), -1) << K;
        EXPECT_EQ(R.PalmGroups.Count(), 0) << K;
    }
    TPackageRecord E;
    ReadAppRecord(Bag, 100000, E);
    EXPECT_EQ(E.Shortcuts.Count(), 2);
    EXPECT_TRUE(E.HasIcon);

    // After a Build the option decides.
    UI.DirAnswer = "D:\\Package";
    Started.clear();
    ASSERT_TRUE(BuildAndRunInstaller(*B, TBuildMode::Build));
    EXPECT_TRUE(Started.empty());
    B->SetRunAfterBuild(true);
    UI.Calls.clear();
    ASSERT_TRUE(BuildAndRunInstaller(*B, TBuildMode::Build));
    EXPECT_EQ(Started, (std::vector<std::string>{"D:\\Package\\Install.exe|"}));
    EXPECT_EQ(UI.Calls[0], "select Select Build Directory at D:\\Package new"); // the last directory
}
