// The Pocket PC and Palm OS roads in the installer's window on packages made by our
// own package build, with the stand-in manager and Palm tool registered as the
// system registers the real ones: what reached them, that the manager was waited
// for, and the manual road when a program is missing.
#include "device_stand_ins.h"

#include "dialog_select_dir.h"
#include "install_form.h"
#include "shell_links.h"
#include "ui_label.h"

namespace {

std::vector<std::string> LabelTexts(HWND W)
{
    std::vector<std::string> Texts;
    if (TWinControl* Form = FindControl(W))
        for (TControl* C : Form->Controls())
            if (auto* L = dynamic_cast<TLabel*>(C))
                Texts.push_back(L->Caption());
    return Texts;
}

void ClickFx(CFxButton* B)
{
    SendMessageA(B->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(3, 3));
    SendMessageA(B->Handle(), WM_LBUTTONUP, 0, PointParam(3, 3));
}

const char ManagerWarning[] = "Cannot install game(s). Microsoft Active Sync is not found on the computer.\n\rYou can "
                              "install games manually by copying *.cab file to the pocket PC and\n\rrun then from "
                              "PocketPC manually";

class DeviceRoadsWin32 : public ::testing::Test {
protected:
    std::string Dir, ProgramFiles;
    std::unique_ptr<TForm1> Form;

    void SetUp() override
    {
        Dir = ScratchDir();
        ProgramFiles = Dir + "\\Program Files";
    }
    void TearDown() override { Form.reset(); }

    // The installer's window on a package with a Pocket PC and a Palm OS installation,
    // its Program Files folder in the scratch directory.
    void Open()
    {
        const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
            AddPocketPCApp(B, D, "Cards Deluxe!", "Brindlo Soft.");
            AddPalmApp(B, D, "Palm Cards", "Brindlo Soft.");
        });
        Form = std::make_unique<TForm1>(Package + "\\");
        ASSERT_TRUE(Form->Loaded());
        Form->Show();
        PumpMessages();
        const std::string PF = ProgramFiles;
        Form->AppList()->Folders = [PF](TSpecialFolder K) {
            return K == TSpecialFolder::ProgramFiles ? PF : GetSpecialFolder(K);
        };
    }
    // The installation's install command as far as its road: the archive it takes and the row's key.
    CAPP& Prepared(std::size_t Index, const std::string& RowKey = "")
    {
        CAPP& App = *Form->AppList()->Apps.at(Index);
        App.Command.ArchivePath = JoinPath(Form->AppList()->DataDir, App.GetOutFN());
        App.Command.RowKey = RowKey;
        return App;
    }
};

} // namespace

TEST_F(DeviceRoadsWin32, TheManagerGetsTheIniAndIsWaitedFor)
{
    const TDeviceStandIns StandIns(Dir, {});
    Open();
    CAPP& App = Prepared(0);
    EXPECT_TRUE(App.InstallPocketPC());
    // The manager has ended before the road answers: it wrote its last record.
    EXPECT_TRUE(StandIns.ManagerEnded());
    const std::string Staging = ProgramFiles + "\\Brindlo Soft.\\Cards Deluxe!";
    const std::string Ini = Staging + "\\CardsDeluxeBrindloSoft.ini";
    const std::vector<std::string> Start = StandIns.ManagerStart();
    ASSERT_EQ(Start.size(), 4u) << ::testing::PrintToString(Start);
    EXPECT_EQ(Start[0], "\"" + StandIns.ManagerPath + "\" \"" + Ini + "\"");
    EXPECT_EQ(Start[3], Ini);
    EXPECT_EQ(StandIns.IniReceived(), "[CEAppManager]\r\n"
                                      "Version      = 2.5\r\n"
                                      "Component    = Cards Deluxe!\r\n"
                                      "\r\n"
                                      "[Cards Deluxe!]\r\n"
                                      "Description  = Cards on the go\r\n"
                                      "Uninstall    = Cards Deluxe!\r\n"
                                      "CabFiles     = Cards.ARM.CAB,Cards.SH3.CAB\r\n");
    EXPECT_EQ(ReadWholeFile(Staging + "\\Cards.SH3.CAB"), "SH3 cab");
}

