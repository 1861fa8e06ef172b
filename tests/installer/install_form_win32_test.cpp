// The installer's window on packages made by our own package build: set-up, rows and
// their geometry, posted clicks selecting an installation, the scroll bar, start-up
// failures and plug-ins. Each state is photographed.
#include "installer_gui_support.h"

#include "file_stream.h"
#include "install_form.h"
#include "system_error.h"
#include "ui_label.h"

#include <algorithm>
#include <vector>

namespace {

// The texts of a message dialog's labels.
std::vector<std::string> DialogTexts(HWND W)
{
    std::vector<std::string> Texts;
    if (TWinControl* Form = FindControl(W))
        for (TControl* C : Form->Controls())
            if (auto* L = dynamic_cast<TLabel*>(C))
                Texts.push_back(L->Caption());
    return Texts;
}

bool Contains(const std::vector<std::string>& V, const std::string& S)
{
    return std::find(V.begin(), V.end(), S) != V.end();
}

// Closes the first modal window and keeps its title and label texts.
struct TMessageSeen {
    std::vector<std::string> Texts;
    std::string Title;
    TModalScript Script{[this](HWND W) {
        Texts = DialogTexts(W);
        Title = WindowText(W);
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    }};
};

class InstallForm : public ::testing::Test {
protected:
    std::string Dir;
    std::unique_ptr<TForm1> Form;
    int Ends = 0;
    std::vector<std::string> Opened;

    void SetUp() override { Dir = ScratchDir(); }
    void TearDown() override { Form.reset(); }

    void Open(const std::string& Package)
    {
        Form = std::make_unique<TForm1>(Package + "\\", [this] { ++Ends; });
        Form->OpenAddress = [this](const std::string& A) { Opened.push_back(A); };
        if (Form->Loaded()) {
            Form->Show();
            PumpMessages();
        }
    }
    void PostClick(int X, int Y)
    {
        const HWND L = Form->eList->Handle();
        PostMessageA(L, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(X, Y));
        PostMessageA(L, WM_LBUTTONUP, 0, PointParam(X, Y));
        PumpMessages(4);
    }
    // The middle of a listed row.
    int RowMiddle(CFxListItem* Row) { return Row->Y + Row->Height / 2; }
};

} // namespace

TEST_F(InstallForm, OneGroupWithOneInstallationOpensAtOnce)
{
    const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
        WriteWholeFile(D + "\\shot.bmp", SolidBmp(120, 60, 0x00C000));
        B.Groups.Add("g1", "Tools||true");
        CCst_App* A = AddPcApp(B, D, "Editor", "g1");
        A->Props.Add("Describe", "A small editor.");
        A->Props.Add("ScreenShot", D + "\\shot.bmp");
        A->Props.Add("SShot Left", "20");
        A->Props.Add("SShot Top", "10");
    });
    Open(Package);
    ASSERT_TRUE(Form->Loaded());
    EXPECT_EQ(WindowText(Form->Handle()), "Brindlo - Installer");
    CFxListItem* Root = Form->eList->Items();
    EXPECT_EQ(Root->Caption, "Installations");
    EXPECT_FALSE(Root->Enabled);
    CFxListItem* Group = Root->Child(0);
    ASSERT_NE(Group, nullptr);
    EXPECT_EQ(Group->Caption, "Tools");
    EXPECT_FALSE(Group->Enabled);
    EXPECT_EQ(Root->OpenIndex, 0);
    EXPECT_EQ(Group->OpenIndex, 0);
    EXPECT_EQ(Form->AppList()->Selected, Form->AppList()->Apps[0].get());
    EXPECT_EQ(Form->DescText(), "A small editor.");
    EXPECT_EQ(Form->lDesc->Caption(), "A small editor.");
    // Under the screenshot: 60 + 10 + 10; left at the content edge + 20.
    EXPECT_EQ(Form->lDesc->Top(), 80);
    EXPECT_EQ(Form->lDesc->Left(), 200 + 20);
    // Root, group and installation down the open path, then the installation's rows.
    EXPECT_EQ(Root->Y, 2);
    EXPECT_EQ(Group->Y, 2 + 35 + 2);
    CFxListItem* Item = Group->Child(0);
    EXPECT_EQ(Item->Y, Group->Y + 35 + 2);
    EXPECT_EQ(ChildCaptions(Item), (std::vector<std::string>{"Install", "-", "Home", "Exit"}));
    EXPECT_EQ(Item->Child(0)->Y, Item->Y + 35 + 2 + 15);
    // The root's "Exit" comes after the group; the group gets "Home" and "Exit".
    EXPECT_EQ(ChildCaptions(Root), (std::vector<std::string>{"Tools", "Exit"}));
    EXPECT_EQ(ChildCaptions(Group), (std::vector<std::string>{"Editor", "Home", "Exit"}));

    const TScreenshot Shot = Photograph(Form->Handle(), "install_one_group.png");
    EXPECT_EQ(ShotPixel(Shot, Form->Handle(), 200 + 20 + 5, 10 + 5), 0x00C000u);
    // Clicks on the disabled root and group rows do nothing.
    PostClick(20, RowMiddle(Root));
    PostClick(20, RowMiddle(Group));
    EXPECT_EQ(Root->OpenIndex, 0);
    EXPECT_EQ(Group->OpenIndex, 0);
}

