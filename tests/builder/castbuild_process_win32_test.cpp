// Castbuild.exe as the publisher meets it: its own process, started from a program
// directory of its own (its "bx_env.dat" and "temp" lie there), driven from outside
// through the text report, posted clicks and the real keyboard.
#include "castbuild_driving.h"

#include "builder_services.h"
#include "project.h"
#include "file_system.h"

#include "driver.h"
#include "hash.h"
#include "memory_stream.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <utility>

#include <windows.h>

#include <commctrl.h>

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
    const TScreenshot Shot = PhotographWindow(
        Splash, ScreenshotPath("castbuild_splash.png"),
        [](const TScreenshot& S) { return S.PixelRGB(5, 5) != 0u && S.PixelRGB(5, 5) != S.PixelRGB(320, 185); },
        "the picture drawn");
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

    // Open from the menu fails the same way and leaves a clean, empty project.
    PressKeys(Main, {VK_CONTROL, 'O'});
    std::vector<TTextItem> Question;
    const HWND Ask = WaitMessageBox(P, Question);
    ClickItem(Ask, ItemOf(Question, {"", "", "Yes"}));
    AnswerFileDialog(WaitTopWindow(P.Id(), {"#32770"}), Bad);
    const HWND Again = WaitMessageBox(P, BoxItems);
    EXPECT_NE(ListItems(BoxItems).find("broken project.bxp"), std::string::npos) << ListItems(BoxItems);
    ClickItem(Again, ItemOf(BoxItems, {"", "", "Ok"}));
    WaitWindowGone(Again);
    EXPECT_EQ(TreeTexts(ReadTexts(Main)), (std::vector<std::string>{"0=Installations"}));
    EXPECT_EQ(TextOf(Main), "Brindlo  []");
    // Not modified: the window closes without a question, and the file is as it was.
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
    EXPECT_EQ(ReadWholeFile(Bad), Bytes);
}

// A click on the value cell of the settings page's row Key (the in-place editor opens).
void ClickRowValue(HWND Main, const std::string& Key)
{
    const TTextItem Row = WaitItem(Main, {"", Key});
    ClickAt(Main, Row.Left + Row.Width - 20, Row.Top + Row.Height / 2);
}

// The radio button texts of the platform window with the checked one marked "*".
std::string PlatformChoice(HWND Window)
{
    std::string S;
    for (const char* Text : {"Handheld (Palm OS)", "Pocket PC 2000/2002 (Window CE)", "PC (Windows 95/98/Me/NT/2000/XP)"}) {
        const HWND Radio = WaitChild(Window, {"Button", Text});
        S += SendMessageA(Radio, BM_GETCHECK, 0, 0) == BST_CHECKED ? "*" : "-";
    }
    return S;
}

std::vector<std::string> Installations(HWND Main)
{
    std::vector<std::string> V;
    for (const std::string& T : TreeTexts(ReadTexts(Main)))
        if (T.find("New Installation") != std::string::npos)
            V.push_back(T);
    return V;
}

} // namespace

