// Packages installed and removed again the way a user does it: Install.exe and
// Castremove.exe run as processes of their own in a Wine prefix of this test alone,
// driven from outside. run_e2e runs "Prepare", then each of the others between two
// snapshots of the prefix, which must be equal.
#include "e2e_fixture.h"

#include "archive.h"
#include "driver.h"
#include "hash.h"
#include "memory_file_system.h"
#include "memory_stream.h"
#include "path_and_dir_helpers.h"
#include "test_dirs.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <sddl.h>
#include <shlobj.h>

#include <algorithm>

namespace {

const std::string Root = std::string(BRINDLO_SCRATCH_DIR) + "\\e2e";
const std::string Source = Root + "\\source";
const std::string Shell = Root + "\\shell";
const std::string Desktop = Shell + "\\Desktop";
const std::string Programs = Shell + "\\Programs";
const std::string Startup = Shell + "\\Startup";
const std::string Quick = Shell + "\\Quick Launch";
const std::string UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// Placed beside the installation's entry before anything else: it must stay.
const std::string Neighbour = UninstallKey + "Brindlo e2e neighbour";
const std::string Uninstaller = "C:\\windows\\Castremove.exe";

// One package of the run and where it installs.
struct TCase {
    TFixturePackage Fixture;
    std::string Package;
    std::string Company; // made for the default directory, gone with the installation
    std::string Dir;
    std::string GroupFolder; // the programs menu's folder of its links
    bool Plugins;
    std::string LogPath() const { return Dir + "\\uinst.log"; }
};

TCase MakeCase(const std::string& Name, const std::string& AppName, const std::string& CompName,
               const std::string& Company, const std::string& Group, const std::string& GroupFolder, bool Plugins)
{
    TCase C{TFixturePackage(), Root + "\\" + Name, Company, Company + "\\" + AppName, GroupFolder, Plugins};
    C.Fixture.AppName = AppName;
    C.Fixture.CompName = CompName;
    C.Fixture.Group = Group;
    return C;
}

const TCase Main = MakeCase("package", "Tool 100%", "Acme", "C:\\Program Files\\Acme", "Acme Tool", "Acme Tool", true);
// Windows makes "Inc." as "Inc", and so the group folder.
const TCase Dotted = MakeCase("dotted", "Tool App", "Brindlo Demo Inc.", "C:\\Program Files\\Brindlo Demo Inc",
                              "Brindlo Demo Inc.", "Brindlo Demo Inc", false);
// One bit flipped in the middle of its archive's compressed data.
const TCase Damaged =
    MakeCase("damaged", "Tool Damaged", "Acme", "C:\\Program Files\\Acme", "Acme Tool", "Acme Tool", false);
// Its Uninstall entry's key is there, and refuses values while the test runs.
const TCase Denied =
    MakeCase("denied", "Tool Denied", "Acme", "C:\\Program Files\\Acme", "Acme Tool", "Acme Tool", false);
const TCase* const Cases[] = {&Main, &Dotted, &Damaged, &Denied};

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
void ArchiveOrder(const std::string& Archive, const std::string& Dir, std::vector<std::string>& Dirs,
                  std::vector<std::string>& Files)
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

// Through the licence panel and the directory chooser to the message that begins
// with Said (by default the success message).
void Install(const TCase& C, bool Photograph, std::string Expected = "")
{
    const TFixturePackage& Fixture = C.Fixture;
    if (Expected.empty())
        Expected = Fixture.AppName + " successfuly installed";
    TDrivenProcess P = TDrivenProcess::Start({C.Package + "\\Install.exe", {}, C.Package, {}, ""});
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
    EXPECT_EQ(Current.Text, C.Dir);
    WaitPainted(Chooser);
    if (Photograph) {
        PhotographWindow(Chooser, ScreenshotPath("e2e_directory_chooser.png"));
    }
    ClickItem(Chooser, ItemOf(ReadTexts(Chooser), {"CFxButton", "", "Select"}));
    // A window going away while the windows are searched fails the search.
    WaitWindowGone(Chooser);

    const HWND Box = WaitTopWindow(P.Id(), {"", "Brindlo", true, {Main}});
    const std::vector<TTextItem> Said = ReadTexts(Box);
    EXPECT_TRUE(std::any_of(Said.begin(), Said.end(), [&](const TTextItem& I) { return I.Text.rfind(Expected, 0) == 0; }))
        << Expected << "\n" << ListItems(Said);
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
void Uninstall(const TCase& C, const TProgramStart& Start, const std::string& Answer, bool Photograph)
{
    const TFixturePackage& Fixture = C.Fixture;
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

std::string ArchiveFile(const TCase& C)
{
    THash Dirs(false), Files(false);
    ScanDirTree(C.Package + "\\Data", "*.*", Dirs, Files);
    for (const THashPair& F : Files.Pairs())
        if (F.Value != "Castremove.exe")
            return JoinPath(Dirs.Lookup(F.Key), F.Value);
    return std::string();
}

std::vector<std::string> ExpectedLog(const TCase& C)
{
    const TFixturePackage& Fixture = C.Fixture;
    std::vector<std::string> Dirs, Files;
    ArchiveOrder(ArchiveFile(C), C.Dir, Dirs, Files);
    std::vector<std::string> L = {"[DelFile]%" + C.LogPath(), "[DelDir]%" + C.Company};
    for (const std::string& D : Dirs)
        L.push_back("[DelDir]%" + D);
    for (const std::string& F : Files)
        L.push_back("[DelFile]%" + F);
    const std::string Group = Programs + "\\" + C.GroupFolder;
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

void ExpectInstalled(const TCase& C)
{
    const TFixturePackage& Fixture = C.Fixture;
    const std::string& Dir = C.Dir;
    const std::string LogPath = C.LogPath();
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
    EXPECT_EQ(Lines(ReadWholeFile(LogPath)), ExpectedLog(C));

    const std::string Tool = Dir + "\\bin\\tool.exe";
    const std::string Group = Programs + "\\" + C.GroupFolder;
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
    EXPECT_TRUE(ReadWholeFile(Uninstaller) == ReadWholeFile(C.Package + "\\Data\\Castremove.exe"))
        << "Castremove.exe in the Windows directory differs from the package's";
    if (!C.Plugins)
        return;
    // Every plug-in heard of the installation in the chosen directory.
    for (const std::string& Plugin : Plugins) {
        const std::string Heard = ReadWholeFile(C.Package + "\\plugins\\" + Plugin + ".log");
        const std::size_t At = Heard.find("event=1003\n");
        ASSERT_NE(At, std::string::npos) << Plugin << ":\n" << Heard;
        EXPECT_NE(Heard.find("GetInstallDir=" + Dir + "\n", At), std::string::npos) << Heard;
        EXPECT_NE(Heard.find("GetAppName=" + Fixture.AppName + "\n", At), std::string::npos) << Heard;
    }
}

void ExpectRemoved(const TCase& C, const std::string& Why)
{
    SCOPED_TRACE(Why);
    for (const std::string& L : ExpectedLog(C)) {
        const std::string Path = L.substr(L.find('%') + 1);
        if (L.rfind("[DelFile]", 0) == 0 || (L.rfind("[DelDir]", 0) == 0 && Path != C.Dir && Path != C.Company)) {
            EXPECT_FALSE(Exists(Path)) << Path;
        }
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UninstallKey + C.Fixture.AppName));
    EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, Neighbour, "DisplayName"), "a neighbour");
    EXPECT_EQ(TreeOf(Shell), (std::vector<std::string>{"d ", "d \\Desktop", "d \\Programs", "d \\Quick Launch",
                                                        "d \\Startup"}));
    EXPECT_TRUE(Exists(Uninstaller));
}

// Flips one bit in the middle of the archive's compressed data: the first from the
// middle on that the archive's reader finds bad (a bit of a Huffman table that no
// group uses changes nothing).
void DamageData(const std::string& Archive)
{
    std::string B = ReadWholeFile(Archive);
    ASSERT_GE(B.size(), 24u);
    std::uint32_t DirTable = 0;
    for (int I = 3; I >= 0; --I)
        DirTable = DirTable << 8 | static_cast<unsigned char>(B[16 + static_cast<std::size_t>(I)]);
    ASSERT_GT(DirTable, 64u);
    ASSERT_LE(DirTable, B.size());
    const auto Detected = [&] {
        TMemoryFileSystem FS;
        FS.AddFile("C:\\a.ime", B);
        try {
            CArchive_BZip::Create(nullptr, FS)->Unpack("C:\\a.ime", "C:\\out");
        } catch (const EArchiveError&) {
            return true;
        }
        return false;
    };
    for (std::size_t At = 24 + (DirTable - 24) / 2; At < DirTable; ++At) {
        B[At] ^= 0x10;
        if (Detected()) {
            WriteWholeFile(Archive, B);
            return;
        }
        B[At] ^= 0x10;
    }
    FAIL() << "no bit of the second half of the data is found bad";
}

// The key's access for everyone: with Deny, no value can be set in it.
void SetKeyAccess(const std::string& Key, bool Deny)
{
    HKEY K = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, Key.c_str(), 0, WRITE_DAC, &K), ERROR_SUCCESS) << Key;
    PSECURITY_DESCRIPTOR SD = nullptr;
    const char* Sddl = Deny ? "D:(D;;0x0002;;;WD)(A;;KA;;;WD)" : "D:(A;;KA;;;WD)";
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(Sddl, SDDL_REVISION_1, &SD, nullptr));
    const LONG R = RegSetKeySecurity(K, DACL_SECURITY_INFORMATION, SD);
    LocalFree(SD);
    RegCloseKey(K);
    ASSERT_EQ(R, ERROR_SUCCESS);
}

