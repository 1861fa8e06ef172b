// The directory chooser through its real modal loop, and the file and colour choosers
// through the replaceable dialogs (each real system dialog once, closed by the hook).
#include "choosers.h"
#include "dialog_select_dir.h"
#include "gui_support.h"
#include "remembered_paths.h"
#include "path_and_dir_helpers.h"
#include "ui_common_dialogs.h"

#include <filesystem>

namespace {

std::string Join(const std::string& A, const std::string& B) { return JoinPath(A, B); }

TDialogSelDir* SelDir(HWND W) { return dynamic_cast<TDialogSelDir*>(FindControl(W)); }

void ClickFx(CFxButton* B)
{
    SendMessageA(B->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(3, 3));
    SendMessageA(B->Handle(), WM_LBUTTONUP, 0, PointParam(3, 3));
}

std::string CurrentDir()
{
    char B[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, B);
    return B;
}

class ChoosersTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RememberedPaths().Clear();
        Dir = ScratchDir();
        std::filesystem::create_directories(Join(Dir, "Start\\Old"));
    }
    void TearDown() override
    {
        ResetChoosers();
        RememberedPaths().Clear();
    }
    std::string Dir;
};

} // namespace

TEST_F(ChoosersTest, SelectDirOpensAtTheRememberedDirectoryMakesNewAndSelects)
{
    const std::string Start = Join(Dir, "Start");
    RememberPath("hk_AppInF", Start);
    std::vector<std::string> Asked;
    Choosers().InputQuery = [&](const std::string& Caption, const std::string& Prompt, std::string& Value) {
        Asked.push_back(Caption + "|" + Prompt + "|" + Value);
        Value = "Made";
        return true;
    };
    TModalScript Script([&](HWND W) {
        TDialogSelDir* D = SelDir(W);
        ASSERT_NE(D, nullptr);
        EXPECT_EQ(WindowText(W), "Select directory");
        EXPECT_EQ(D->Directory(), Start);
        EXPECT_EQ(D->Label1->Caption(), Start);
        EXPECT_TRUE(D->butNew->Enabled());
        ClickFx(D->butNew);
        EXPECT_EQ(D->Directory(), Join(Start, "Made"));
        Photograph(W, "select_dir.png");
        ClickFx(D->butSel);
    });
    std::string Chosen = "C:\\caller";
    EXPECT_TRUE(DialogSelectDir(Chosen, "Select directory", true, "hk_AppInF", nullptr));
    EXPECT_EQ(Chosen, Join(Start, "Made"));
    EXPECT_TRUE(std::filesystem::is_directory(Join(Start, "Made")));
    EXPECT_EQ(RememberedPath("hk_AppInF"), Join(Start, "Made"));
    EXPECT_EQ(Asked, (std::vector<std::string>{"Enter New Directory Name||"}));
}