TEST_F(CastbuildProcess, NewCommitsTheOpenEditorThenAsksAndStartsAFreshProject)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);
    ClickRowValue(Main, "Wnd_Caption");
    const HWND Editor = WaitChild(Main, {"Edit"});
    SetEditText(Editor, "Typed");
    // Ctrl+N while the editor is open: what was typed counts, so the question comes.
    PressKeys(Main, {VK_CONTROL, 'N'});
    std::vector<TTextItem> Box;
    HWND Question = WaitMessageBox(P, Box);
    EXPECT_EQ(ItemOf(Box, {"TLabel", "TextLabel"}).Text, "Brindlo project is unsaved\n\rdo you still want to continue ?");
    ClickItem(Question, ItemOf(Box, {"", "", "No"}));
    WaitWindowGone(Question);
    EXPECT_EQ(WaitItem(Main, {"", "Wnd_Caption"}).Text, "Caption\tTyped");

    PressKeys(Main, {VK_CONTROL, 'N'});
    Question = WaitMessageBox(P, Box);
    ClickItem(Question, ItemOf(Box, {"", "", "Yes"}));
    WaitWindowGone(Question);
    EXPECT_EQ(WaitItem(Main, {"", "Wnd_Caption", "Caption\tInstaller"}).Text, "Caption\tInstaller");
    EXPECT_EQ(TreeTexts(ReadTexts(Main)), (std::vector<std::string>{"0=Installations"}));
    // Not modified: the window closes without a question.
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(CastbuildProcess, ThePlatformWindowAnswersByItsButtonsEscapeAndCloseBox)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);
    WaitItem(Main, {"TTreeNode", "0", "Installations"});
    const auto Ask = [&] {
        ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_AppAdd"}));
        return WaitTopWindow(P.Id(), {"", "Destination Platform"});
    };

    // A platform clicked is the window's answer until "Cancel" or Escape takes it back.
    const auto Click = [&](HWND W, const char* Platform, const char* Choice) {
        ClickButton(WaitChild(W, {"Button", Platform}));
        WaitFor([&] { return PlatformChoice(W) == Choice; }, DriverWaitMs, std::string("the choice ") + Choice);
    };

    // "Cancel" and Escape add nothing, whatever was clicked before.
    HWND W = Ask();
    RECT R;
    GetClientRect(W, &R);
    EXPECT_EQ(R.right, 250);
    EXPECT_EQ(R.bottom, 156);
    EXPECT_EQ(PlatformChoice(W), "--*");
    PhotographWindow(W, ScreenshotPath("castbuild_platform.png"));
    Click(W, "Handheld (Palm OS)", "*--");
    ClickItem(W, ItemOf(ReadTexts(W), {"CFxButton", "butCancel", "Cancel"}));
    WaitWindowGone(W);
    // The next question comes once the program has acted on the answer.
    W = Ask();
    EXPECT_TRUE(Installations(Main).empty());
    Click(W, "Pocket PC 2000/2002 (Window CE)", "-*-");
    PostKey(W, VK_ESCAPE);
    WaitWindowGone(W);

    // The close box answers the platform last clicked, and does not remember it.
    W = Ask();
    EXPECT_TRUE(Installations(Main).empty());
    EXPECT_EQ(PlatformChoice(W), "--*");
    Click(W, "Pocket PC 2000/2002 (Window CE)", "-*-");
    PostClose(W);
    WaitWindowGone(W);
    WaitItem(Main, {"TTreeNode", "0/0", "New Installation"});

    // "Select" remembers the platform for the next question.
    W = Ask();
    EXPECT_EQ(PlatformChoice(W), "--*");
    ClickButton(WaitChild(W, {"Button", "Handheld (Palm OS)"}));
    ClickItem(W, ItemOf(ReadTexts(W), {"CFxButton", "butOk", "Select"}));
    WaitWindowGone(W);
    SelectTreeItem(Main, "0");
    W = Ask();
    EXPECT_EQ(PlatformChoice(W), "*--");
    // Ticked, the answer is taken from then on without asking.
    ClickButton(WaitChild(W, {"Button", "Always auto-select this platform"}));
    ClickItem(W, ItemOf(ReadTexts(W), {"CFxButton", "butOk", "Select"}));
    WaitWindowGone(W);
    SelectTreeItem(Main, "0");
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_AppAdd"}));
    WaitFor([&] { return Installations(Main).size() == 4; }, DriverWaitMs, "the fourth installation");
    EXPECT_EQ(FindTopWindow(P.Id(), {"", "Destination Platform"}), nullptr);

    PostClose(Main);
    std::vector<TTextItem> Box;
    const HWND Question = WaitMessageBox(P, Box);
    ClickItem(Question, ItemOf(Box, {"", "", "Yes"}));
    EXPECT_EQ(P.WaitExit(), 0u);
    EXPECT_EQ(EnvText(ReadEnvOptions(ProgramDir)), "O_NADID=0 O_PAB=1 O_VEL=1 ");
}

