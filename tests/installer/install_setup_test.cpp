// The start-up without its window: the window set-up from the settings, packages made
// by our own package build read back as the installer reads them, and damaged ones.
#include "builder_fakes.h"
#include "installer_fakes.h"

#include "install_setup.h"

#include "exceptions.h"
#include "test_dirs.h"

namespace {

// The defaults a window needs, then Pairs replacing or adding.
std::unique_ptr<THash> Settings(const TPairs& Pairs)
{
    auto H = std::make_unique<THash>(true);
    H->Add("Wnd_sRect", "-1,-1,490,330");
    H->Add("Wnd_ColorGB", "8404992");
    for (const auto& P : Pairs)
        H->Add(P.first, P.second);
    return H;
}

} // namespace

TEST(WindowSetup, PlaceBorderCaptionAndLimits)
{
    TWindowSetup W = ReadWindowSetup(*Settings({{"Wnd_Height_Max", "600"}, {"Wnd_Width_Min", "x"},
                                               {"Wnd_Caption", "Setup"}, {"Wnd_Style_Caption", "TD"},
                                               {"Create Date", "01.02.2024"}, {"Create time", "10:00"}}),
                                     1024, 768, false);
    EXPECT_EQ(W.Bounds.Left, 267);
    EXPECT_EQ(W.Bounds.Top, 219);
    EXPECT_EQ(W.Bounds.Right - W.Bounds.Left, 490);
    EXPECT_EQ(W.Bounds.Bottom - W.Bounds.Top, 330);
    EXPECT_FALSE(W.Maximized);
    EXPECT_TRUE(W.MaxHeight.Set);
    EXPECT_EQ(W.MaxHeight.Value, 600);
    EXPECT_FALSE(W.MinHeight.Set);
    EXPECT_TRUE(W.MinWidth.Set); // no integer: the limit 0, none
    EXPECT_EQ(W.MinWidth.Value, 0);
    EXPECT_EQ(W.Caption, "Brindlo - Setup [01.02.2024] [10:00]"); // the date always first
    EXPECT_EQ(W.Color, 8404992u);
    EXPECT_EQ(W.FontColor, -1);
    EXPECT_EQ(W.Border, wbNone);

    W = ReadWindowSetup(*Settings({{"Wnd_sRect", "0,0,1024,100"}, {"Wnd_Style_Caption", "d"}, {"Wnd_Caption", "C"}}),
                        1024, 768, false);
    EXPECT_TRUE(W.Maximized);
    EXPECT_EQ(W.Caption, "Brindlo - C");
}

TEST(WindowSetup, BorderStylesInAnyCase)
{
    EXPECT_EQ(ParseBorderStyle("Resizable"), wbSizeable);
    EXPECT_EQ(ParseBorderStyle("sInGlE"), wbSingle);
    EXPECT_EQ(ParseBorderStyle("Single "), wbNone);
    EXPECT_EQ(ParseBorderStyle("None"), wbNone);
    EXPECT_EQ(ParseBorderStyle(""), wbNone);
}

TEST(WindowSetup, ColourFactorsFallBackTogether)
{
    TWindowSetup W = ReadWindowSetup(
        *Settings({{"eList_ColorCor", "1.1"}, {"eList_ColorCorGrp", "1.2"}, {"eList_ColorCorAct", "1.4"}}), 800, 600,
        false);
    EXPECT_EQ(W.ColorC, 1.1);
    EXPECT_EQ(W.GroupCC, 1.2);
    EXPECT_EQ(W.ActionCC, 1.4);
    W = ReadWindowSetup(
        *Settings({{"eList_ColorCor", "1.1"}, {"eList_ColorCorGrp", "1.2"}, {"eList_ColorCorAct", "much"}}), 800, 600,
        false);
    EXPECT_EQ(W.ColorC, 1.8);
    EXPECT_EQ(W.GroupCC, 1.3);
    EXPECT_EQ(W.ActionCC, 1.5);
}

