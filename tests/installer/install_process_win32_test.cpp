// Install.exe as the user meets it: its own process in a package made by our own
// package build, driven from outside: its rows read through the text report, clicks
// posted, its messages answered, its exit awaited, its window photographed.
#include "installer_gui_support.h"

#include "driver.h"

#include <algorithm>

namespace {

std::vector<TTextItem> Rows(const std::vector<TTextItem>& Items)
{
    std::vector<TTextItem> R;
    for (const TTextItem& I : Items)
        if (I.Kind == "CFxListItem" && I.Visible)
            R.push_back(I);
    return R;
}

std::vector<std::string> RowTexts(const std::vector<TTextItem>& Items)
{
    std::vector<std::string> V;
    for (const TTextItem& I : Rows(Items))
        V.push_back(I.Text);
    return V;
}

TDrivenProcess StartInstaller(const std::string& Package)
{
    return TDrivenProcess::Start({Package + "\\Install.exe", {}, Package, {}, ""});
}

// Every file below Dir, so a test can tell that nothing was written.
std::vector<std::string> FilesBelow(const std::string& Dir)
{
    THash Dirs(false), Files(false);
    ScanDirTree(Dir, "*.*", Dirs, Files);
    std::vector<std::string> V;
    for (const THashPair& P : Files.Pairs())
        V.push_back(P.Key + "|" + P.Value);
    std::sort(V.begin(), V.end());
    return V;
}

class InstallProcess : public ::testing::Test {
protected:
    std::string Dir;
    void SetUp() override { Dir = ScratchDir(); }
};

} // namespace