// Through the registered command line, answered with OK.
void UninstallByEntry(const TCase& C, bool Photograph, const std::string& Answer = "OK")
{
    const std::string Command = GetString(HKEY_LOCAL_MACHINE, UninstallKey + C.Fixture.AppName, "UninstallString");
    const std::string Marker = " #uninstall \"";
    const std::size_t At = Command.find(Marker);
    ASSERT_NE(At, std::string::npos) << Command;
    const TProgramStart ByEntry = {Command.substr(0, At),
                                   {"#uninstall", Command.substr(At + Marker.size(),
                                                                 Command.size() - At - Marker.size() - 1)},
                                   Root,
                                   {},
                                   ""};
    Uninstall(C, ByEntry, Answer, Photograph);
}

} // namespace

// The packages, the shell folders in the test's own directory, the neighbouring key;
// leftovers of an earlier run go.
TEST(E2E, Prepare)
{
    SetFileAttributesA(Uninstaller.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(Uninstaller.c_str());
    for (const TCase* C : Cases) {
        const std::string Key = UninstallKey + C->Fixture.AppName;
        if (KeyExists(HKEY_LOCAL_MACHINE, Key))
            SetKeyAccess(Key, false);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, Key.c_str());
        ASSERT_FALSE(Exists(C->Company)) << "an earlier run left " << C->Company << "; the prefix must be made again";
    }
    THash Dirs(false), Files(false);
    if (Exists(Root)) {
        ScanDirTree(Root, "*.*", Dirs, Files);
        for (const THashPair& F : Files.Pairs())
            DeleteFileA(JoinPath(Dirs.Lookup(F.Key), F.Value).c_str());
        for (int I = Dirs.Count() - 1; I >= 0; --I)
            RemoveDirectoryA(Dirs.Pairs()[static_cast<std::size_t>(I)].Value.c_str());
    }
    for (const std::string& D : {Desktop, Programs, Startup, Quick})
        ASSERT_TRUE(LocalFileSystem().ForceDirectories(D)) << D;
    MakeFixtureTree(Source);
    for (const TCase* C : Cases) {
        const std::vector<std::string> Messages =
            BuildFixturePackage(C->Fixture, Source, C->Package, ExtractFilePath(BuiltProgramPath("Install.exe")));
        ASSERT_TRUE(Messages.empty()) << ::testing::PrintToString(Messages);
        ASSERT_TRUE(Exists(C->Package + "\\Data\\Castremove.exe"));
        // The package carries the very files the build ships (stripped, see cmake/release.cmake).
        for (const std::string& Name : {std::string("Install.exe"), std::string("Data\\Castremove.exe")})
            EXPECT_TRUE(ReadWholeFile(C->Package + "\\" + Name) == ReadWholeFile(BuiltProgramPath(ExtractFileName(Name))))
                << Name << " differs from the build's";
    }
    LocalFileSystem().ForceDirectories(Main.Package + "\\plugins");
    for (const std::string& Plugin : Plugins)
        ASSERT_TRUE(CopyFileA(BesideThisProgram("test_plugin.dll").c_str(),
                              (Main.Package + "\\plugins\\" + Plugin).c_str(), FALSE));
    DamageData(ArchiveFile(Damaged));
    SetString(HKEY_LOCAL_MACHINE, UninstallKey + Denied.Fixture.AppName, "", "");

    const std::string Folders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
    for (const char* Key : {"Shell Folders", "User Shell Folders"}) {
        SetString(HKEY_CURRENT_USER, Folders + Key, "Desktop", Desktop);
        SetString(HKEY_CURRENT_USER, Folders + Key, "Programs", Programs);
        SetString(HKEY_CURRENT_USER, Folders + Key, "Startup", Startup);
    }
    SetString(HKEY_CURRENT_USER, "Software\\MicroSoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups", "Quick Launch",
              Quick);
    SetString(HKEY_LOCAL_MACHINE, Neighbour, "DisplayName", "a neighbour");

    // The programs once, so that what Wine writes on a program's first start is in
    // the snapshot before.
    for (const TCase* C : Cases) {
        TDrivenProcess P = TDrivenProcess::Start({C->Package + "\\Install.exe", {}, C->Package, {}, ""});
        PostClose(WaitTopWindow(P.Id(), {"", "Brindlo - Installer"}));
        EXPECT_EQ(P.WaitExit(), 0u);
    }
    TDrivenProcess R = TDrivenProcess::Start({BuiltProgramPath("Castremove.exe"), {}, Root, {}, ""});
    EXPECT_EQ(R.WaitExit(), 0u);
    for (const std::string& Plugin : Plugins)
        DeleteFileA((Main.Package + "\\plugins\\" + Plugin + ".log").c_str());
}