TEST_F(ChoosersTest, SelectDirCloseGivesTheCallersDirBack)
{
    const std::string Start = Join(Dir, "Start");
    RememberPath("hk_AppInF", Join(Start, "file.txt"));
    WriteWholeFile(Join(Start, "file.txt"), "x");
    for (int Way = 0; Way < 2; ++Way) {
        TModalScript Script([&](HWND W) {
            TDialogSelDir* D = SelDir(W);
            ASSERT_NE(D, nullptr);
            // A remembered file name opens at its directory.
            EXPECT_EQ(D->Directory(), Start);
            EXPECT_FALSE(D->butNew->Enabled());
            if (Way == 0)
                ClickFx(D->butCancel);
            else
                PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        std::string Chosen = "C:\\caller";
        EXPECT_FALSE(DialogSelectDir(Chosen, "Select Build Directory", false, "hk_AppInF", nullptr));
        EXPECT_EQ(Chosen, "C:\\caller");
    }
}

TEST_F(ChoosersTest, SelectDirFirstUseOfAKeyStartsInTheCurrentDirectory)
{
    TModalScript Script([&](HWND W) {
        EXPECT_EQ(SelDir(W)->Directory(), CurrentDir());
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    std::string Chosen = Join(Dir, "Start");
    EXPECT_FALSE(DialogSelectDir(Chosen, "Select directory", true, "hk_Fresh", nullptr));
    EXPECT_EQ(Chosen, Join(Dir, "Start"));
}

TEST_F(ChoosersTest, SelectDirOneClickOpensAnEntryAndNewFailsSilently)
{
    const std::string Start = Join(Dir, "Start");
    const std::vector<std::string> Answers = {"", "Old"};
    std::size_t Next = 0;
    Choosers().InputQuery = [&](const std::string&, const std::string&, std::string& Value) {
        Value = Answers[Next++];
        return true;
    };
    ColorScheme Scheme = DefaultColorScheme();
    TModalScript Script([&](HWND W) {
        TDialogSelDir* D = SelDir(W);
        EXPECT_EQ(D->Directory(), Start);
        EXPECT_EQ(D->butCancel->Color(), Scheme[4]);
        EXPECT_EQ(D->upPanel->Color(), Scheme[1]);
        ClickFx(D->butNew); // empty answer
        ClickFx(D->butNew); // an existing name
        EXPECT_EQ(D->Directory(), Start);
        // The subdirectory "Old" is the entry after the path down to Start.
        const auto& Items = D->DL->Items();
        int OldIndex = -1;
        for (std::size_t I = 0; I < Items.size(); ++I)
            if (Items[I].find("Old") != std::string::npos)
                OldIndex = static_cast<int>(I);
        ASSERT_GE(OldIndex, 0);
        SendMessageA(D->DL->Handle(), LB_SETCURSEL, static_cast<WPARAM>(OldIndex), 0);
        SendMessageA(W, WM_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), reinterpret_cast<LPARAM>(D->DL->Handle()));
        EXPECT_EQ(D->Directory(), Join(Start, "Old"));
        ClickFx(D->butSel);
    });
    std::string Chosen = Start;
    EXPECT_TRUE(DialogSelectDir(Chosen, "Select directory", true, "", &Scheme));
    EXPECT_EQ(Chosen, Join(Start, "Old"));
    EXPECT_EQ(Next, 2u);
    EXPECT_EQ(RememberedPaths().Count(), 0);
}

TEST_F(ChoosersTest, FileChoosersAppendTheFiltersExtensionAndRememberTheName)
{
    std::vector<TFileDialogRequest> Requests;
    TFileDialogAnswer Answer;
    Choosers().FileDialog = [&](const TFileDialogRequest& R) {
        Requests.push_back(R);
        return Answer;
    };
    Answer = {true, Join(Dir, "proj"), 1};
    std::string FileName;
    DialogSaveFile(Dir, "Brindlo Prj|*.bxp", "bxp", "hk_SaveLoad", FileName);
    EXPECT_EQ(FileName, Join(Dir, "proj.bxp"));
    EXPECT_EQ(RememberedPath("hk_SaveLoad"), Join(Dir, "proj"));
    ASSERT_EQ(Requests.size(), 1u);
    EXPECT_EQ(Requests[0].Kind, fdSave);
    EXPECT_EQ(Requests[0].DefaultExt, "bxp");
    EXPECT_EQ(Requests[0].InitialDir, CurrentDir()); // nothing remembered yet

    // The next one starts where the last name was and may pick another filter.
    WriteWholeFile(Join(Dir, "proj"), "");
    Answer = {true, Join(Dir, "notes"), 2};
    DialogOpenFile("C:\\ignored", "Brindlo Prj|*.bxp|Text|*.txt", DLG_File, "hk_SaveLoad", FileName);
    EXPECT_EQ(Requests[1].InitialDir, Dir);
    EXPECT_EQ(Requests[1].Kind, fdOpen);
    EXPECT_EQ(FileName, Join(Dir, "notes.txt"));

    Answer = {false, "", 1};
    DialogOpenFile("", "Bitmap file|*.bmp", DLG_Picture, "hk_SaveLoad", FileName);
    EXPECT_EQ(FileName, "");
    EXPECT_EQ(Requests[2].Kind, fdOpenPicture);
    EXPECT_EQ(RememberedPath("hk_SaveLoad"), Join(Dir, "notes"));

    // Without a key the caller's directory is used and nothing is stored.
    Answer = {true, Join(Dir, "a.bmp"), 1};
    DialogOpenFile(Dir, "Bitmap file|*.bmp", DLG_Picture, "", FileName);
    EXPECT_EQ(Requests[3].InitialDir, Dir);
    EXPECT_EQ(FileName, Join(Dir, "a.bmp"));
    EXPECT_EQ(RememberedPaths().Count(), 1);
}

TEST_F(ChoosersTest, RealOpenDialogDrivenByTheHook)
{
    std::string Seen;
    TModalScript Script([&](HWND W) {
        Seen = "shown";
        // The file name box of the system dialog, then its OK.
        HWND Name = GetDlgItem(W, 0x47c);
        if (!Name)
            Name = GetDlgItem(W, 0x480);
        ASSERT_NE(Name, nullptr);
        SetWindowTextA(Name, "proj");
        PostMessageA(W, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(W, IDOK)));
    });
    RememberPath("hk_SaveLoad", Dir);
    std::string FileName;
    DialogOpenFile("", "Brindlo Prj|*.bxp", DLG_File, "hk_SaveLoad", FileName);
    EXPECT_EQ(Seen, "shown");
    EXPECT_EQ(FileName, Join(Dir, "proj.bxp"));
    EXPECT_EQ(RememberedPath("hk_SaveLoad"), Join(Dir, "proj"));
}

TEST_F(ChoosersTest, ColourChooserReportsACancelAndChangesNothing)
{
    bool Confirm = false;
    Choosers().ColorDialog = [&](TColor& C) {
        if (Confirm)
            C = 0x123456;
        return Confirm;
    };
    TColor Color = 0xABCDEF;
    EXPECT_FALSE(DialogSelectColor(Color));
    EXPECT_EQ(Color, 0xABCDEFu);
    Confirm = true;
    EXPECT_TRUE(DialogSelectColor(Color));
    EXPECT_EQ(Color, 0x123456u);

    // The system's own dialog, cancelled by the hook.
    ResetChoosers();
    bool Shown = false;
    TModalScript Script([&](HWND W) {
        Shown = true;
        PostMessageA(W, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(W, IDCANCEL)));
    });
    EXPECT_FALSE(DialogSelectColor(Color));
    EXPECT_TRUE(Shown);
    EXPECT_EQ(Color, 0x123456u);
}

TEST_F(ChoosersTest, PathErrorsInAPlainMessageBox)
{
    std::string Text, Caption;
    Choosers().ShowMessage = [&](const std::string& T, const std::string& C) {
        Text = T;
        Caption = C;
    };
    ShowPathErrors(TPathErrors::NotFound, {"C:\\a.bxp", "C:\\b.bxp"});
    EXPECT_EQ(Text, "File(s) not found\n\r1: [C:\\a.bxp]\n\r2: [C:\\b.bxp]");
    EXPECT_EQ(Caption, Application().Title);

    ResetChoosers();
    std::string Shown;
    TModalScript Script([&](HWND W) {
        Shown = WindowText(W);
        PostMessageA(W, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(W, IDOK)));
    });
    ShowPathErrors(TPathErrors::NotWritable, {"C:\\x"});
    EXPECT_EQ(Shown, Application().Title);
}
