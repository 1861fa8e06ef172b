// Install.exe with Pocket PC and Palm OS installations as the user meets it: its own
// process, driven from outside, with the stand-in manager and Palm tool registered.
#include "device_stand_ins.h"

#include "driver.h"
#include "shell_links.h"

#include <filesystem>

namespace {

std::vector<std::string> RowTexts(const std::vector<TTextItem>& Items)
{
    std::vector<std::string> V;
    for (const TTextItem& I : Items)
        if (I.Kind == "CFxListItem" && I.Visible)
            V.push_back(I.Text);
    return V;
}

class DeviceProcess : public ::testing::Test {
protected:
    std::string Dir, Package;

    void SetUp() override
    {
        Dir = ScratchDir();
        Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
            B.Groups.Add("g1", "Handhelds||true");
            B.Groups.Add("g2", "Desktop||true");
            AddPocketPCApp(B, D, "Cards Deluxe!", "Brindlo Soft.")->SetGroupID("g1");
            AddPalmApp(B, D, "Palm Cards", "Brindlo Soft.")->SetGroupID("g1");
            AddPcApp(B, D, "Editor", "g2");
        });
    }
    TDrivenProcess Start() { return TDrivenProcess::Start({Package + "\\Install.exe", {}, Package, {}, ""}); }
};

} // namespace