TEST(WindowSetup, ListGeometryAndBackground)
{
    const TWindowSetup W =
        ReadWindowSetup(*Settings({{"eList_Width", "200"}, {"eList_GHeight", "35"}, {"eList_AHeight", "x"},
                                  {"eList_Icon_GWidth", "30"}, {"eList_Icon_GHeight", "20"}, {"eList_SBOn", "true"},
                                  {"Wnd_ImgBg_Left", "5"}, {"Wnd_ImgBg_Top", "-3"}, {"Wnd_Color_Fnt", "255"},
                                  {"eList_GGroup", "Everything"}}),
                        800, 600, true);
    EXPECT_EQ(W.ListWidth, 200);
    EXPECT_EQ(W.GHeight, 35);
    EXPECT_EQ(W.AHeight, 0);
    EXPECT_EQ(W.IconWidth, 30);
    EXPECT_EQ(W.IconHeight, 20);
    EXPECT_TRUE(W.ScrollBar);
    EXPECT_EQ(W.BgLeft, 5);
    EXPECT_EQ(W.BgTop, -3);
    EXPECT_EQ(W.FontColor, 255);
    EXPECT_EQ(W.RootCaption, "Everything");
    EXPECT_FALSE(ReadWindowSetup(*Settings({{"eList_SBOn", "True"}}), 800, 600, false).ScrollBar);
}

TEST(WindowSetup, ValuesThatEndTheStartUp)
{
    for (const TPairs& Bad : {TPairs{{"Wnd_sRect", ""}}, TPairs{{"Wnd_sRect", "1,2,x,4"}}, TPairs{{"Wnd_ColorGB", ""}},
                              TPairs{{"Wnd_ColorGB", "blue"}}, TPairs{{"Wnd_Color_Fnt", "white"}}})
        EXPECT_THROW(ReadWindowSetup(*Settings(Bad), 800, 600, false), EConvertError) << Bad[0].first;
}

namespace {

// Packages from fixture projects, built by the builder on an in-memory disk.
class BuiltPackage : public TBuilderTest {
protected:
    std::unique_ptr<CCastamer> B;
    CFxListModel List;
    TFakeInstallerView View;
    TLoadedPackage Package;

    void SetUp() override
    {
        TBuilderTest::SetUp();
        FS.AddFile("C:\\Brindlo\\Install.exe", "installer");
        FS.AddFile("C:\\Brindlo\\Castremove.exe", "uninstaller");
        B = MakeBuilder();
        List.SetSize(200, 330);
    }
    CCst_App* AddApp(const std::string& Name, const std::string& Group)
    {
        FS.AddFile("C:\\Src\\" + Name + "\\file.txt", Name);
        CCst_App* A = B->AddApp();
        A->Props.Add("App name", Name);
        A->Props.Add("DID", "2");
        A->SetGroupID(Group);
        A->Props.Add("InDir", "C:\\Src\\" + Name);
        A->Props.Add("OutFN", Name + ".ime");
        return A;
    }
    std::string Build()
    {
        UI.DirAnswer = "D:\\Package";
        EXPECT_TRUE(B->Build(TBuildMode::Build));
        auto In = FS.OpenRead("D:\\Package\\view.inst");
        return In->ReadString(In->Size());
    }
    void Read(const std::string& Bytes)
    {
        TMemoryStream S(Bytes);
        ReadPackage(Package, S, List, View);
    }
};

} // namespace

TEST_F(BuiltPackage, OneGroupWithOneInstallation)
{
    B->Groups.Add("g1", "Tools||true");
    CCst_App* A = AddApp("Editor", "g1");
    A->Props.Add("Describe", "An editor");
    Read(Build());
    ASSERT_EQ(Package.Apps->Apps.size(), 1u);
    EXPECT_EQ(Package.Apps->Apps[0]->GetDescribe(), "An editor");
    EXPECT_EQ(Package.Setup.Caption, "Brindlo - Installer");
    CFxListItem* Root = List.Items();
    EXPECT_EQ(ChildCaptions(Root), std::vector<std::string>{"Tools"});
    EXPECT_EQ(ChildCaptions(Root->Child(0)), std::vector<std::string>{"Editor"});
    EXPECT_EQ(ChildCaptions(Root->Child(0)->Child(0)), (std::vector<std::string>{"Install", "-"}));
}

