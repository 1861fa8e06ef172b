// A package installed and removed again the way a user does it: Install.exe and
// Castremove.exe run as processes of their own in a Wine prefix of this test alone,
// driven from outside. run_e2e runs "Prepare", takes the prefix's snapshot, runs the
// rest and compares the snapshot after it.
#include "e2e_fixture.h"

#include "archive.h"
#include "driver.h"
#include "hash.h"
#include "memory_stream.h"
#include "shell_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

namespace {

const std::string Root = std::string(BRINDLO_SCRATCH_DIR) + "\\e2e";
const std::string Source = Root + "\\source";
const std::string Package = Root + "\\package";
const std::string Shell = Root + "\\shell";
const std::string Desktop = Shell + "\\Desktop";
const std::string Programs = Shell + "\\Programs";
const std::string Startup = Shell + "\\Startup";
const std::string Quick = Shell + "\\Quick Launch";
const std::string UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// Placed beside the installation's entry before anything else: it must stay.
const std::string Neighbour = UninstallKey + "Brindlo e2e neighbour";
const std::string Company = "C:\\Program Files\\Acme";
const std::string Dir = Company + "\\Tool 100%";
const std::string LogPath = Dir + "\\uinst.log";
const std::string Uninstaller = "C:\\windows\\Castremove.exe";
const TFixturePackage Fixture;

bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void SetString(HKEY Root, const std::string& Key, const std::string& Name, const std::string& Value)
{
    HKEY K = nullptr;
    ASSERT_EQ(RegCreateKeyExA(Root, Key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &K, nullptr), ERROR_SUCCESS)
        << Key;
    RegSetValueExA(K, Name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(Value.c_str()),
                   static_cast<DWORD>(Value.size() + 1));
    RegCloseKey(K);
}

// The string value, or "<none>" when the key or value is missing.
std::string GetString(HKEY Root, const std::string& Key, const std::string& Name)
{
    char Buffer[1024] = {};
    DWORD Size = sizeof Buffer - 1;
    if (RegGetValueA(Root, Key.c_str(), Name.c_str(), RRF_RT_REG_SZ, nullptr, Buffer, &Size) != ERROR_SUCCESS)
        return "<none>";
    return Buffer;
}

bool KeyExists(HKEY Root, const std::string& Key)
{
    HKEY K = nullptr;
    if (RegOpenKeyExA(Root, Key.c_str(), 0, KEY_READ, &K) != ERROR_SUCCESS)
        return false;
    RegCloseKey(K);
    return true;
}

// Every file and directory below Dir, relative, files with their bytes' size.
std::vector<std::string> TreeOf(const std::string& Top)
{
    THash Dirs(false), Files(false);
    ScanDirTree(Top, "*.*", Dirs, Files);
    std::vector<std::string> V;
    for (const THashPair& P : Dirs.Pairs())
        V.push_back("d " + P.Value.substr(std::min(P.Value.size(), Top.size())));
    for (const THashPair& P : Files.Pairs()) {
        const std::string Path = JoinPath(Dirs.Lookup(P.Key), P.Value);
        V.push_back("f " + Path.substr(std::min(Path.size(), Top.size())));
    }
    std::sort(V.begin(), V.end());
    return V;
}

std::vector<std::string> Lines(const std::string& Bytes)
{
    std::vector<std::string> V;
    std::size_t Start = 0;
    for (std::size_t E; (E = Bytes.find("\r\n", Start)) != std::string::npos; Start = E + 2)
        V.push_back(Bytes.substr(Start, E - Start));
    EXPECT_EQ(Start, Bytes.size()) << "the log's last line has no CR LF";
    return V;
}

// The archive's two tables, read as the format lays them out: the order in which
// the installer must create and log directories and files.
void ArchiveOrder(const std::string& Archive, std::vector<std::string>& Dirs, std::vector<std::string>& Files)
{
    const std::string B = ReadWholeFile(Archive);
    ASSERT_GE(B.size(), 24u);
    const auto U32 = [&](std::size_t At) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(B[At])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(B[At + 1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(B[At + 2])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(B[At + 3])) << 24;
    };
    TMemoryStream S(B);
    THash D(false), F(false);
    S.SetPosition(U32(16));
    D.LoadFromStream(S);
    S.SetPosition(U32(12));
    F.LoadFromStream(S);
    std::vector<std::string> Rel;
    for (const THashPair& P : D.Pairs()) {
        Rel.push_back(P.Value);
        Dirs.push_back(JoinPath(Dir, P.Value));
    }
    for (const THashPair& P : F.Pairs())
        Files.push_back(JoinPath(JoinPath(Dir, Rel[static_cast<std::size_t>(std::stoi(P.Key))]), P.Value));
}

struct TLink {
    std::string Path, Arguments, WorkDir, Description;
};

TLink ReadLink(const std::string& LinkFile)
{
    TLink L;
    if (FAILED(CoInitialize(nullptr)))
        return L;
    IShellLinkA* Link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&Link)))) {
        IPersistFile* File = nullptr;
        if (SUCCEEDED(Link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&File)))) {
            std::wstring W(LinkFile.begin(), LinkFile.end());
            if (SUCCEEDED(File->Load(W.c_str(), STGM_READ))) {
                char Buffer[MAX_PATH * 2] = {};
                Link->GetPath(Buffer, sizeof Buffer, nullptr, SLGP_RAWPATH);
                L.Path = Buffer;
                Buffer[0] = 0;
                Link->GetArguments(Buffer, sizeof Buffer);
                L.Arguments = Buffer;
                Buffer[0] = 0;
                Link->GetWorkingDirectory(Buffer, sizeof Buffer);
                L.WorkDir = Buffer;
                Buffer[0] = 0;
                Link->GetDescription(Buffer, sizeof Buffer);
                L.Description = Buffer;
            }
            File->Release();
        }
        Link->Release();
    }
    CoUninitialize();
    return L;
}