TEST_F(CastbuildProcess, TheTreeAndThePagesKeepTheirPlacesWhenTheWindowIsResized)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);
    WaitItem(Main, {"TTreeNode", "0", "Installations"});
    RECT Outer, Client;
    GetWindowRect(Main, &Outer);
    GetClientRect(Main, &Client);
    const int FrameW = (Outer.right - Outer.left) - Client.right, FrameH = (Outer.bottom - Outer.top) - Client.bottom;
    struct TCase {
        int Width, Height;
    };
    for (const TCase C : {TCase{800, 600}, TCase{1000, 760}, TCase{700, 450}, TCase{800, 600}}) {
        SetWindowPos(Main, nullptr, 0, 0, C.Width + FrameW, C.Height + FrameH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        WaitPainted(Main);
        const std::vector<TTextItem> Items = ReadTexts(Main);
        const TTextItem& Tree = ItemOf(Items, {"TTreeView", "tView"});
        const TTextItem& View = ItemOf(Items, {"CFxPropPage", "ppView"});
        const TTextItem& Status = ItemOf(Items, {"CFxPropPage", "ppStatus"});
        const TTextItem& Build = ItemOf(Items, {"CFxButton", "butBuild"});
        SCOPED_TRACE(std::to_string(C.Width) + "x" + std::to_string(C.Height));
        EXPECT_EQ(Tree.Left, 3);
        EXPECT_EQ(Tree.Top, 29);
        EXPECT_EQ(Tree.Left + Tree.Width, View.Left - 1);
        EXPECT_EQ(Tree.Top + Tree.Height, Status.Top - 3);
        EXPECT_EQ(View.Left + View.Width, C.Width - 20);
        EXPECT_EQ(View.Top, 28);
        EXPECT_EQ(View.Width, 425);
        EXPECT_EQ(View.Top + View.Height, C.Height - 162);
        EXPECT_EQ(Status.Left, 2);
        EXPECT_EQ(Status.Width, C.Width - 22);
        EXPECT_EQ(Status.Top + Status.Height, C.Height - 21);
        EXPECT_EQ(Build.Left + Build.Width, C.Width);
    }
    PhotographWindow(Main, ScreenshotPath("castbuild_resized.png"));
}

namespace {

// The fixture project: one PC installation over a small tree, in the group "Tools"
// (key "g1"); its last build directory Package exists, so the chooser opens there.
// StoredOutDir, when given, is how the project names that directory.
std::string MakeFixtureProject(const std::string& Dir, const std::string& Package,
                               const std::string& StoredOutDir = "")
{
    const std::string Source = Dir + "\\source tree";
    LocalFileSystem().ForceDirectories(Source + "\\bin");
    LocalFileSystem().ForceDirectories(Package);
    WriteWholeFile(Source + "\\readme.txt", "Read me.");
    WriteWholeFile(Source + "\\bin\\tool.exe", "MZ tool");
    const std::string ProjectFile = Dir + "\\fixture project.bxp";
    {
        LocalFileSystem().ForceDirectories(Dir + "\\maker");
        TBuilderServices S = DefaultBuilderServices();
        S.ProgramFileName = Dir + "\\maker\\Castbuild.exe";
        THash Paths(true);
        CCastamer Maker(S, Paths);
        if (!Maker.Ready)
            return "";
        Maker.Groups.Add("g1", "Tools||true");
        CCst_App* App = Maker.AddApp();
        App->Props.Add("App name", "Tool");
        App->Props.Add("DID", "2");
        App->SetGroupID("g1");
        App->Props.Add("InDir", Source);
        App->Props.Add("OutFN", "tool.ime");
        Maker.ProjectOptions.Add("O_OutDir", StoredOutDir.empty() ? Package : StoredOutDir);
        if (!Maker.SaveProject(ProjectFile))
            return "";
    }
    return ProjectFile;
}

using TFileStamp = std::pair<ULONGLONG, ULONGLONG>;

// A file's size and time of last writing, read without opening it: an open reader
// would make the builder's save fail.
TFileStamp StampOf(const std::string& File)
{
    WIN32_FILE_ATTRIBUTE_DATA A{};
    if (!GetFileAttributesExA(File.c_str(), GetFileExInfoStandard, &A))
        return {0, 0};
    return {(ULONGLONG(A.nFileSizeHigh) << 32) | A.nFileSizeLow,
            (ULONGLONG(A.ftLastWriteTime.dwHighDateTime) << 32) | A.ftLastWriteTime.dwLowDateTime};
}

// What Read finds in the project file once the builder has saved it over the file
// stamped Before (it writes a new file and renames it over the old one, and may hold
// it a moment longer).
std::string ValueAfterSave(const std::string& Dir, const std::string& ProjectFile, const TFileStamp& Before,
                           const std::function<std::string(CCastamer&)>& Read)
{
    WaitFor([&] { return StampOf(ProjectFile) != Before; }, DriverWaitMs, "the builder to save " + ProjectFile);
    TBuilderServices S = DefaultBuilderServices();
    S.ProgramFileName = Dir + "\\reader\\Castbuild.exe";
    LocalFileSystem().ForceDirectories(Dir + "\\reader");
    THash Paths(true);
    std::string Value;
    WaitFor(
        [&] {
            CCastamer Reader(S, Paths);
            try {
                if (!Reader.Ready || !Reader.LoadProject(ProjectFile))
                    return false;
            } catch (const std::exception&) {
                return false; // still held by the builder
            }
            Value = Read(Reader);
            return true;
        },
        DriverWaitMs, "the saved project to load");
    return Value;
}

std::string SavedCaption(CCastamer& Project) { return Project.Settings.Lookup("Wnd_Caption"); }
std::string SavedGroup(CCastamer& Project) { return Project.Groups.Lookup("g1"); }

// Sends the end-of-session query from a thread of the test, since the window may
// ask first; the future holds the window's answer.
std::future<LRESULT> QueryEndSession(HWND Main)
{
    return std::async(std::launch::async, [Main] {
        DWORD_PTR Answer = 0;
        if (!SendMessageTimeoutA(Main, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 2 * DriverWaitMs,
                                 &Answer))
            throw EDriverError("WM_QUERYENDSESSION was not answered: " + SystemErrorText(GetLastError()));
        return static_cast<LRESULT>(Answer);
    });
}

LRESULT AnswerOf(std::future<LRESULT>& Query)
{
    if (Query.wait_for(std::chrono::milliseconds(DriverWaitMs)) != std::future_status::ready)
        throw EDriverError("the end-of-session query was not answered in time");
    return Query.get();
}

} // namespace