TEST_F(InstallForm, GroupsWithIconsAndABackground)
{
    const std::string Package = BuildPackage(Dir, MakeGroupsProject);
    Open(Package);
    ASSERT_TRUE(Form->Loaded());
    CFxListItem* Root = Form->eList->Items();
    EXPECT_TRUE(Root->Enabled);
    EXPECT_EQ(ChildCaptions(Root), (std::vector<std::string>{"Tools", "Games", "Exit"}));
    CFxListItem* Games = Root->Child(1);
    EXPECT_EQ(Root->Child(0)->ImageIndex, 0);
    EXPECT_EQ(Games->ImageIndex, 1);
    EXPECT_EQ(Form->gIList.Count(), 2);
    EXPECT_EQ(Games->Y, 2 + 35 + 2 + 15 + 35 + 2);
    TScreenshot Shot = Photograph(Form->Handle(), "install_groups.png");
    // The group icons at X + 10, centred in the row; the background at its offsets.
    EXPECT_EQ(ShotPixel(Shot, Form->Handle(), 2 + 10 + 5, Games->Y + 35 / 2), 0xFF0000u);
    EXPECT_EQ(ShotPixel(Shot, Form->Handle(), 200 + 30 + 100, 100 + 100), 0x00FFFFu);

    PostClick(40, RowMiddle(Games));
    EXPECT_EQ(Root->OpenIndex, 1);
    CFxListItem* Chess = Games->Child(0);
    EXPECT_EQ(Chess->Y, 2 + 35 + 2 + 35 + 2 + 15);
    PostClick(40, RowMiddle(Chess));
    ASSERT_EQ(Form->AppList()->Selected, Form->AppList()->Apps[0].get());
    EXPECT_EQ(Form->DescText(), "Chess against the machine.");
    // The record's screenshot offsets are the builder's defaults, 10 and 10.
    EXPECT_EQ(Form->lDesc->Top(), 40 + 10 + 10);
    EXPECT_EQ(Form->lDesc->Left(), 200 + 10);
    EXPECT_TRUE(Form->HasShot());
    PumpMessages();
    Shot = Photograph(Form->Handle(), "install_groups_selected.png");
    EXPECT_EQ(ShotPixel(Shot, Form->Handle(), 200 + 40, 20), 0x808000u);
    // Its rows: the web link opens the address.
    EXPECT_EQ(ChildCaptions(Chess), (std::vector<std::string>{"-", "Chess site", "Install", "-", "Home", "Exit"}));
    PostClick(40, RowMiddle(Chess->Child(1)));
    EXPECT_EQ(Opened, std::vector<std::string>{"http://chess.invalid/"});
    // "Home" of the group closes it again; the group's own "Home" returns to the top.
    PostClick(40, RowMiddle(Games));
    EXPECT_EQ(Games->OpenIndex, -1);
    EXPECT_EQ(Form->AppList()->Selected, nullptr);
    PostClick(40, RowMiddle(Games->Child(Games->Count() - 2)));
    EXPECT_EQ(Root->OpenIndex, -1);
    // "Exit" ends the program.
    PostClick(40, RowMiddle(Root->Child(2)));
    EXPECT_EQ(Ends, 1);
}