TEST(E2E, InstallAndUninstall)
{
    const std::string& Dir = Main.Dir;
    const std::string& Company = Main.Company;
    ASSERT_TRUE(Exists(Main.Package + "\\Install.exe")) << "run E2E.Prepare first";
    ASSERT_FALSE(Exists(Company));
    Install(Main, true);
    ExpectInstalled(Main);
    if (HasFailure())
        return;

    // Through the registered command line; a cancel first, which removes nothing.
    UninstallByEntry(Main, true, "Cancel");
    ExpectInstalled(Main);

    // Something of the user's in the installation directory keeps it, and only it.
    ASSERT_TRUE(CreateDirectoryA((Dir + "\\mine").c_str(), nullptr));
    WriteWholeFile(Dir + "\\mine\\notes.txt", "mine");
    UninstallByEntry(Main, true);
    ExpectRemoved(Main, "by the Uninstall entry");
    EXPECT_EQ(TreeOf(Dir), (std::vector<std::string>{"d ", "d \\mine", "f \\mine\\notes.txt"}));
    EXPECT_TRUE(Exists(Company));
    DeleteFileA((Dir + "\\mine\\notes.txt").c_str());
    RemoveDirectoryA((Dir + "\\mine").c_str());
    RemoveDirectoryA(Dir.c_str());
    RemoveDirectoryA(Company.c_str());
    for (const std::string& Plugin : Plugins)
        DeleteFileA((Main.Package + "\\plugins\\" + Plugin + ".log").c_str());

    // Again, and away through the uninstall shortcut, from the installation directory.
    Install(Main, false);
    ExpectInstalled(Main);
    const TLink Link = ReadLink(Programs + "\\" + Main.GroupFolder + "\\Uninstall Tool.lnk");
    const std::size_t Quote = Link.Arguments.find('"');
    ASSERT_NE(Quote, std::string::npos) << Link.Arguments;
    Uninstall(Main,
              {Link.Path,
               {Link.Arguments.substr(0, Quote - 1), Link.Arguments.substr(Quote + 1, Link.Arguments.size() - Quote - 2)},
               Link.WorkDir,
               {},
               ""},
              "OK", false);
    ExpectRemoved(Main, "by the uninstall shortcut");
    EXPECT_FALSE(Exists(Dir));
    // Made for the default directory, logged, and gone with it.
    EXPECT_FALSE(Exists(Company));
    for (const std::string& Plugin : Plugins)
        DeleteFileA((Main.Package + "\\plugins\\" + Plugin + ".log").c_str());
}