TEST_F(CastbuildProcess, BuildsTheOpenedProjectIntoAPackageThatInstallExeOpens)
{
    const std::string Package = Dir + "\\package";
    const std::string ProjectFile = MakeFixtureProject(Dir, Package);
    ASSERT_FALSE(ProjectFile.empty());
    // The package's installer is started by the test, not by the builder.
    THash Env(true);
    Env.Add("O_NADID", "-1");
    Env.Add("O_PAB", "0");
    Env.Add("O_VEL", "1");
    WriteEnvOptions(ProgramDir, Env);

    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "fixture project.bxp");
    WaitItem(Main, {"TTreeNode", "0/0/0", "Tool", false});
    EXPECT_EQ(TreeTexts(ReadTexts(Main)), (std::vector<std::string>{"0=Installations", "0/0=Tools", "0/0/0=Tool"}));
    PhotographWindow(Main, ScreenshotPath("castbuild_fixture_project.png"));

    PressKeys(Main, {VK_CONTROL, 'B'});
    const HWND Chooser = WaitTopWindow(P.Id(), {"", "Select Build Directory"});
    ClickItem(Chooser, WaitItem(Chooser, {"CFxButton", "", "Select"}));
    std::vector<TTextItem> Box;
    const HWND Done = WaitMessageBox(P, Box);
    EXPECT_EQ(ItemOf(Box, {"TLabel", "TextLabel"}).Text, "Installation Package built in \n\r" + Package);
    ClickItem(Done, ItemOf(Box, {"", "", "Ok"}));
    WaitWindowGone(Done);
    for (const char* Name : {"Install.exe", "view.inst", "Data\\Castremove.exe"})
        EXPECT_TRUE(LocalFileSystem().FileExists(Package + "\\" + Name)) << Name;

    TDrivenProcess Installer = TDrivenProcess::Start({Package + "\\Install.exe", {}, Package, {}, ""});
    const HWND List = WaitTopWindow(Installer.Id(), {"", "Brindlo - Installer"});
    std::vector<std::string> Rows;
    WaitItem(List, {"CFxListItem", "", "Tool"});
    for (const TTextItem& I : ReadTexts(List))
        if (I.Kind == "CFxListItem" && I.Visible)
            Rows.push_back(I.Text);
    EXPECT_EQ(std::vector<std::string>(Rows.begin(), Rows.begin() + std::min<std::size_t>(3, Rows.size())),
              (std::vector<std::string>{"Installations", "Tools", "Tool"}));
    PhotographWindow(List, ScreenshotPath("castbuild_built_package.png"));
    PostClose(List);
    Installer.WaitExit();

    // The project is unchanged by the build: the builder closes without a question.
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(CastbuildProcess, GroupsAreRenamedThroughTheTreeLabelAndDeletedWithTheDeleteKey)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);
    WaitItem(Main, {"TTreeNode", "0", "Installations"});
    const HWND Tree = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(ItemOf(ReadTexts(Main), {"TTreeView", "tView"}).Window));
    // The Delete key on the root does nothing.
    PostKey(Tree, VK_DELETE);
    WaitPainted(Main);
    EXPECT_EQ(TreeTexts(ReadTexts(Main)), (std::vector<std::string>{"0=Installations"}));

    for (int I = 0; I < 2; ++I) {
        SelectTreeItem(Main, "0");
        ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "but_NewGroup"}));
        WaitItem(Main, {"TTreeNode", "0/" + std::to_string(I), "New Group"});
    }
    // The second group is selected: its label is edited as a user does, Enter ends it.
    const LPARAM Item = SendMessageA(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    ASSERT_NE(Item, 0);
    PostMessageA(Tree, TVM_EDITLABELA, 0, Item);
    const HWND Label = WaitChild(Tree, {"Edit"});
    SetEditText(Label, "Tools|x");
    PostKey(Label, VK_RETURN);
    // "|" separates a group's fields: it cannot enter the name.
    WaitItem(Main, {"TTreeNode", "0/1", "Toolsx"});
    const std::vector<TTextItem> Items = ReadTexts(Main);
    bool NameRow = false;
    for (const TTextItem& I : Items)
        NameRow = NameRow || (I.Kind == "CFxProp_Edit" && I.Text == "Name\tToolsx");
    EXPECT_TRUE(NameRow) << ListItems(Items);

    // The Delete key on a group deletes it; the other one stays in its place.
    SelectTreeItem(Main, "0/0");
    PostKey(Tree, VK_DELETE);
    for (int Round = 0; Round < 200 && TreeTexts(ReadTexts(Main)).size() != 2; ++Round)
        Sleep(20);
    EXPECT_EQ(TreeTexts(ReadTexts(Main)), (std::vector<std::string>{"0=Installations", "0/0=Toolsx"}));
    PhotographWindow(Main, ScreenshotPath("castbuild_groups.png"));
}