std::vector<std::string> Rows(const std::vector<TTextItem>& Items)
{
    std::vector<std::string> V;
    for (const TTextItem& I : Items)
        if (I.Kind == "CFxListItem" && I.Visible)
            V.push_back(I.Text);
    return V;
}

const std::vector<std::string> Plugins = {"first.dll", "second.dll"};

HWND WindowOf(const TTextItem& Item) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(Item.Window)); }

// Until the control Name of Form is enabled (or disabled) as wanted.
bool WaitEnabled(HWND Form, const std::string& Name, bool Want)
{
    for (int I = 0; I < 250; ++I) {
        if (ItemOf(ReadTexts(Form), {"", Name}).Enabled == Want)
            return true;
        Sleep(20);
    }
    return false;
}

// Through the licence panel and the directory chooser to the success message.
void Install(bool Photograph)
{
    TDrivenProcess P = TDrivenProcess::Start({Package + "\\Install.exe", {}, Package, {}, ""});
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Installer"});
    const std::vector<TTextItem> Items = ReadTexts(Main);
    const std::vector<std::string> R = Rows(Items);
    ASSERT_GE(R.size(), 3u) << ListItems(Items);
    ASSERT_EQ(std::vector<std::string>(R.begin(), R.begin() + 3),
              (std::vector<std::string>{"Installations", Fixture.AppName, "Install"}))
        << ListItems(Items);
    ClickItem(Main, ItemOf(Items, {"CFxListItem", "", "Install"}));

    const TTextItem Next = WaitItem(Main, {"CFxButton", "butNext"});
    std::vector<TTextItem> Panel = ReadTexts(Main);
    EXPECT_FALSE(Next.Enabled);
    EXPECT_TRUE(ItemOf(Panel, {"CFxButton", "butClose"}).Enabled);
    EXPECT_EQ(ItemOf(Panel, {"TMemo", "mLec"}).Text, Fixture.Licence);
    EXPECT_EQ(ItemOf(Panel, {"TGroupBox", "GroupBox1"}).Text, "License Agreement:");
    // "Next" stays disabled until "I Agree": the system lets no click reach it.
    EXPECT_FALSE(IsWindowEnabled(WindowOf(Next)));
    ClickButton(WindowOf(ItemOf(Panel, {"TRadioButton", "RadioButton2"})));
    WaitPainted(Main);
    EXPECT_FALSE(ItemOf(ReadTexts(Main), {"CFxButton", "butNext"}).Enabled);
    ClickButton(WindowOf(ItemOf(Panel, {"TRadioButton", "rbNext"})));
    ASSERT_TRUE(WaitEnabled(Main, "butNext", true)) << "\"I Agree\" did not enable \"Next\"";
    if (Photograph) {
        WaitPainted(Main);
        PhotographWindow(Main, ScreenshotPath("e2e_licence_panel.png"));
    }
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxButton", "butNext"}));

    const HWND Chooser = WaitTopWindow(P.Id(), {"", "Select Installation Directory"});
    const TTextItem Current = WaitItem(Chooser, {"TLabel"});
    EXPECT_EQ(Current.Text, Dir);
    WaitPainted(Chooser);
    if (Photograph) {
        PhotographWindow(Chooser, ScreenshotPath("e2e_directory_chooser.png"));
    }
    ClickItem(Chooser, ItemOf(ReadTexts(Chooser), {"CFxButton", "", "Select"}));
    // A window going away while the windows are searched fails the search.
    WaitWindowGone(Chooser);

    const HWND Box = WaitTopWindow(P.Id(), {"", "Brindlo", true, {Main}});
    const std::vector<TTextItem> Said = ReadTexts(Box);
    EXPECT_NE(FindItem(Said, {"", "", Fixture.AppName + " successfuly installed"}), nullptr) << ListItems(Said);
    if (Photograph) {
        WaitPainted(Box);
        PhotographWindow(Box, ScreenshotPath("e2e_success_message.png"));
    }
    ClickItem(Box, ItemOf(Said, {"", "", "Ok"}));
    WaitWindowGone(Box);
    EXPECT_FALSE(ItemOf(ReadTexts(Main), {"TPanel", "lic", "", false}).Visible);
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

bool Shows(HWND Box, const std::string& Text)
{
    const std::vector<std::string> T = DialogTexts(Box);
    return std::find(T.begin(), T.end(), Text) != T.end();
}

// Castremove started as Start says: its question answered with Answer; with OK, the
// closing text awaited and confirmed.
void Uninstall(const TProgramStart& Start, const std::string& Answer, bool Photograph)
{
    TDrivenProcess P = TDrivenProcess::Start(Start);
    const HWND Question = WaitTopWindow(P.Id(), {"#32770"});
    EXPECT_TRUE(Shows(Question, "Do you realy what to uninstall " + Fixture.CompName + " " + Fixture.AppName))
        << ::testing::PrintToString(DialogTexts(Question));
    if (Photograph)
        PhotographWindow(Question, ScreenshotPath("e2e_uninstall_confirmation.png"));
    ClickDialogButton(Question, Answer);
    if (Answer == "OK") {
        const HWND Closing = WaitTopWindow(P.Id(), {"#32770", "", true, {Question}});
        EXPECT_TRUE(Shows(Closing, Fixture.CompName + " " + Fixture.AppName + " uninstalled"))
            << ::testing::PrintToString(DialogTexts(Closing));
        if (Photograph) {
            // The replay is done; its window still shows the last item and the bar,
            // once the box in front of it is moved aside.
            SetWindowPos(Closing, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            for (HWND W : TopWindows(P.Id(), {"", "Uninstall", false}))
                if (W != Closing && IsWindowVisible(W)) {
                    WaitPainted(W);
                    PhotographWindow(W, ScreenshotPath("e2e_uninstall_progress.png"));
                }
        }
        ClickDialogButton(Closing, "OK");
    }
    EXPECT_EQ(P.WaitExit(), 0u);
}

std::string ArchiveFile()
{
    THash Dirs(false), Files(false);
    ScanDirTree(Package + "\\Data", "*.*", Dirs, Files);
    for (const THashPair& F : Files.Pairs())
        if (F.Value != "Castremove.exe")
            return JoinPath(Dirs.Lookup(F.Key), F.Value);
    return std::string();
}

std::vector<std::string> ExpectedLog()
{
    std::vector<std::string> Dirs, Files;
    ArchiveOrder(ArchiveFile(), Dirs, Files);
    std::vector<std::string> L = {"[DelFile]%" + LogPath, "[DelDir]%" + Company};
    for (const std::string& D : Dirs)
        L.push_back("[DelDir]%" + D);
    for (const std::string& F : Files)
        L.push_back("[DelFile]%" + F);
    const std::string Group = Programs + "\\" + Fixture.Group;
    const std::string Key = "\\" + UninstallKey + Fixture.AppName;
    const std::vector<std::string> Rest = {
        "[DelFile]%" + Desktop + "\\Tool.lnk",
        "[DelFile]%" + Group + "\\Tool.lnk",
        "[DelDir]%" + Group,
        "[DelFile]%" + Quick + "\\Tool.lnk",
        "[DelFile]%" + Group + "\\Uninstall Tool.lnk",
        "[DelDir]%" + Group,
        "[DelValue]%%" + Key + "%DisplayName",
        "[DelValue]%%" + Key + "%UninstallString",
        "[DelKey]%%" + Key,
        "[UImes 1]%Do you realy what to uninstall " + Fixture.CompName + " " + Fixture.AppName,
        "[UImes 2]%" + Fixture.CompName + " " + Fixture.AppName + " uninstalled",
    };
    L.insert(L.end(), Rest.begin(), Rest.end());
    return L;
}

void ExpectInstalled()
{
    // The tree, byte for byte.
    std::vector<std::string> Want = TreeOf(Source);
    Want.push_back("f \\uinst.log");
    std::sort(Want.begin(), Want.end());
    EXPECT_EQ(TreeOf(Dir), Want);
    for (const std::string& Entry : TreeOf(Source)) {
        if (Entry[0] == 'f') {
            EXPECT_EQ(ReadWholeFile(Dir + Entry.substr(2)), ReadWholeFile(Source + Entry.substr(2))) << Entry;
        }
    }
    EXPECT_EQ(Lines(ReadWholeFile(LogPath)), ExpectedLog());

    const std::string Tool = Dir + "\\bin\\tool.exe";
    const std::string Group = Programs + "\\" + Fixture.Group;
    const struct {
        std::string Link, Path, Arguments, WorkDir, Description;
    } Links[] = {
        {Desktop + "\\Tool.lnk", Tool, "", "", "Tool"},
        {Group + "\\Tool.lnk", Tool, "", "", "Tool"},
        {Quick + "\\Tool.lnk", Tool, "", "", "Tool"},
        {Group + "\\Uninstall Tool.lnk", Uninstaller, "#uninstall \"" + LogPath + "\"", Dir, "Uninstall Tool"},
    };
    for (const auto& L : Links) {
        SCOPED_TRACE(L.Link);
        const TLink R = ReadLink(L.Link);
        EXPECT_EQ(R.Path, L.Path);
        EXPECT_EQ(R.Arguments, L.Arguments);
        EXPECT_EQ(R.WorkDir, L.WorkDir);
        EXPECT_EQ(R.Description, L.Description);
    }
    EXPECT_EQ(TreeOf(Startup), std::vector<std::string>{"d "});
    const std::string Key = UninstallKey + Fixture.AppName;
    EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, Key, "DisplayName"), Fixture.CompName + " " + Fixture.AppName);
    EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, Key, "UninstallString"),
              Uninstaller + " #uninstall \"" + LogPath + "\"");
    EXPECT_TRUE(ReadWholeFile(Uninstaller) == ReadWholeFile(Package + "\\Data\\Castremove.exe"))
        << "Castremove.exe in the Windows directory differs from the package's";
    // Every plug-in heard of the installation in the chosen directory.
    for (const std::string& Plugin : Plugins) {
        const std::string Heard = ReadWholeFile(Package + "\\plugins\\" + Plugin + ".log");
        const std::size_t At = Heard.find("event=1003\n");
        ASSERT_NE(At, std::string::npos) << Plugin << ":\n" << Heard;
        EXPECT_NE(Heard.find("GetInstallDir=" + Dir + "\n", At), std::string::npos) << Heard;
        EXPECT_NE(Heard.find("GetAppName=" + Fixture.AppName + "\n", At), std::string::npos) << Heard;
    }
}