// Every line of the log names what the system made, so the uninstall removes it all.
TEST(E2E, ACompanyNameEndingInADotInstallsAndUninstalls)
{
    ASSERT_FALSE(Exists(Dotted.Company));
    Install(Dotted, false);
    ExpectInstalled(Dotted);
    if (HasFailure())
        return;
    UninstallByEntry(Dotted, false);
    ExpectRemoved(Dotted, "by the Uninstall entry");
    EXPECT_FALSE(Exists(Dotted.Company));
}

// run_e2e compares the prefix before and after each of these byte for byte.
TEST(E2E, ADamagedArchiveLeavesThePrefixAsItWas)
{
    ASSERT_FALSE(Exists(Damaged.Company));
    Install(Damaged, false, "The archive " + ArchiveFile(Damaged) + " is damaged: ");
    EXPECT_FALSE(Exists(Damaged.Company));
}

TEST(E2E, AFailedRegistryWriteLeavesThePrefixAsItWas)
{
    ASSERT_FALSE(Exists(Denied.Company));
    const std::string Key = UninstallKey + Denied.Fixture.AppName;
    SetKeyAccess(Key, true);
    Install(Denied, false, "Cannot open the registry key " + Key + ": ");
    SetKeyAccess(Key, false);
    EXPECT_FALSE(Exists(Denied.Company));
    EXPECT_EQ(GetString(HKEY_LOCAL_MACHINE, Key, "DisplayName"), "<none>");
}