TEST_F(CastbuildProcess, PreviewStartsTheInstallerOfTheTemporaryPackageWhateverTheOption)
{
    const std::string ProjectFile = MakeFixtureProject(Dir, Dir + "\\package");
    ASSERT_FALSE(ProjectFile.empty());
    THash Env(true);
    Env.Add("O_NADID", "-1");
    Env.Add("O_PAB", "0");
    Env.Add("O_VEL", "1");
    WriteEnvOptions(ProgramDir, Env);
    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "fixture project.bxp");
    WaitItem(Main, {"TTreeNode", "0/0/0", "Tool", false});
    PressKeys(Main, {VK_F5});
    TDrivenProcess Installer = WaitChildProcess(P.Id(), "Install.exe");
    const HWND List = WaitTopWindow(Installer.Id(), {"", "Brindlo - Installer"});
    WaitItem(List, {"CFxListItem", "", "Tool"});
    EXPECT_TRUE(LocalFileSystem().FileExists(ProgramDir + "\\temp\\view.inst"));
    // A preview is no build: no uninstaller goes into its "Data".
    EXPECT_FALSE(LocalFileSystem().FileExists(ProgramDir + "\\temp\\Data\\Castremove.exe"));
    PostClose(List);
    Installer.WaitExit();
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(CastbuildProcess, AnEnvironmentFileThatCannotBeWrittenIsReportedWhenTheProgramEnds)
{
    // A directory in the file's place: no file of that name can be written.
    const std::string File = ProgramDir + "\\bx_env.dat";
    ASSERT_TRUE(LocalFileSystem().ForceDirectories(File));
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    PostClose(WaitMainWindow(P));
    std::vector<TTextItem> Box;
    const HWND Error = WaitMessageBox(P, Box);
    EXPECT_NE(ItemOf(Box, {"TLabel", "TextLabel"}).Text.find("bx_env.dat"), std::string::npos) << ListItems(Box);
    ClickItem(Error, ItemOf(Box, {"", "", "Ok"}));
    EXPECT_EQ(P.WaitExit(), 1u);
    EXPECT_TRUE(LocalFileSystem().DirectoryExists(File));
}