TEST_F(InstallProcess, LoneInstallationIsOpenAndSelectedFromTheStart)
{
    const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
        B.Settings.Add("Wnd_Caption", "Editor Setup");
        B.Groups.Add("g1", "Tools||true");
        AddPcApp(B, D, "Editor", "g1")->Props.Add("Describe", "A small editor.");
    });
    TDrivenProcess P = StartInstaller(Package);
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Editor Setup"});
    const std::vector<TTextItem> Items = ReadTexts(Main);
    EXPECT_EQ(RowTexts(Items), (std::vector<std::string>{"Installations", "Tools", "Editor", "Install", "-", "Home",
                                                          "Exit"}));
    const std::vector<TTextItem> R = Rows(Items);
    // The open path from the root down, then the installation's rows below a band.
    EXPECT_EQ(R[0].Top, 2);
    EXPECT_EQ(R[1].Top, 2 + 35 + 2);
    EXPECT_EQ(R[2].Top, R[1].Top + 35 + 2);
    EXPECT_EQ(R[3].Top, R[2].Top + 35 + 2 + 15);
    EXPECT_EQ(R[3].Height, 25);
    EXPECT_EQ(R[0].Width, 200 - 2 * 2 - 1);
    EXPECT_FALSE(R[0].Enabled);
    EXPECT_FALSE(R[1].Enabled);
    EXPECT_EQ(ItemOf(Items, {"TLabel", "lDesc"}).Text, "A small editor.");
    PhotographWindow(Main, ScreenshotPath("install_process_lone.png"));
    // "Exit" ends the program.
    ClickItem(Main, R[6]);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(InstallProcess, PostedClicksOpenAGroupAndSelectAnInstallation)
{
    const std::string Package = BuildPackage(Dir, MakeGroupsProject);
    TDrivenProcess P = StartInstaller(Package);
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Installer"});
    std::vector<TTextItem> Items = ReadTexts(Main);
    EXPECT_EQ(RowTexts(Items), (std::vector<std::string>{"Installations", "Tools", "Games", "Exit"}));
    const TTextItem Games = ItemOf(Items, {"CFxListItem", "g2", "Games"});
    EXPECT_EQ(Games.Top, 2 + 35 + 2 + 15 + 35 + 2);
    const POINT Icon = ShotPoint(Main, Games.Left + 10 + 5, Games.Top + 17);
    TScreenshot Shot = PhotographWindow(
        Main, ScreenshotPath("install_process_groups.png"),
        [&](const TScreenshot& S) { return S.PixelRGB(Icon.x, Icon.y) == 0xFF0000u; }, "the group's red icon");
    EXPECT_EQ(Shot.PixelRGB(Icon.x, Icon.y), 0xFF0000u);
    const POINT Bg = ShotPoint(Main, 200 + 30 + 100, 100 + 100);
    EXPECT_EQ(Shot.PixelRGB(Bg.x, Bg.y), 0x00FFFFu);

    ClickItem(Main, Games);
    const TTextItem Chess = WaitItem(Main, {"CFxListItem", "", "Chess"});
    Items = ReadTexts(Main);
    EXPECT_EQ(RowTexts(Items), (std::vector<std::string>{"Installations", "Games", "Chess", "Go", "Home", "Exit"}));
    EXPECT_EQ(Chess.Top, 2 + 35 + 2 + 35 + 2 + 15);
    ClickItem(Main, Chess);
    const TTextItem Desc = WaitItem(Main, {"TLabel", "lDesc", "Chess against the machine."});
    // Ten below the screenshot (40 high at the builder's default offsets of 10).
    EXPECT_EQ(Desc.Top, 40 + 10 + 10);
    EXPECT_EQ(Desc.Left, 200 + 10);
    EXPECT_EQ(RowTexts(ReadTexts(Main)), (std::vector<std::string>{"Installations", "Games", "Chess", "-", "Chess site",
                                                                    "Install", "-", "Home", "Exit"}));
    WaitPainted(Main);
    const POINT Picture = ShotPoint(Main, 200 + 10 + 40, 10 + 20);
    Shot = PhotographWindow(
        Main, ScreenshotPath("install_process_selected.png"),
        [&](const TScreenshot& S) { return S.PixelRGB(Picture.x, Picture.y) == 0x808000u; }, "the screenshot's olive");
    EXPECT_EQ(Shot.PixelRGB(Picture.x, Picture.y), 0x808000u);
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(InstallProcess, MoreRowsThanFitShowTheScrollBarWithTheHiddenCount)
{
    const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
        B.Settings.Add("eList_SBOn", "true");
        for (int I = 0; I < 12; ++I)
            AddPcApp(B, D, "App " + std::to_string(I), "RootGID");
    });
    TDrivenProcess P = StartInstaller(Package);
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Installer"});
    const std::vector<TTextItem> Items = ReadTexts(Main);
    // The root, then 8 of the 13 rows (12 installations and "Exit"), the last partly.
    const std::vector<TTextItem> R = Rows(Items);
    ASSERT_EQ(R.size(), 1u + 8u);
    EXPECT_EQ(R[1].Text, "App 0");
    EXPECT_EQ(R[0].Width, 182 - 2 * 2 - 1);
    const TTextItem& Bar = ItemOf(Items, {"CFxScrollBar", "ScrollBar"});
    EXPECT_EQ(Bar.Text, "Position 0 of 0..6"); // Max = the hidden count: 13 - 7
    EXPECT_EQ(Bar.Left, 182 + 2);
    EXPECT_EQ(Bar.Width, 16);
    PhotographWindow(Main, ScreenshotPath("install_process_scroll_bar.png"));
    // A click on the bar's lower arrow scrolls the level by one row.
    ClickAt(Main, Bar.Left + 8, Bar.Top + Bar.Height - 4);
    WaitItem(Main, {"CFxScrollBar", "ScrollBar", "Position 1 of 0..6"});
    EXPECT_EQ(Rows(ReadTexts(Main))[1].Text, "App 1");
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(InstallProcess, MissingPackageDescriptionIsReportedAndTheProgramEnds)
{
    LocalFileSystem().ForceDirectories(Dir + "\\package");
    ASSERT_TRUE(CopyFileA(BesideTests("Install.exe").c_str(), (Dir + "\\package\\Install.exe").c_str(), FALSE));
    TDrivenProcess P = StartInstaller(Dir + "\\package");
    const HWND Box = WaitTopWindow(P.Id(), {"", "Brindlo"});
    const std::vector<TTextItem> Items = ReadTexts(Box);
    EXPECT_NE(FindItem(Items, {"", "", "File not found\n\r" + Dir + "\\package\\view.inst"}), nullptr)
        << ListItems(Items);
    PhotographWindow(Box, ScreenshotPath("install_process_file_not_found.png"));
    ClickItem(Box, ItemOf(Items, {"", "", "Ok"}));
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(InstallProcess, DamagedPackagesAreACriticalErrorAndWriteNothing)
{
    const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
        B.Groups.Add("g1", "Tools||true");
        AddPcApp(B, D, "Editor", "g1")->Props.Add("DefInstDir", D + "\\never");
    });
    const std::string Good = ReadWholeFile(Package + "\\view.inst");
    std::string Lying = SolidBmp(30, 20, 0);
    Lying[4] = '\x01'; // bfSize far beyond the record
    const struct {
        const char* Name;
        std::string Bytes;
    } Cases[] = {
        {"not a bag", "these bytes are no package description"},
        {"cut", Good.substr(0, Good.size() / 2)},
        {"huge APPs", WithSetting(Good, "APPs", "2147483647")},
        {"bad Wnd_sRect", WithSetting(Good, "Wnd_sRect", "-1,-1,490")},
        {"bad colour", WithSetting(Good, "Wnd_ColorGB", "teal")},
        {"lying bfSize", WithEntry(Good, bag_GroupIconBase, Lying)},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        WriteWholeFile(Package + "\\view.inst", C.Bytes);
        const std::vector<std::string> Before = FilesBelow(Dir);
        TDrivenProcess P = StartInstaller(Package);
        const HWND Box = WaitTopWindow(P.Id(), {"", "Error"});
        const std::vector<TTextItem> Items = ReadTexts(Box);
        EXPECT_NE(FindItem(Items, {"", "", " Critical error cannot start"}), nullptr) << ListItems(Items);
        ClickItem(Box, ItemOf(Items, {"", "", "Ok"}));
        EXPECT_EQ(P.WaitExit(), 0u);
        EXPECT_EQ(FilesBelow(Dir), Before);
    }
    EXPECT_FALSE(LocalFileSystem().DirectoryExists(Dir + "\\never"));
}

