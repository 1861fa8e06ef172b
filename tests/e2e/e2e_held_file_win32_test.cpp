// An uninstall that cannot remove everything: one installed file is held open
// without delete sharing (by this test's own process) while Castremove.exe runs. It
// removes the rest, names the file with the system's reason in its closing message
// and ends with a non-zero exit code. Runs in run_e2e's prefix after E2E.Prepare.
#include "e2e_fixture.h"

#include "driver.h"
#include "hash.h"
#include "path_and_dir_helpers.h"
#include "system_error.h"
#include "test_dirs.h"
#include "win32_handles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::string Shell = std::string(BRINDLO_SCRATCH_DIR) + "\\e2e\\shell";
const std::string UninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool Exists(const std::string& Path) { return GetFileAttributesA(Path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string UninstallString(const std::string& AppName)
{
    char Buffer[1024] = {};
    DWORD Size = sizeof Buffer - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, (UninstallKey + AppName).c_str(), "UninstallString", RRF_RT_REG_SZ, nullptr,
                     Buffer, &Size) != ERROR_SUCCESS)
        return std::string();
    return Buffer;
}

// The paths of the log's file and directory lines.
void LoggedPaths(const std::string& Log, std::vector<std::string>& Files, std::vector<std::string>& Dirs)
{
    std::size_t Start = 0;
    for (std::size_t End; (End = Log.find("\r\n", Start)) != std::string::npos; Start = End + 2) {
        const std::string Line = Log.substr(Start, End - Start);
        if (Line.rfind("[DelFile]%", 0) == 0)
            Files.push_back(Line.substr(10));
        else if (Line.rfind("[DelDir]%", 0) == 0)
            Dirs.push_back(Line.substr(9));
    }
}

// Install.exe of Package through the directory chooser (no licence) to its message.
void InstallWithoutLicence(const std::string& Package, const std::string& AppName, const std::string& Dir)
{
    TDrivenProcess P = TDrivenProcess::Start({Package + "\\Install.exe", {}, Package, {}, ""});
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Installer"});
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxListItem", "", "Install"}));
    const HWND Chooser = WaitTopWindow(P.Id(), {"", "Select Installation Directory"});
    EXPECT_EQ(WaitItem(Chooser, {"TLabel"}).Text, Dir);
    ClickItem(Chooser, ItemOf(ReadTexts(Chooser), {"CFxButton", "", "Select"}));
    WaitWindowGone(Chooser);
    const HWND Box = WaitTopWindow(P.Id(), {"", "Brindlo", true, {Main}});
    const std::vector<TTextItem> Said = ReadTexts(Box);
    EXPECT_NE(FindItem(Said, {"", "", AppName + " successfuly installed"}), nullptr) << ListItems(Said);
    ClickItem(Box, ItemOf(Said, {"", "", "Ok"}));
    WaitWindowGone(Box);
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}

} // namespace

TEST(E2E, AFileHeldOpenStaysAndIsReported)
{
    ASSERT_TRUE(Exists(Shell + "\\Desktop")) << "run E2E.Prepare first";
    TFixturePackage Fixture;
    Fixture.AppName = "Held Tool";
    Fixture.CompName = "Acme Held";
    Fixture.Licence = "";
    Fixture.Group = "Acme Held Tool";
    const std::string Company = "C:\\Program Files\\" + Fixture.CompName;
    const std::string Dir = Company + "\\" + Fixture.AppName;
    const std::string Held = Dir + "\\bin\\tool.exe";
    ASSERT_FALSE(Exists(Company)) << "an earlier run left " << Company << "; the prefix must be made again";

    const std::string Scratch = ScratchDir();
    MakeFixtureTree(Scratch + "\\source");
    const std::vector<std::string> Messages = BuildFixturePackage(
        Fixture, Scratch + "\\source", Scratch + "\\package", ExtractFilePath(BuiltProgramPath("Install.exe")));
    ASSERT_TRUE(Messages.empty()) << ::testing::PrintToString(Messages);
    InstallWithoutLicence(Scratch + "\\package", Fixture.AppName, Dir);
    std::vector<std::string> Files, Dirs;
    LoggedPaths(ReadWholeFile(Dir + "\\uinst.log"), Files, Dirs);
    ASSERT_NE(std::find(Files.begin(), Files.end(), Held), Files.end());
    const std::string Command = UninstallString(Fixture.AppName);
    const std::string Marker = " #uninstall \"";
    const std::size_t At = Command.find(Marker);
    ASSERT_NE(At, std::string::npos) << Command;

    {
        // Readers and writers may share it; deleting it must wait until it is closed.
        const TFileHandle Open(CreateFileA(Held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(Open) << LastSystemError();
        TDrivenProcess P = TDrivenProcess::Start(
            {Command.substr(0, At),
             {"#uninstall", Command.substr(At + Marker.size(), Command.size() - At - Marker.size() - 1)},
             Scratch,
             {},
             ""});
        const HWND Question = WaitTopWindow(P.Id(), {"#32770"});
        ClickDialogButton(Question, "OK");
        const HWND Closing = WaitTopWindow(P.Id(), {"#32770", "", true, {Question}});
        SetLastError(ERROR_SHARING_VIOLATION);
        const std::string Want = Fixture.CompName + " " + Fixture.AppName + " uninstalled\n\r\n\r" +
                                 "1 item could not be removed:\n\r" + Held + ": " + LastSystemError();
        const std::vector<std::string> Said = DialogTexts(Closing);
        EXPECT_TRUE(std::find(Said.begin(), Said.end(), Want) != Said.end()) << ::testing::PrintToString(Said);
        PhotographWindow(Closing, ScreenshotPath("e2e_uninstall_held_file.png"));

        // Everything else is gone before the message comes: all the logged files but
        // the held one, all the logged directories but those that hold it.
        for (const std::string& F : Files)
            EXPECT_EQ(Exists(F), F == Held) << F;
        for (const std::string& D : Dirs)
            EXPECT_EQ(Exists(D), IsInsideDir(D, Held)) << D;
        EXPECT_EQ(TreeOf(Company), (std::vector<std::string>{"d ", "d \\Held Tool", "d \\Held Tool\\bin",
                                                             "f \\Held Tool\\bin\\tool.exe"}));
        EXPECT_EQ(UninstallString(Fixture.AppName), "");
        ClickDialogButton(Closing, "OK");
        EXPECT_NE(P.WaitExit(), 0u);
    }

    // What stayed goes now, so that the prefix comes back as it was.
    EXPECT_TRUE(DeleteFileA(Held.c_str())) << LastSystemError();
    for (const std::string& D : {Dir + "\\bin", Dir, Company})
        EXPECT_TRUE(RemoveDirectoryA(D.c_str())) << D << ": " << LastSystemError();
}
