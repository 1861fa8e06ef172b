// Castbuild.exe as the publisher meets it: its own process, started from a program
// directory of its own (its "bx_env.dat" and "temp" lie there), driven from outside
// through the text report, posted clicks and the real keyboard.
#include "castbuild_driving.h"

#include "driver.h"
#include "hash.h"
#include "memory_stream.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

namespace {

std::string EnvText(const std::vector<THashPair>& Options)
{
    std::string S;
    for (const THashPair& P : Options)
        S += P.Key + "=" + P.Value + " ";
    return S;
}

class CastbuildProcess : public ::testing::Test {
protected:
    std::string Dir;
    std::string ProgramDir;
    void SetUp() override
    {
        Dir = ScratchDir();
        ProgramDir = InstallBuilderCopy(Dir);
    }
};

TEST_F(CastbuildProcess, ShowsTheSplashThenTheEmptyProject)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {}, "3000");
    const HWND Splash = WaitTopWindow(P.Id(), {"", "splash"});
    RECT Client;
    GetClientRect(Splash, &Client);
    EXPECT_EQ(Client.right, 640);
    EXPECT_EQ(Client.bottom, 480);
    const TScreenshot Shot = PhotographWindow(Splash, ScreenshotPath("castbuild_splash.png"));
    // The picture is drawn: its corners are the light tint, its name the dark one.
    EXPECT_NE(Shot.PixelRGB(5, 5), 0u);
    EXPECT_NE(Shot.PixelRGB(5, 5), Shot.PixelRGB(320, 185));

    const HWND Main = WaitMainWindow(P);
    // The splash never exists beside the main window.
    EXPECT_EQ(FindTopWindow(P.Id(), {"", "splash"}), nullptr);
    WaitItem(Main, {"TTreeNode", "0", "Installations"});
    const std::vector<TTextItem> Items = ReadTexts(Main);
    EXPECT_EQ(TreeTexts(Items), (std::vector<std::string>{"0=Installations"}));
    EXPECT_TRUE(ItemOf(Items, {"TTreeNode", "0"}).Focused); // selected
    EXPECT_TRUE(ItemOf(Items, {"CFxPropPage", "ppView"}).Visible);
    EXPECT_EQ(FindItem(Items, {"CFxPropPage", "ppItem"}), nullptr);
    EXPECT_TRUE(ItemOf(Items, {"CFxButton", "but_NewGroup"}).Enabled);
    EXPECT_TRUE(ItemOf(Items, {"CFxButton", "but_AppAdd"}).Enabled);
    EXPECT_FALSE(ItemOf(Items, {"CFxButton", "but_Delete"}).Enabled);
    for (const char* Name : {"butPreview", "butBuild"})
        EXPECT_TRUE(ItemOf(Items, {"CFxButton", Name}).Enabled) << Name;
    RECT R;
    GetClientRect(Main, &R);
    EXPECT_EQ(R.right, 800);
    EXPECT_EQ(R.bottom, 600);
    PhotographWindow(Main, ScreenshotPath("castbuild_start.png"));

    // Closing the unchanged project ends the program and writes its environment file.
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
    EXPECT_EQ(EnvText(ReadEnvOptions(ProgramDir)), "O_NADID=-1 O_PAB=1 O_VEL=1 ");
}

TEST_F(CastbuildProcess, AnUnreadableProjectOnTheCommandLineIsReportedAndNeverOverwritten)
{
    const std::string Bad = Dir + "\\broken project.bxp";
    const std::string Bytes = "This is no project file at all.\r\n";
    WriteWholeFile(Bad, Bytes);
    // The file-type registration's form: the name with its blank, unquoted.
    TDrivenProcess P = StartBuilder(ProgramDir, {Bad});
    std::vector<TTextItem> BoxItems;
    const HWND Box = WaitMessageBox(P, BoxItems);
    EXPECT_NE(ListItems(BoxItems).find("broken project.bxp"), std::string::npos) << ListItems(BoxItems);
    ClickItem(Box, ItemOf(BoxItems, {"", "", "Ok"}));
    const HWND Main = WaitMainWindow(P);

    // Not modified: Ctrl+S saves nothing.
    PressKeys(Main, {VK_CONTROL, 'S'});
    WaitPainted(Main);
    EXPECT_EQ(FindTopWindow(P.Id(), {"#32770"}), nullptr);
    // A change: Ctrl+S asks for a name, which the user refuses.
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_NewGroup"}));
    WaitItem(Main, {"TTreeNode", "0/0", "New Group"});
    PressKeys(Main, {VK_CONTROL, 'S'});
    const HWND Save = WaitTopWindow(P.Id(), {"#32770"});
    PostClose(Save);
    WaitWindowGone(Save);
    EXPECT_EQ(ReadWholeFile(Bad), Bytes);
    P.Kill();
    EXPECT_EQ(ReadWholeFile(Bad), Bytes);
}

} // namespace