void ExpectRemoved(const std::string& Why)
{
    SCOPED_TRACE(Why);
    for (const std::string& L : ExpectedLog()) {
        const std::string Path = L.substr(L.find('%') + 1);
        if (L.rfind("[DelFile]", 0) == 0 || (L.rfind("[DelDir]", 0) == 0 && Path != Dir && Path != Company)) {
            EXPECT_FALSE(Exists(Path)) << Path;
        }
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey + Fixture.AppName));
    EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, Neighbour, "DisplayName"), "a neighbour");
    EXPECT_EQ(TreeOf(Shell), (std::vector<std::string>{"d ", "d \\Desktop", "d \\Programs", "d \\Quick Launch",
                                                        "d \\Startup"}));
    EXPECT_TRUE(Exists(Uninstaller));
}

} // namespace

// The package, the shell folders in the test's own directory, the neighbouring key;
// leftovers of an earlier run go.
TEST(E2E, Prepare)
{
    SetFileAttributesA(Uninstaller.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(Uninstaller.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (UninstallKey + Fixture.AppName).c_str());
    ASSERT_FALSE(Exists(Company)) << "an earlier run left " << Company << "; the prefix must be made again";
    THash Dirs(false), Files(false);
    if (Exists(Root)) {
        ScanDirTree(Root, "*.*", Dirs, Files);
        for (const THashPair& F : Files.Pairs())
            DeleteFileA(F.Value.c_str());
        for (int I = Dirs.Count() - 1; I >= 0; --I)
            RemoveDirectoryA(Dirs.Pairs()[static_cast<std::size_t>(I)].Value.c_str());
    }
    for (const std::string& D : {Desktop, Programs, Startup, Quick})
        ASSERT_TRUE(LocalFileSystem().ForceDirectories(D)) << D;
    MakeFixtureTree(Source);
    const std::vector<std::string> Messages =
        BuildFixturePackage(Fixture, Source, Package, ExtractFilePath(BuiltProgramPath("Install.exe")));
    ASSERT_TRUE(Messages.empty()) << ::testing::PrintToString(Messages);
    ASSERT_TRUE(Exists(Package + "\\Data\\Castremove.exe"));
    // The package carries the very files the build ships (stripped, see cmake/release.cmake).
    for (const std::string& Name : {std::string("Install.exe"), std::string("Data\\Castremove.exe")})
        EXPECT_TRUE(ReadWholeFile(Package + "\\" + Name) == ReadWholeFile(BuiltProgramPath(ExtractFileName(Name))))
            << Name << " differs from the build's";
    LocalFileSystem().ForceDirectories(Package + "\\plugins");
    for (const std::string& Plugin : Plugins)
        ASSERT_TRUE(CopyFileA(BesideThisProgram("test_plugin.dll").c_str(), (Package + "\\plugins\\" + Plugin).c_str(),
                              FALSE));

    const std::string Folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    for (const char* Key : {"Shell Folders", "User Shell Folders"}) {
        SetString(HKEY_CURRENT_USER, Folders + Key, "Desktop", Desktop);
        SetString(HKEY_CURRENT_USER, Folders + Key, "Programs", Programs);
        SetString(HKEY_CURRENT_USER, Folders + Key, "Startup", Startup);
    }
    SetString(HKEY_CURRENT_USER, "Software\\MicroSoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups", "Quick Launch",
              Quick);
    SetString(HKEY_LOCAL_MACHINE, Neighbour, "DisplayName", "a neighbour");

    // Both programs once, so that what Wine writes on a program's first start is in
    // the snapshot before.
    TDrivenProcess P = TDrivenProcess::Start({Package + "\\Install.exe", {}, Package, {}, ""});
    PostClose(WaitTopWindow(P.Id(), {"", "Brindlo - Installer"}));
    EXPECT_EQ(P.WaitExit(), 0u);
    TDrivenProcess R = TDrivenProcess::Start({BuiltProgramPath("Castremove.exe"), {}, Root, {}, ""});
    EXPECT_EQ(R.WaitExit(), 0u);
    for (const std::string& Plugin : Plugins)
        DeleteFileA((Package + "\\plugins\\" + Plugin + ".log").c_str());
}

TEST(E2E, InstallAndUninstall)
{
    ASSERT_TRUE(Exists(Package + "\\Install.exe")) << "run E2E.Prepare first";
    ASSERT_FALSE(Exists(Company));
    Install(true);
    ExpectInstalled();
    if (HasFailure())
        return;

    // Through the registered command line; a cancel first, which removes nothing.
    const std::string Command = GetString(HKEY_LOCAL_MACHINE, UninstallKey + Fixture.AppName, "UninstallString");
    const std::string Marker = " #uninstall \"";
    const std::size_t At = Command.find(Marker);
    ASSERT_NE(At, std::string::npos) << Command;
    const TProgramStart ByEntry = {Command.substr(0, At),
                                   {"#uninstall", Command.substr(At + Marker.size(),
                                                                 Command.size() - At - Marker.size() - 1)},
                                   Root,
                                   {},
                                   ""};
    Uninstall(ByEntry, "Cancel", true);
    ExpectInstalled();

    // Something of the user's in the installation directory keeps it, and only it.
    ASSERT_TRUE(CreateDirectoryA((Dir + "\\mine").c_str(), nullptr));
    WriteWholeFile(Dir + "\\mine\\notes.txt", "mine");
    Uninstall(ByEntry, "OK", true);
    ExpectRemoved("by the Uninstall entry");
    EXPECT_EQ(TreeOf(Dir), (std::vector<std::string>{"d ", "d \\mine", "f \\mine\\notes.txt"}));
    EXPECT_TRUE(Exists(Company));
    DeleteFileA((Dir + "\\mine\\notes.txt").c_str());
    RemoveDirectoryA((Dir + "\\mine").c_str());
    RemoveDirectoryA(Dir.c_str());
    RemoveDirectoryA(Company.c_str());
    for (const std::string& Plugin : Plugins)
        DeleteFileA((Package + "\\plugins\\" + Plugin + ".log").c_str());

    // Again, and away through the uninstall shortcut, from the installation directory.
    Install(false);
    ExpectInstalled();
    const TLink Link = ReadLink(Programs + "\\" + Fixture.Group + "\\Uninstall Tool.lnk");
    const std::size_t Quote = Link.Arguments.find('"');
    ASSERT_NE(Quote, std::string::npos) << Link.Arguments;
    Uninstall({Link.Path,
               {Link.Arguments.substr(0, Quote - 1), Link.Arguments.substr(Quote + 1, Link.Arguments.size() - Quote - 2)},
               Link.WorkDir,
               {},
               ""},
              "OK", false);
    ExpectRemoved("by the uninstall shortcut");
    EXPECT_FALSE(Exists(Dir));
    // Made for the default directory, logged, and gone with it.
    EXPECT_FALSE(Exists(Company));
    for (const std::string& Plugin : Plugins)
        DeleteFileA((Package + "\\plugins\\" + Plugin + ".log").c_str());
}
