// The licence panel of the installer's window: shown by an install row, "Next" only
// after "I Agree", hidden by "Close" and by clicks in the list; "Next" runs the same
// install command again, up to the directory chooser.
#include "installer_gui_support.h"

#include "color_helpers.h"
#include "install_form.h"

namespace {

class LicencePanel : public ::testing::Test {
protected:
    std::string Dir;
    std::unique_ptr<TForm1> Form;

    void SetUp() override
    {
        Dir = ScratchDir();
        const std::string Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
            B.Groups.Add("g1", "Tools||true");
            CCst_App* A = AddPcApp(B, D, "Editor", "g1");
            A->Props.Add("Licenze", "Use it well.");
            A->Props.Add("DefInstDir", D + "\\made\\for\\it");
        });
        Form = std::make_unique<TForm1>(Package + "\\", [] {});
        ASSERT_TRUE(Form->Loaded());
        Form->Show();
        PumpMessages();
    }
    void TearDown() override { Form.reset(); }

    CFxListItem* InstallRow() { return Form->eList->Items()->Child(0)->Child(0)->Child(0); }
    void PostClick(CFxListItem* Row)
    {
        const HWND L = Form->eList->Handle();
        const int Y = Row->Y + Row->Height / 2;
        PostMessageA(L, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(20, Y));
        PostMessageA(L, WM_LBUTTONUP, 0, PointParam(20, Y));
        PumpMessages(4);
    }
    void Click(TWinControl* Button)
    {
        SendMessageA(Button->Handle(), BM_CLICK, 0, 0);
        PumpMessages(2);
    }
};

} // namespace

TEST_F(LicencePanel, NextOnlyAfterIAgree)
{
    ASSERT_EQ(InstallRow()->Caption, "Install");
    PostClick(InstallRow());
    ASSERT_TRUE(Form->lic->Visible());
    EXPECT_EQ(Form->mLec->Text(), "Use it well.");
    EXPECT_FALSE(Form->butNext->Enabled());
    EXPECT_TRUE(Form->butClose->Enabled());
    EXPECT_TRUE(Form->RadioButton2->Checked());
    EXPECT_FALSE(Form->rbNext->Checked());
    // The panel's parts lie inside it.
    EXPECT_LE(Form->GroupBox1->Left() + Form->GroupBox1->Width(), Form->lic->Width());
    EXPECT_LE(Form->butClose->Left() + Form->butClose->Width(), Form->Panel2->Width());

    Click(Form->rbNext);
    EXPECT_TRUE(Form->rbNext->Checked());
    EXPECT_FALSE(Form->RadioButton2->Checked());
    EXPECT_TRUE(Form->butNext->Enabled());
    const TScreenshot Shot = Photograph(Form->Handle(), "licence_panel_agreed.png");
    // The text's page is a step of the window's colour, as bright as the action rows.
    const TColor Page = ScaleColor(Form->Color(), Form->eList->Model().ActionCC());
    EXPECT_EQ(Form->mLec->Color(), Page);
    // Below the one line of text, inside the memo.
    RECT Inside;
    ASSERT_TRUE(GetClientRect(Form->mLec->Handle(), &Inside));
    POINT P = {4, Inside.bottom - 4};
    MapWindowPoints(Form->mLec->Handle(), Form->Handle(), &P, 1);
    EXPECT_EQ(ShotPixel(Shot, Form->Handle(), P.x, P.y), static_cast<std::uint32_t>(Page));
    Click(Form->RadioButton2);
    EXPECT_FALSE(Form->rbNext->Checked());
    EXPECT_FALSE(Form->butNext->Enabled());
}

TEST_F(LicencePanel, CloseAndListClicksHideItWithoutInstalling)
{
    PostClick(InstallRow());
    ASSERT_TRUE(Form->lic->Visible());
    Form->butCloseClick(nullptr);
    EXPECT_FALSE(Form->lic->Visible());
    PostClick(InstallRow());
    ASSERT_TRUE(Form->lic->Visible());
    // A click on the installation's own row.
    PostClick(Form->eList->Items()->Child(0)->Child(0));
    EXPECT_FALSE(Form->lic->Visible());
    EXPECT_FALSE(Form->AppList()->LicenceAccepted);
    EXPECT_FALSE(LocalFileSystem().DirectoryExists(Dir + "\\made"));
}

TEST_F(LicencePanel, NextRunsTheCommandAgainAndACancelLeavesNoDirectory)
{
    PostClick(InstallRow());
    Click(Form->rbNext);
    std::string Caption, Shown;
    TModalScript Script([&](HWND W) {
        Caption = WindowText(W);
        Shown = LocalFileSystem().DirectoryExists(Dir + "\\made\\for\\it") ? "made" : "not made";
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    Form->butNextClick(nullptr);
    EXPECT_EQ(Caption, "Select Installation Directory");
    EXPECT_FALSE(Form->lic->Visible());
    // Made for the chooser to start in, gone again with the cancel.
    EXPECT_EQ(Shown, "made");
    EXPECT_FALSE(LocalFileSystem().DirectoryExists(Dir + "\\made"));
    EXPECT_FALSE(Form->AppList()->LicenceAccepted);
    // The next install command asks again.
    PostClick(InstallRow());
    EXPECT_TRUE(Form->lic->Visible());
    EXPECT_FALSE(Form->butNext->Enabled());
}