TEST_F(BuiltPackage, GroupsWithIconsAndABackground)
{
    FS.AddFile("C:\\Art\\tools.bmp", BmpFile(32, 24));
    FS.AddFile("C:\\Art\\games.bmp", BmpFile(30, 20));
    FS.AddFile("C:\\Art\\bg.bmp", BmpFile(100, 50));
    FS.AddFile("C:\\Art\\shot.bmp", BmpFile(60, 40));
    B->Groups.Add("g1", "Tools|C:\\Art\\tools.bmp|true");
    B->Groups.Add("g2", "Games|C:\\Art\\games.bmp|true");
    B->Settings.Add("Wnd_Image_Bg", "C:\\Art\\bg.bmp");
    AddApp("Editor", "g1")->Props.Add("ScreenShot", "C:\\Art\\shot.bmp");
    AddApp("Chess", "g2");
    AddApp("Go", "g2");
    Read(Build());
    EXPECT_EQ(View.Calls, (std::vector<std::string>{"icon 32x24", "icon 30x20"}));
    EXPECT_EQ(ChildCaptions(List.Items()), (std::vector<std::string>{"Tools", "Games"}));
    EXPECT_EQ(ChildCaptions(List.Items()->Child(1)), (std::vector<std::string>{"Chess", "Go"}));
    EXPECT_EQ(Package.Apps->Apps[0]->Screenshot->Width, 60);
    EXPECT_NE(Package.Apps->Apps[0]->ShotPicture, nullptr);
    EXPECT_EQ(Package.Bag.IndexOfKey(bag_Background) != -1, true);
}

TEST_F(BuiltPackage, DamagedPackagesRaise)
{
    B->Groups.Add("g1", "Tools||true");
    AddApp("Editor", "g1");
    const std::string Good = Build();
    {
        TLoadedPackage P;
        CFxListModel L;
        TMemoryStream S(Good);
        EXPECT_NO_THROW(ReadPackage(P, S, L, View));
    }
    const std::string LyingIcon = [] {
        std::string B = BmpFile(30, 20);
        B[2] = '\xFF';
        B[3] = '\xFF';
        return B;
    }();
    const struct {
        const char* Name;
        std::string Bytes;
    } Cases[] = {
        {"not a bag", "these bytes are no package description"},
        {"cut", Good.substr(0, Good.size() / 2)},
        {"huge APPs", WithSetting(Good, "APPs", "2000000000")},
        {"APPs no number", WithSetting(Good, "APPs", "many")},
        {"bad Wnd_sRect", WithSetting(Good, "Wnd_sRect", "-1,-1,wide,330")},
        {"bad colour", WithSetting(Good, "Wnd_ColorGB", "purple")},
        {"lying bfSize", WithEntry(Good, bag_GroupIconBase, LyingIcon)},
        {"garbage record", WithEntry(Good, bag_AppRecordBase, std::string("\x05\x00zz", 4))},
    };
    for (const auto& C : Cases) {
        TLoadedPackage P;
        CFxListModel L;
        TMemoryStream S(C.Bytes);
        EXPECT_ANY_THROW(ReadPackage(P, S, L, View)) << C.Name;
    }
}

TEST_F(BuiltPackage, PackageWithoutInstallationsListsOnlyItsGroups)
{
    B->Groups.Add("g1", "Tools||true");
    const std::string Bytes = Build();
    Read(Bytes);
    EXPECT_TRUE(Package.Apps->Apps.empty());
    EXPECT_EQ(ChildCaptions(List.Items()), std::vector<std::string>{"Tools"});
}

// Seeds of the view.inst fuzzer: run by hand with --gtest_also_run_disabled_tests.
TEST_F(BuiltPackage, DISABLED_WriteFuzzSeeds)
{
    FS.AddFile("C:\\Art\\icon.bmp", BmpFile(30, 20));
    FS.AddFile("C:\\Art\\shot.bmp", BmpFile(8, 6));
    B->Groups.Add("g1", "Tools|C:\\Art\\icon.bmp|true");
    B->Groups.Add("RootGID", "All|C:\\Art\\icon.bmp");
    B->Settings.Add("Wnd_Image_Bg", "C:\\Art\\shot.bmp");
    CCst_App* A = AddApp("Editor", "g1");
    A->Props.Add("App icon", "C:\\Art\\icon.bmp");
    A->Props.Add("ScreenShot", "C:\\Art\\shot.bmp");
    A->Props.Add("ShowInfo", "true");
    A->Props.Add("Web Link", "site;http://x.invalid/");
    CCst_App* P = AddApp("Palm", "RootGID");
    P->Props.Add("DID", "0");
    const std::string Dir = std::string(BRINDLO_FIXTURE_DIR) + "/../../fuzz/corpus/view_inst/";
    WriteWholeFile(Dir + "package.inst", Build());
}