TEST_F(DeviceRoadsWin32, AManagerThatCannotStartIsNoInstallation)
{
    const TDeviceStandIns StandIns(Dir, {});
    Open();
    ASSERT_TRUE(DeleteFileA(StandIns.ManagerPath.c_str()));
    EXPECT_FALSE(Prepared(0).InstallPocketPC());
    EXPECT_TRUE(StandIns.ManagerStart().empty());
}

TEST_F(DeviceRoadsWin32, WithoutTheManagerTheWarningThenTheChooserThenTheUnpacking)
{
    TDeviceStandIns::TOptions O;
    O.Manager = false;
    const TDeviceStandIns StandIns(Dir, O);
    Open();
    const std::string Chosen = Dir + "\\by hand";
    LocalFileSystem().ForceDirectories(Chosen);
    std::vector<std::string> Seen;
    TModalScript Script([&](HWND W) {
        if (TDialogSelDir* D = dynamic_cast<TDialogSelDir*>(FindControl(W))) {
            Seen.push_back("chooser " + WindowText(W) + " at " + D->Directory());
            EXPECT_TRUE(D->butNew->Visible());
            D->SetDirectory(Chosen);
            ClickFx(D->butSel);
            return;
        }
        Seen.push_back("message " + WindowText(W));
        const std::vector<std::string> Texts = LabelTexts(W);
        EXPECT_NE(std::find(Texts.begin(), Texts.end(), ManagerWarning), Texts.end()) << ::testing::PrintToString(Texts);
        Photograph(W, "device_missing_manager_warning.png");
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_TRUE(Prepared(0).InstallPocketPC());
    EXPECT_EQ(Seen, (std::vector<std::string>{"message Brindlo",
                                              "chooser Select Installation Directory at " + Dir + "\\default dir"}));
    EXPECT_EQ(ReadWholeFile(Chosen + "\\Cards.ARM.CAB"), "ARM cab");
    EXPECT_FALSE(LocalFileSystem().FileExists(Chosen + "\\CardsDeluxeBrindloSoft.ini"));
    EXPECT_FALSE(LocalFileSystem().DirectoryExists(ProgramFiles));
    EXPECT_TRUE(StandIns.ManagerStart().empty());
}

TEST_F(DeviceRoadsWin32, ThePalmToolGetsTheCommonFilesAndTheClickedGroupsWholeAndInArchiveOrder)
{
    const struct {
        const char* Command;
        const char* RowKey;
        std::vector<std::string> Files;
    } Cases[] = {
        {"\"%s\" \"%1\"", "colors 256", {"game.prc", "data\\level.pdb", "colors 256\\look.prc", "colors 256\\extra.prc"}},
        {"%s %1", "colors 16", {"game.prc", "data\\level.pdb", "colors 16\\look.prc"}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Command);
        Dir = ScratchDir();
        ProgramFiles = Dir + "\\Program Files";
        TDeviceStandIns::TOptions O;
        O.PalmCommand = C.Command;
        const TDeviceStandIns StandIns(Dir, O);
        Open();
        CAPP& App = Prepared(1, C.RowKey);
        EXPECT_TRUE(App.InstallPalm());
        const std::string Staging = ProgramFiles + "\\Brindlo Soft.\\Palm Cards";
        EXPECT_EQ(App.Command.Dir, Staging);
        std::vector<std::string> Expected;
        for (const std::string& P : ArchiveOrder(App.Command.ArchivePath, Staging))
            if (std::find(C.Files.begin(), C.Files.end(), P.substr(Staging.size() + 1)) != C.Files.end())
                Expected.push_back(P);
        ASSERT_EQ(Expected.size(), C.Files.size());
        const std::vector<std::vector<std::string>> Runs = StandIns.PalmRuns();
        ASSERT_EQ(Runs.size(), Expected.size());
        for (std::size_t I = 0; I < Runs.size(); ++I) {
            ASSERT_EQ(Runs[I].size(), 4u) << ::testing::PrintToString(Runs[I]);
            EXPECT_EQ(Runs[I][3], Expected[I]);
            // The path quoted after the tool: one argument, blanks and all.
            EXPECT_NE(Runs[I][0].find("\"" + Expected[I] + "\""), std::string::npos) << Runs[I][0];
        }
        Form.reset();
    }
}