TEST_F(InstallProcess, PlugInsHearOnceThatTheyWereLoaded)
{
    const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
        B.Groups.Add("g1", "Tools||true");
        AddPcApp(B, D, "Editor", "g1");
    });
    const std::string Plugins = Package + "\\plugins";
    LocalFileSystem().ForceDirectories(Plugins);
    ASSERT_TRUE(CopyFileA(BesideTests("test_plugin.dll").c_str(), (Plugins + "\\first.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(BesideTests("test_plugin.dll").c_str(), (Plugins + "\\second.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(BesideTests("no_entry_plugin.dll").c_str(), (Plugins + "\\other.dll").c_str(), FALSE));
    WriteWholeFile(Plugins + "\\junk.dll", "no library");
    TDrivenProcess P = StartInstaller(Package);
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Installer"});
    WaitItem(Main, {"TLabel", "lDesc"});
    EXPECT_EQ(ReadWholeFile(Plugins + "\\first.dll.log"), "event=1002\n");
    EXPECT_EQ(ReadWholeFile(Plugins + "\\second.dll.log"), "event=1002\n");
    EXPECT_FALSE(LocalFileSystem().FileExists(Plugins + "\\other.dll.log"));
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
    // Ending the program sends nothing more.
    EXPECT_EQ(ReadWholeFile(Plugins + "\\first.dll.log"), "event=1002\n");
}