TEST_F(CastbuildProcess, CtrlXInAnOpenEditorStaysWithTheEditorInsteadOfEndingTheProgram)
{
    TDrivenProcess P = StartBuilder(ProgramDir, {});
    const HWND Main = WaitMainWindow(P);
    ClickRowValue(Main, "Wnd_Caption");
    const HWND Editor = WaitChild(Main, {"Edit"});
    SetEditText(Editor, "Typed");
    SendMessageA(Editor, EM_SETSEL, 0, -1);
    PressKeys(Main, {VK_CONTROL, 'X'});
    WaitPainted(Main);
    EXPECT_TRUE(P.Running());
    EXPECT_TRUE(IsWindowVisible(Editor));
    EXPECT_EQ(FindTopWindow(P.Id(), {"", "Brindlo"}), nullptr);
    // Escape gives the editor's text up; outside an editor Ctrl+X is Exit.
    PostKey(Editor, VK_ESCAPE);
    WaitWindowGone(Editor);
    PressKeys(Main, {VK_CONTROL, 'X'});
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(CastbuildProcess, CtrlSWhileAValueIsStillBeingEditedSavesIt)
{
    const std::string ProjectFile = MakeFixtureProject(Dir, Dir + "\\package");
    ASSERT_FALSE(ProjectFile.empty());
    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "fixture project.bxp");
    WaitItem(Main, {"TTreeNode", "0/0/0", "Tool", false});
    // The project is unchanged but for what the open editor holds.
    ClickRowValue(Main, "Wnd_Caption");
    SetEditText(WaitChild(Main, {"Edit"}), "Typed");
    const TFileStamp Before = StampOf(ProjectFile);
    PressKeys(Main, {VK_CONTROL, 'S'});
    EXPECT_EQ(ValueAfterSave(Dir, ProjectFile, Before, SavedCaption), "Typed");
    EXPECT_EQ(WaitItem(Main, {"", "Wnd_Caption"}).Text, "Caption\tTyped");
    // Saved: the window closes without a question.
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(CastbuildProcess, ATreeRenameInProgressIsEndedByTheCommands)
{
    const std::string ProjectFile = MakeFixtureProject(Dir, Dir + "\\package");
    ASSERT_FALSE(ProjectFile.empty());
    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "fixture project.bxp");
    WaitItem(Main, {"TTreeNode", "0/0/0", "Tool", false});
    const HWND Tree =
        reinterpret_cast<HWND>(static_cast<std::uintptr_t>(ItemOf(ReadTexts(Main), {"TTreeView", "tView"}).Window));
    // The group's label is being edited, the project otherwise unchanged.
    // The group stays selected throughout: a click on a selected label would edit it too.
    const auto Rename = [&](const std::string& Text) {
        PostMessageA(Tree, TVM_EDITLABELA, 0, SendMessageA(Tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        const HWND Label = WaitChild(Tree, {"Edit"});
        SetEditText(Label, Text);
        return Label;
    };

    // Ctrl+S saves the new name.
    PostMessageA(Tree, TVM_EXPAND, TVE_EXPAND, SendMessageA(Tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    SelectTreeItem(Main, "0/0");
    HWND Label = Rename("Renamed");
    const TFileStamp Before = StampOf(ProjectFile);
    PressKeys(Main, {VK_CONTROL, 'S'});
    EXPECT_EQ(ValueAfterSave(Dir, ProjectFile, Before, SavedGroup), "Renamed||true");
    WaitWindowGone(Label);
    EXPECT_EQ(TreeItem(ReadTexts(Main), "0/0").Text, "Renamed");

    // On the saved project Ctrl+N and Ctrl+O count the rename as a change: they ask,
    // and "No" keeps it.
    for (const WORD Key : {WORD('N'), WORD('O')}) {
        const std::string Name = std::string("Other ") + char(Key);
        Label = Rename(Name);
        PressKeys(Main, {VK_CONTROL, Key});
        std::vector<TTextItem> Box;
        const HWND Question = WaitMessageBox(P, Box);
        EXPECT_EQ(ItemOf(Box, {"TLabel", "TextLabel"}).Text,
                  "Brindlo project is unsaved\n\rdo you still want to continue ?");
        ClickItem(Question, ItemOf(Box, {"", "", "No"}));
        WaitWindowGone(Question);
        EXPECT_FALSE(IsWindow(Label)) << Name;
        EXPECT_EQ(TreeItem(ReadTexts(Main), "0/0").Text, Name);
        EXPECT_EQ(FindTopWindow(P.Id(), {"#32770"}), nullptr) << Name; // no open dialog
        const TFileStamp Unsaved = StampOf(ProjectFile);
        PressKeys(Main, {VK_CONTROL, 'S'});
        EXPECT_EQ(ValueAfterSave(Dir, ProjectFile, Unsaved, SavedGroup), Name + "||true");
    }
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(CastbuildProcess, TheEndOfTheSessionAsksTheCloseQuestionOfAModifiedProject)
{
    const std::string ProjectFile = MakeFixtureProject(Dir, Dir + "\\package");
    ASSERT_FALSE(ProjectFile.empty());
    const std::string Saved = ReadWholeFile(ProjectFile);
    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "fixture project.bxp");
    WaitItem(Main, {"TTreeNode", "0/0/0", "Tool", false});
    // Unchanged: the session may end without a question.
    std::future<LRESULT> Query = QueryEndSession(Main);
    EXPECT_EQ(AnswerOf(Query), TRUE);
    EXPECT_EQ(FindTopWindow(P.Id(), {"", "Brindlo"}), nullptr);

    // A value still in its editor is a change.
    ClickRowValue(Main, "Wnd_Caption");
    SetEditText(WaitChild(Main, {"Edit"}), "Typed");
    struct TCase {
        const char* Button;
        LRESULT Answer;
    };
    for (const TCase C : {TCase{"No", FALSE}, TCase{"Yes", TRUE}}) {
        Query = QueryEndSession(Main);
        std::vector<TTextItem> Box;
        const HWND Question = WaitMessageBox(P, Box);
        EXPECT_EQ(ItemOf(Box, {"TLabel", "TextLabel"}).Text,
                  "Brindlo project is unsaved\n\rdo you still want to continue ?");
        ClickItem(Question, ItemOf(Box, {"", "", C.Button}));
        EXPECT_EQ(AnswerOf(Query), C.Answer) << C.Button;
        EXPECT_TRUE(P.Running()) << C.Button;
        EXPECT_EQ(WaitItem(Main, {"", "Wnd_Caption"}).Text, "Caption\tTyped") << C.Button;
    }
    // The session ends: the program with it, the project file as it was.
    SendMessageTimeoutA(Main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, DriverWaitMs, nullptr);
    EXPECT_EQ(P.WaitExit(), 0u);
    EXPECT_EQ(ReadWholeFile(ProjectFile), Saved);
    EXPECT_EQ(EnvText(ReadEnvOptions(ProgramDir)), "O_NADID=-1 O_PAB=1 O_VEL=1 ");
}

TEST_F(CastbuildProcess, BuildTakesAnOutputDirectoryWithoutADriveOnTheCurrentDrive)
{
    const std::string Package = Dir + "\\package";
    ASSERT_EQ(Package.substr(1, 2), ":\\");
    // As a project written by hand names it: on the drive the builder runs from.
    const std::string ProjectFile = MakeFixtureProject(Dir, Package, Package.substr(2));
    ASSERT_FALSE(ProjectFile.empty());
    THash Env(true);
    Env.Add("O_NADID", "-1");
    Env.Add("O_PAB", "0");
    Env.Add("O_VEL", "1");
    WriteEnvOptions(ProgramDir, Env);
    TDrivenProcess P = StartBuilder(ProgramDir, {ProjectFile});
    const HWND Main = WaitMainWindow(P, "fixture project.bxp");
    WaitItem(Main, {"TTreeNode", "0/0/0", "Tool", false});

    PressKeys(Main, {VK_F7});
    const HWND Chooser = WaitTopWindow(P.Id(), {"", "Select Build Directory"});
    ClickItem(Chooser, WaitItem(Chooser, {"CFxButton", "", "Select"}));
    std::vector<TTextItem> Box;
    const HWND Done = WaitMessageBox(P, Box);
    EXPECT_EQ(ItemOf(Box, {"TLabel", "TextLabel"}).Text, "Installation Package built in \n\r" + Package);
    ClickItem(Done, ItemOf(Box, {"", "", "Ok"}));
    WaitWindowGone(Done);
    for (const char* Name : {"Install.exe", "view.inst", "Data\\tool.ime"})
        EXPECT_TRUE(LocalFileSystem().FileExists(Package + "\\" + Name)) << Name;
    // The project now names the directory in full.
    const TFileStamp Before = StampOf(ProjectFile);
    PressKeys(Main, {VK_CONTROL, 'S'});
    EXPECT_EQ(ValueAfterSave(Dir, ProjectFile, Before, [](CCastamer& C) { return C.ProjectOptions.Lookup("O_OutDir"); }),
              Package);
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}