TEST_F(InstallForm, MoreRowsThanFitShowTheScrollBar)
{
    const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
        B.Settings.Add("eList_SBOn", "true");
        for (int I = 0; I < 12; ++I)
            AddPcApp(B, D, "App " + std::to_string(I), "RootGID");
    });
    Open(Package);
    ASSERT_TRUE(Form->Loaded());
    CFxList& L = *Form->eList;
    EXPECT_TRUE(L.UseScrollBar());
    EXPECT_EQ(L.Width(), 200 - 18);
    EXPECT_TRUE(L.ScrollBar().Visible());
    EXPECT_EQ(L.ScrollBar().Left(), L.Width() + 2);
    EXPECT_EQ(L.ScrollBar().Height(), L.Height());
    EXPECT_EQ(Form->ContentEdge(), 182 + 16);
    EXPECT_EQ(Form->lDesc->Left(), 182 + 16 + 10);
    // 330 high: 328 - 37 - 15 leaves room for 7 rows of 37, the 8th partly; 12 + "Exit".
    EXPECT_EQ(L.Model().HiddenCount(), 13 - 7);
    EXPECT_EQ(L.ScrollBar().Max(), L.Model().HiddenCount());
    Photograph(Form->Handle(), "install_scroll_bar.png");
    // One step down hides the first listed row.
    PostMessageA(L.ScrollBar().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(8, L.Height() - 5));
    PostMessageA(L.ScrollBar().Handle(), WM_LBUTTONUP, 0, PointParam(8, L.Height() - 5));
    PumpMessages(4);
    EXPECT_EQ(L.Model().FirstShown(), 1);
    EXPECT_FALSE(L.Items()->Child(0)->Listed());
    EXPECT_EQ(L.Items()->Child(1)->Y, 2 + 35 + 2 + 15);
    Photograph(Form->Handle(), "install_scroll_bar_down.png");
}

