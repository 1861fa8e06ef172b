// The options window inside Castbuild.exe as the publisher meets it: opened from the
// main window's menu, and what its "Ok" stored written to "bx_env.dat" when the
// builder ends.
#include "castbuild_driving.h"

#include "project.h"
#include "file_system.h"

#include "driver.h"
#include "hash.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

bool Ticked(const TTextItem& Box)
{
    return SendMessageA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(Box.Window)), BM_GETCHECK, 0, 0) ==
           BST_CHECKED;
}

std::string EnvText(const std::vector<THashPair>& Options)
{
    std::string S;
    for (const THashPair& P : Options)
        S += P.Key + "=" + P.Value + " ";
    return S;
}

} // namespace

TEST(OptionsProcess, FromTheMenuOnGeneralAndOkReachesTheEnvironmentFileWhenTheBuilderEnds)
{
    const std::string ProgramDir = InstallBuilderCopy(ScratchDir());
    THash Stored(true);
    Stored.Add("O_NADID", "1");
    Stored.Add("O_PAB", "0");
    Stored.Add("O_VEL", "1");
    WriteEnvOptions(ProgramDir, Stored);
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);

    // Tools, the third menu of the bar, and its one item.
    for (WORD Key : {WORD(VK_F10), WORD(VK_RIGHT), WORD(VK_RIGHT), WORD(VK_DOWN), WORD(VK_RETURN)})
        PressKeys(Main, {Key});
    const HWND Options = WaitTopWindow(P.Id(), {"", "Options"});
    WaitItem(Options, {"TCheckBox", "cb1"});
    EXPECT_EQ(FindTopWindow(P.Id(), {"", "Brindlo"}), nullptr) << "a message box came first";
    std::vector<TTextItem> Items = ReadTexts(Options);
    EXPECT_NE(FindItem(Items, {"TTabSheet", "TabSheet1", "General :"}), nullptr) << ListItems(Items);
    EXPECT_EQ(FindItem(Items, {"TTabSheet", "TabSheet3"}), nullptr);
    for (const char* Tab : {"General :", "External Archivers", "Cab Maker :"})
        EXPECT_NE(FindItem(Items, {"Tab", "", Tab}), nullptr) << Tab;
    EXPECT_FALSE(Ticked(ItemOf(Items, {"TCheckBox", "cb1", "Preview after build"})));
    EXPECT_TRUE(Ticked(ItemOf(Items, {"TCheckBox", "cb5", "View error logs after build"})));
    EXPECT_TRUE(Ticked(ItemOf(Items, {"TCheckBox", "cb2", "Auto-select last destination platform"})));

    ClickItem(Options, ItemOf(Items, {"TCheckBox", "cb1"}));
    ClickItem(Options, ItemOf(Items, {"CFxButton", "butOk", "Ok"}));
    WaitWindowGone(Options);
    // Stored in the project object only: the file changes when the builder ends.
    EXPECT_EQ(EnvText(ReadEnvOptions(ProgramDir)), "O_NADID=1 O_PAB=0 O_VEL=1 ");

    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
    // The active auto-select kept its platform; only the ticked box changed.
    EXPECT_EQ(EnvText(ReadEnvOptions(ProgramDir)), "O_NADID=1 O_PAB=1 O_VEL=1 ");
}

TEST(OptionsProcess, APocketPCBuildWithoutToolsWarnsThenOpensTheCabMakerPage)
{
    const std::string Dir = ScratchDir();
    const std::string ProgramDir = InstallBuilderCopy(Dir);
    const std::string Source = Dir + "\\game", Package = Dir + "\\package";
    const std::string ProjectFile = Dir + "\\pocket.bxp";
    LocalFileSystem().ForceDirectories(Source);
    LocalFileSystem().ForceDirectories(Package);
    WriteWholeFile(Source + "\\game.exe", "game");
    {
        LocalFileSystem().ForceDirectories(Dir + "\\maker");
        TBuilderServices S = DefaultBuilderServices();
        S.ProgramFileName = Dir + "\\maker\\Castbuild.exe";
        THash Paths(true);
        CCastamer Maker(S, Paths);
        ASSERT_TRUE(Maker.Ready);
        CCst_App* App = Maker.AddApp();
        App->Props.Add("App name", "Game");
        App->Props.Add("DID", "1");
        App->Props.Add("InDir", Source);
        App->Props.Add("OutFN", "game.ime");
        App->SetIsCC("true");
        Maker.ProjectOptions.Add("O_OutDir", Package);
        ASSERT_TRUE(Maker.SaveProject(ProjectFile));
    }
    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "pocket.bxp");
    PressKeys(Main, {VK_CONTROL, 'B'});
    const HWND Chooser = WaitTopWindow(P.Id(), {"", "Select Build Directory"});
    ClickItem(Chooser, WaitItem(Chooser, {"CFxButton", "", "Select"}));

    std::vector<TTextItem> Box;
    HWND Warning = WaitMessageBox(P, Box);
    EXPECT_EQ(ItemOf(Box, {"TLabel", "TextLabel"}).Text, "External cab meke files must be selected");
    EXPECT_EQ(FindTopWindow(P.Id(), {"", "Options"}), nullptr);
    ClickItem(Warning, ItemOf(Box, {"", "", "Ok"}));
    const HWND Options = WaitTopWindow(P.Id(), {"", "Options"});
    WaitItem(Options, {"TTabSheet", "TabSheet3", "Cab Maker :"});
    const std::vector<TTextItem> Items = ReadTexts(Options);
    EXPECT_EQ(FindItem(Items, {"TTabSheet", "TabSheet1"}), nullptr);
    for (const char* Edit : {"eCabwizexe", "ecabwizddf", "eMakecab"})
        EXPECT_EQ(ItemOf(Items, {"CFxEdit", Edit}).Text, "") << Edit;
    ClickItem(Options, ItemOf(Items, {"CFxButton", "butCancel", "Cancel"}));
    WaitWindowGone(Options);

    // Without its tools the installation cannot be built.
    Warning = WaitMessageBox(P, Box);
    EXPECT_EQ(ItemOf(Box, {"TLabel", "TextLabel"}).Text, "Installation Package not built.");
    ClickItem(Warning, ItemOf(Box, {"", "", "Ok"}));
    WaitWindowGone(Warning);
    // The build noted its directory in the project, which closing asks about.
    PostClose(Main);
    const HWND Unsaved = WaitMessageBox(P, Box);
    ClickItem(Unsaved, ItemOf(Box, {"", "", "Yes"}));
    EXPECT_EQ(P.WaitExit(), 0u);
    EXPECT_EQ(EnvText(ReadEnvOptions(ProgramDir)), "O_NADID=-1 O_PAB=1 O_VEL=1 ");
}