TEST_F(DeviceProcess, TheMenuOffersPocketPCAndPalmOSInstallations)
{
    TDrivenProcess P = Start();
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Installer"});
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxListItem", "g1", "Handhelds"}));
    ClickItem(Main, WaitItem(Main, {"CFxListItem", "", "Palm Cards"}));
    WaitItem(Main, {"CFxListItem", "", "Install [colors 16]"});
    EXPECT_EQ(RowTexts(ReadTexts(Main)),
              (std::vector<std::string>{"Installations", "Handhelds", "Palm Cards", "Install [colors 256]",
                                        "Install [colors 16]", "-", "Home", "Exit"}));
    WaitPainted(Main);
    PhotographWindow(Main, ScreenshotPath("device_menu_palm.png"));

    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxListItem", "", "Home"}));
    ClickItem(Main, WaitItem(Main, {"CFxListItem", "", "Cards Deluxe!"}));
    WaitItem(Main, {"CFxListItem", "", "Install"});
    EXPECT_EQ(RowTexts(ReadTexts(Main)), (std::vector<std::string>{"Installations", "Handhelds", "Cards Deluxe!",
                                                                    "Install", "-", "Home", "Exit"}));
    WaitPainted(Main);
    PhotographWindow(Main, ScreenshotPath("device_menu_pocketpc.png"));
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

namespace {

const char ManagerWarningText[] = "Cannot install game(s). Microsoft Active Sync is not found on the computer.\n\rYou "
                                  "can install games manually by copying *.cab file to the pocket PC and\n\rrun then "
                                  "from PocketPC manually";

// The staging directories lie in the prefix's own Program Files folder: gone before and after.
class TStagingCleanup {
public:
    TStagingCleanup() : FDir(JoinPath(GetSpecialFolder(TSpecialFolder::ProgramFiles), "Brindlo Soft.")) { Remove(); }
    ~TStagingCleanup() { Remove(); }
    TStagingCleanup(const TStagingCleanup&) = delete;
    TStagingCleanup& operator=(const TStagingCleanup&) = delete;
    std::string Of(const std::string& App) const { return JoinPath(FDir, App); }

private:
    void Remove() const
    {
        std::error_code E;
        std::filesystem::remove_all(FDir, E);
    }
    std::string FDir;
};

struct TWindowSearch {
    DWORD Id;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectShown(HWND W, LPARAM L)
{
    auto* S = reinterpret_cast<TWindowSearch*>(L);
    DWORD Owner = 0;
    GetWindowThreadProcessId(W, &Owner);
    if (Owner == S->Id && IsWindowVisible(W))
        S->Found.push_back(W);
    return TRUE;
}

// The shown top-level windows of a process, found without sending it a message.
std::vector<HWND> ShownWindowsOf(DWORD ProcessId)
{
    TWindowSearch Search{ProcessId, {}};
    EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

bool WaitForFile(const std::string& Path)
{
    for (int I = 0; I < 1000 && !LocalFileSystem().FileExists(Path); ++I)
        Sleep(20);
    return LocalFileSystem().FileExists(Path);
}

// Opens the handheld group and the installation, and clicks its install row.
HWND ClickInstall(const TDrivenProcess& P, const std::string& App, const std::string& Row)
{
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Installer"});
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxListItem", "g1", "Handhelds"}));
    ClickItem(Main, WaitItem(Main, {"CFxListItem", "", App}));
    ClickItem(Main, WaitItem(Main, {"CFxListItem", "", Row}));
    return Main;
}

// The message box of the installer that says Text; answered with "Ok".
void AnswerMessage(const TDrivenProcess& P, const std::string& Text, const std::string& Photo = "")
{
    const HWND Box = WaitTopWindow(P.Id(), {"", "Brindlo"});
    const std::vector<TTextItem> Items = ReadTexts(Box);
    EXPECT_NE(FindItem(Items, {"", "", Text}), nullptr) << ListItems(Items);
    if (!Photo.empty()) {
        WaitPainted(Box);
        PhotographWindow(Box, ScreenshotPath(Photo));
    }
    ClickItem(Box, ItemOf(Items, {"", "", "Ok"}));
    WaitWindowGone(Box);
}

} // namespace

TEST_F(DeviceProcess, APocketPCInstallIsSuccessfulOnlyOnceTheManagerHasEnded)
{
    const TStagingCleanup Staging;
    TDeviceStandIns::TOptions O;
    O.HoldManager = true;
    const TDeviceStandIns StandIns(Dir, O);
    TDrivenProcess P = Start();
    const HWND Main = ClickInstall(P, "Cards Deluxe!", "Install");
    ASSERT_TRUE(WaitForFile(StandIns.ManagerRecord));
    const std::string Ini = Staging.Of("Cards Deluxe!") + "\\CardsDeluxeBrindloSoft.ini";
    EXPECT_EQ(StandIns.ManagerStart().at(0), "\"" + StandIns.ManagerPath + "\" \"" + Ini + "\"");
    // While the manager runs the installer waits: no message yet. (Its windows cannot
    // be asked anything now, not even their captions.)
    EXPECT_EQ(ShownWindowsOf(P.Id()), std::vector<HWND>{Main});
    EXPECT_FALSE(StandIns.ManagerEnded());
    StandIns.ReleaseManager();
    WaitTopWindow(P.Id(), {"", "Brindlo"});
    EXPECT_TRUE(StandIns.ManagerEnded());
    AnswerMessage(P, "Cards Deluxe! successfuly installed");
    EXPECT_EQ(ReadWholeFile(Staging.Of("Cards Deluxe!") + "\\Cards.ARM.CAB"), "ARM cab");
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(DeviceProcess, WithoutTheManagerTheUserIsWarnedChoosesAndGetsTheCabFiles)
{
    const TStagingCleanup Staging;
    TDeviceStandIns::TOptions O;
    O.Manager = false;
    const TDeviceStandIns StandIns(Dir, O);
    TDrivenProcess P = Start();
    const HWND Main = ClickInstall(P, "Cards Deluxe!", "Install");
    AnswerMessage(P, ManagerWarningText, "device_missing_manager_warning_process.png");
    // The chooser starts at the default directory, made for it.
    const HWND Chooser = WaitTopWindow(P.Id(), {"", "Select Installation Directory"});
    const std::vector<TTextItem> Items = ReadTexts(Chooser);
    EXPECT_NE(FindItem(Items, {"TLabel", "", Dir + "\\default dir"}), nullptr) << ListItems(Items);
    EXPECT_NE(FindItem(Items, {"CFxButton", "", "New"}), nullptr) << ListItems(Items);
    ClickItem(Chooser, ItemOf(Items, {"CFxButton", "", "Select"}));
    AnswerMessage(P, "Cards Deluxe! successfuly installed");
    EXPECT_EQ(ReadWholeFile(Dir + "\\default dir\\Cards.SH3.CAB"), "SH3 cab");
    EXPECT_FALSE(LocalFileSystem().FileExists(Dir + "\\default dir\\CardsDeluxeBrindloSoft.ini"));
    EXPECT_FALSE(LocalFileSystem().DirectoryExists(Staging.Of("Cards Deluxe!")));
    EXPECT_TRUE(StandIns.ManagerStart().empty());
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

TEST_F(DeviceProcess, APalmGroupsRowHandsOverTheCommonFilesAndThatGroupsOnly)
{
    const TStagingCleanup Staging;
    const TDeviceStandIns StandIns(Dir, {});
    TDrivenProcess P = Start();
    const HWND Main = ClickInstall(P, "Palm Cards", "Install [colors 16]");
    AnswerMessage(P, "Palm Cards successfuly installed");
    const std::string Dest = Staging.Of("Palm Cards");
    std::vector<std::string> Expected;
    for (const std::string& F : ArchiveOrder(Package + "\\Data\\palm.ime", Dest))
        if (F.find("\\colors 256\\") == std::string::npos)
            Expected.push_back(F);
    EXPECT_EQ(Expected.size(), 3u);
    EXPECT_EQ(StandIns.PalmFiles(), Expected);
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}