TEST_F(InstallForm, MissingPackageDescriptionSaysSoAndCloses)
{
    TMessageSeen Seen;
    Open(Dir);
    EXPECT_FALSE(Form->Loaded());
    EXPECT_TRUE(Contains(Seen.Texts, "File not found\n\r" + Dir + "\\view.inst")) << ::testing::PrintToString(Seen.Texts);
    EXPECT_EQ(Seen.Title, "Brindlo");
    EXPECT_EQ(Ends, 0);
    Form->Show();
    PumpMessages();
    EXPECT_EQ(Ends, 1);
    // Activated again: it closes only once.
    SendMessageA(Form->Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(Ends, 1);
}

TEST_F(InstallForm, DamagedOrLockedPackageIsACriticalErrorWhoseReasonIsKept)
{
    WriteWholeFile(Dir + "\\view.inst", "no package description at all");
    SetLastError(ERROR_SHARING_VIOLATION);
    const std::string Sharing = LastSystemError();
    for (const bool Locked : {false, true}) {
        SCOPED_TRACE(Locked ? "locked" : "damaged");
        // Held without sharing, as a program still writing it would.
        std::unique_ptr<TFileStream> Holder;
        if (Locked)
            Holder = std::make_unique<TFileStream>(Dir + "\\view.inst", fmOpenReadWrite | fmShareExclusive);
        Ends = 0;
        TMessageSeen Seen;
        Open(Dir);
        EXPECT_FALSE(Form->Loaded());
        EXPECT_TRUE(Contains(Seen.Texts, " Critical error cannot start")) << ::testing::PrintToString(Seen.Texts);
        EXPECT_EQ(Seen.Title, "Error");
        EXPECT_EQ(Ends, 1);
        if (Locked)
            EXPECT_EQ(Form->StartFailure(), "Cannot open file " + Form->PackageFile() + ": " + Sharing);
        else
            EXPECT_FALSE(Form->StartFailure().empty());
    }
}

TEST_F(InstallForm, PlugInsAreLoadedInListingOrderAndSeeTheInstallation)
{
    const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
        B.Groups.Add("g1", "Tools||true");
        CCst_App* A = AddPcApp(B, D, "Editor", "g1");
        A->Props.Add("CompName", "Tom & Co");
        A->Props.Add("Describe", "Text");
        A->Props.Add("Font color", "255");
        A->Props.Add("Web Link", "w;http://x.invalid/");
        A->Props.Add("DefInstDir", D + "\\target");
        A->Props.Add("ShowInfo", "true");
        A->Props.Add("BDate", "01.02.2024");
        A->Props.Add("BVersion", "2.0");
    });
    const std::string Plugins = Package + "\\plugins";
    LocalFileSystem().ForceDirectories(Plugins);
    ASSERT_TRUE(CopyFileA(BesideTests("test_plugin.dll").c_str(), (Plugins + "\\a.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(BesideTests("test_plugin.dll").c_str(), (Plugins + "\\b.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(BesideTests("no_entry_plugin.dll").c_str(), (Plugins + "\\c.dll").c_str(), FALSE));
    WriteWholeFile(Plugins + "\\junk.dll", "this is text, not a library");
    Open(Package);
    ASSERT_TRUE(Form->Loaded());
    // In the order the directory lists them.
    THash Listed(false);
    ListFiles(Plugins, "*.dll", Listed, true);
    std::vector<std::string> Order;
    for (const THashPair& P : Listed.Pairs())
        if (P.Value == Plugins + "\\a.dll" || P.Value == Plugins + "\\b.dll")
            Order.push_back(P.Value);
    ASSERT_EQ(Form->Plugins()->Plugins().size(), 2u);
    EXPECT_EQ(Form->Plugins()->Plugins()[0].FileName, Order[0]);
    EXPECT_EQ(Form->Plugins()->Plugins()[1].FileName, Order[1]);
    EXPECT_EQ(ReadWholeFile(Plugins + "\\a.dll.log"), "event=1002\n");
    EXPECT_EQ(ReadWholeFile(Plugins + "\\b.dll.log"), "event=1002\n");
    EXPECT_FALSE(LocalFileSystem().FileExists(Plugins + "\\c.dll.log"));

    CAPP* App = Form->AppList()->Apps[0].get();
    App->InstallDir = Dir + "\\chosen";
    App->NotifyPlugins(PLG_AppInstalled);
    const std::string Expected = "event=1002\nevent=1003\nQueryInterface=0\nsame=1\nRelease=2\n"
                                 "GetAppName=Editor\nGetGroupID=g1\nGetWebLink=w;http://x.invalid/\n"
                                 "GetBDate=01.02.2024\nGetBVersion=2.0\nGetDescribe=Text\nGetFontColor=255\n"
                                 "GetSShotLeft=" + std::to_string(App->GetSShotLeft()) + "\nGetSShotTop=" +
                                 std::to_string(App->GetSShotTop()) + "\nGetDescTop=-1\nGetDescLeft=-1\n"
                                 "GetDefInstDir=" + Dir + "\\target\nGetOutFN=Editor.ime\nGetShowInfo=1\n"
                                 "GetName=Editor\nGetCompName=Tom & Co\nGetAddUinstSC=" +
                                 std::string(App->GetAddUinstSC() ? "1" : "0") + "\nGetDID=2\n"
                                 "GetASDesc=\nGetICabFARM=\nGetICabFMIPS=\nGetICabFSH=\n"
                                 "GetDeviceInstDir=" + App->GetDeviceInstDir() + "\n"
                                 "GetInstallDir=" + Dir + "\\chosen\n";
    EXPECT_EQ(ReadWholeFile(Plugins + "\\a.dll.log"), Expected);
    EXPECT_EQ(ReadWholeFile(Plugins + "\\b.dll.log"), Expected);
    EXPECT_TRUE(LocalFileSystem().DirectoryExists(Dir + "\\target"));
    EXPECT_EQ(App->RefCount(), 1u);
}
