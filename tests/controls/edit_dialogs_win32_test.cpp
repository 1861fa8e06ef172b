// The filtered edit box, the memo and size-and-position dialogs and the shortcut
// editor on real windows, driven through the message loop.
#include "fx_edit.h"
#include "gui_support.h"
#include "input_memo.h"
#include "key_input.h"
#include "remembered_paths.h"
#include "set_rect_dialog.h"
#include "shortcut_editor.h"
#include "ui_common_dialogs.h"
#include "ui_form.h"
#include "ui_panel.h"

#include <memory>

namespace {

template <class T>
T* Window(HWND W)
{
    return dynamic_cast<T*>(FindControl(W));
}

void ClickFx(CFxButton* B)
{
    SendMessageA(B->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(3, 3));
    SendMessageA(B->Handle(), WM_LBUTTONUP, 0, PointParam(3, 3));
}

class FxEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption("Edit");
        Form->SetBounds(80, 80, 360, 240);
        Edit = new CFxEdit(Form.get());
        Edit->SetParent(Form.get());
        Edit->SetBounds(20, 20, 200, 21);
        Edit->OnReturn = [this](TObject* S) { Returns += S == Edit; };
        Edit->OnEscape = [this](TObject* S) { Escapes += S == Edit; };
        Form->Show();
        Edit->SetFocus();
    }
    void TearDown() override
    {
        Form.reset();
        ResetChoosers();
    }
    std::string Type(const std::string& Chars)
    {
        PostChars(Edit->Handle(), Chars);
        PumpMessages(3);
        return Edit->Text();
    }
    std::unique_ptr<TForm> Form;
    CFxEdit* Edit = nullptr;
    int Returns = 0, Escapes = 0;
};

} // namespace

TEST_F(FxEditTest, TypingGoesThroughTheStylesFilterAndEnterEscapeNeverReachTheText)
{
    Edit->SetStyle(ES_Integer);
    EXPECT_TRUE(Edit->Edited);
    Edit->Edited = false;
    EXPECT_EQ(Type("12-3.4x"), "1234");
    EXPECT_TRUE(Edit->Edited);
    EXPECT_EQ(Type("567890"), "123456789"); // at most nine
    PostKey(Edit->Handle(), VK_RETURN);
    PostKey(Edit->Handle(), VK_ESCAPE);
    PumpMessages(3);
    EXPECT_EQ(Returns, 1);
    EXPECT_EQ(Escapes, 1);
    EXPECT_EQ(Edit->Text(), "123456789");
    // A change to the same style edits nothing but applies the row again.
    Edit->SetStyle(ES_String);
    EXPECT_EQ(Edit->MaxLength(), 9);
    Edit->SetText("");
    EXPECT_EQ(Type("Ab c'-.9"), "Ab c'");
    Edit->BlockSC = false;
    EXPECT_EQ(Type("-."), "Ab c'-.");
}

TEST_F(FxEditTest, PastingByMessageAndByKeysInsertsOnlyAcceptedCharacters)
{
    Edit->SetStyle(ES_Integer);
    SetClipboardText(Form->Handle(), "4-2x.1 7");
    SendMessageA(Edit->Handle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Edit->Text(), "421 7");
    Edit->SetText("");
    {
        TKeyHeld Ctrl(VK_CONTROL);
        PostMessageA(Edit->Handle(), WM_KEYDOWN, 'V', 1);
        PumpMessages(3);
    }
    EXPECT_EQ(Edit->Text(), "421 7");
    Edit->SetText("");
    {
        TKeyHeld Shift(VK_SHIFT);
        PostMessageA(Edit->Handle(), WM_KEYDOWN, VK_INSERT, 1);
        PumpMessages(3);
    }
    EXPECT_EQ(Edit->Text(), "421 7");
}

TEST_F(FxEditTest, RightClickMenuOnlyForAllCharacters)
{
    Edit->SetStyle(ES_String);
    EXPECT_TRUE(Edit->NoContextMenu);
    Edit->SetStyle(ES_AllChars);
    EXPECT_FALSE(Edit->NoContextMenu);
}

TEST_F(FxEditTest, BrowseFillsTheTextFromTheStylesChooser)
{
    std::vector<TFileDialogRequest> Asked;
    Choosers().FileDialog = [&](const TFileDialogRequest& R) {
        Asked.push_back(R);
        return TFileDialogAnswer{true, "C:\\pic.bmp", 1};
    };
    Edit->SetStyle(ES_File);
    Edit->ExData = "Bitmaps|*.bmp";
    Edit->DlgStyle = DLG_Picture;
    Edit->Edited = false;
    SendMessageA(Edit->Handle(), WM_LBUTTONDBLCLK, 0, PointParam(5, 5));
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Kind, fdOpenPicture);
    EXPECT_EQ(Asked[0].Filter, "Bitmaps|*.bmp");
    EXPECT_EQ(Edit->Text(), "C:\\pic.bmp");
    EXPECT_TRUE(Edit->Edited);
    Choosers().FileDialog = [](const TFileDialogRequest&) { return TFileDialogAnswer{}; };
    Edit->Browse(); // cancelled: unchanged
    EXPECT_EQ(Edit->Text(), "C:\\pic.bmp");
}

TEST_F(FxEditTest, DateBoxShowsTheCalendarAndTakesItsDay)
{
    TErrorBoxCapture Errors;
    Edit->SetStyle(ES_Date);
    Edit->SetText("not a date");
    SendMessageA(Edit->Handle(), WM_LBUTTONDBLCLK, 0, PointParam(5, 5));
    ASSERT_EQ(Errors.Messages.size(), 1u);
    EXPECT_EQ(Errors.Messages[0], "'not a date' is not a valid date");
    ASSERT_NE(Edit->Calendar(), nullptr);
    EXPECT_FALSE(Edit->Calendar()->Visible());
    SYSTEMTIME Day = {};
    Day.wYear = 2024;
    Day.wMonth = 5;
    Day.wDay = 17;
    Edit->SetText(DateToText(Day));
    Edit->Browse();
    TMonthCalendar* Cal = Edit->Calendar();
    EXPECT_TRUE(Cal->Visible());
    EXPECT_EQ(Cal->Top(), Edit->Top() + Edit->Height() + 2);
    EXPECT_EQ(Cal->Date().wDay, 17);
    PumpMessages();
    Photograph(Form->Handle(), "edit_calendar.png");
    Day.wDay = 20;
    Cal->SetDate(Day);
    PostKey(Cal->Handle(), VK_SPACE); // any key hides it and hands the day over
    PumpMessages(3);
    EXPECT_FALSE(Cal->Visible());
    EXPECT_EQ(Edit->Text(), DateToText(Day));
}

TEST_F(FxEditTest, TheCalendarLiesOnTheBoxsFormUnlessAnOwnerWindowIsGiven)
{
    auto* Frame = new TPanel(Form.get());
    Frame->SetParent(Form.get());
    Frame->SetBounds(10, 50, 330, 150);
    auto* Inner = new CFxEdit(Frame);
    Inner->SetParent(Frame);
    Inner->SetBounds(5, 5, 120, 21);
    Inner->SetStyle(ES_Date);
    Inner->Browse();
    ASSERT_NE(Inner->Calendar(), nullptr);
    EXPECT_EQ(Inner->Calendar()->Parent(), Form.get());
    EXPECT_TRUE(Inner->Calendar()->Visible());

    Edit->OwnerCtrl = Frame;
    Edit->SetStyle(ES_Date);
    Edit->Browse();
    ASSERT_NE(Edit->Calendar(), nullptr);
    EXPECT_EQ(Edit->Calendar()->Parent(), Frame);
}

TEST(InputMemo, AltEnterTakesTheTextEnterIsANewLineAndTheSizeIsRemembered)
{
    MemoWidth = 400;
    MemoHeight = 300;
    std::string Result;
    TModalScript Script([](HWND W) {
        CInputMemo* M = Window<CInputMemo>(W);
        ASSERT_NE(M, nullptr);
        EXPECT_EQ(WindowText(W), "Notes");
        EXPECT_EQ(M->Width(), 400);
        EXPECT_EQ(M->Height(), 300);
        // The anchors carried the memo to the window's size.
        EXPECT_EQ(M->Memo->Width(), M->ClientWidth() - 10);
        HWND E = M->Memo->Handle();
        SendMessageA(E, EM_SETSEL, 5, 5);
        PostChars(E, " more");
        PumpMessages(2);
        PostKey(E, VK_RETURN); // translated into its character at the queue's end
        PumpMessages(2);
        PostChars(E, "two");
        PumpMessages(5);
        Photograph(W, "input_memo.png");
        M->SetBounds(M->Left(), M->Top(), 450, 320);
        PostKey(E, VK_RETURN, true);
    });
    DialogInputMemo("Notes", "First", nullptr, Result);
    EXPECT_EQ(Result, "First more\r\ntwo");
    EXPECT_EQ(MemoWidth, 450);
    EXPECT_EQ(MemoHeight, 320);

    TModalScript Again([](HWND W) {
        CInputMemo* M = Window<CInputMemo>(W);
        EXPECT_EQ(M->Width(), 450);
        PostChars(M->Memo->Handle(), "lost");
        PostKey(M->Memo->Handle(), VK_ESCAPE);
    });
    DialogInputMemo("Notes", "Kept", &DefaultColorScheme(), Result);
    EXPECT_EQ(Result, "Kept");
}

TEST(InputMemo, OkWithoutAnEditGivesBackTheTextByteForByte)
{
    // The memo shows every break as CR LF; a text that was not edited must not come
    // back rewritten, or its row would count as changed.
    const char* const Texts[] = {"one\ntwo\n", "one\rtwo\r", "one\r\ntwo\r\n", "a\nb\r\nc\rd\n\re\n\n\r", ""};
    for (const char* Text : Texts) {
        SCOPED_TRACE(testing::PrintToString(std::string(Text)));
        std::string Result = "not answered";
        TModalScript Script([](HWND W) {
            CInputMemo* M = Window<CInputMemo>(W);
            ASSERT_NE(M, nullptr);
            ClickFx(M->OkButton);
        });
        DialogInputMemo("Notes", Text, nullptr, Result);
        EXPECT_EQ(Result, Text);
    }
    // An edited text comes back as the memo holds it.
    std::string Result;
    TModalScript Script([](HWND W) {
        CInputMemo* M = Window<CInputMemo>(W);
        ASSERT_NE(M, nullptr);
        HWND E = M->Memo->Handle();
        SendMessageA(E, EM_SETSEL, 0, 0);
        PostChars(E, ">");
        PumpMessages(5);
        ClickFx(M->OkButton);
    });
    DialogInputMemo("Notes", "a\nb\rc", nullptr, Result);
    EXPECT_EQ(Result, ">a\r\nb\r\nc");
}

TEST(SetRectDialog, DefaultRectangleSetsItBackUnchanged)
{
    std::string Result;
    TModalScript Script([](HWND W) {
        CDialogSetRect* D = Window<CDialogSetRect>(W);
        ASSERT_NE(D, nullptr);
        EXPECT_EQ(WindowText(W), "Set size and position");
        EXPECT_EQ(D->ClientWidth(), 262);
        EXPECT_TRUE(D->LeftCenterBox->Checked());
        EXPECT_TRUE(D->TopCenterBox->Checked());
        EXPECT_FALSE(D->LeftEdit->Enabled());
        EXPECT_EQ(D->LeftEdit->Text(), "0");
        EXPECT_EQ(D->WidthEdit->Text(), "490");
        EXPECT_FALSE(D->WidthPercentBox->Checked());
        EXPECT_EQ(D->ScreenWidth, 1024);
        ClickFx(D->SetButton);
    });
    DialogSetRect("-1,-1,490,330", nullptr, Result);
    EXPECT_EQ(Result, "-1,-1,490,330");
}

TEST(SetRectDialog, PreviewIsGreenInsideRedOutsideAndCloseGivesTheTextBack)
{
    std::string Result;
    TModalScript Script([](HWND W) {
        CDialogSetRect* D = Window<CDialogSetRect>(W);
        ASSERT_NE(D, nullptr);
        // Typed "%" and "-" never reach the numbers.
        D->WidthEdit->SetText("");
        PostChars(D->WidthEdit->Handle(), "5%-0");
        PumpMessages(5);
        EXPECT_EQ(D->WidthEdit->Text(), "50");
        D->WidthPercentBox->SetChecked(true);
        D->HeightEdit->SetText("50");
        D->HeightPercentBox->SetChecked(true);
        PumpMessages();
        TScreenshot Shot = Photograph(W, "set_rect_inside.png");
        // Half the screen from (10, 20): the preview's middle is green.
        EXPECT_EQ(ShotPixel(Shot, W, 5 + 127, 63 + 95), 0x008000u);
        EXPECT_EQ(D->GetRectText(), "10,20,50%,50%");
        D->LeftCenterBox->SetChecked(true);
        D->TopCenterBox->SetChecked(true);
        EXPECT_FALSE(D->LeftEdit->Enabled());
        D->WidthPercentBox->SetChecked(false);
        D->HeightPercentBox->SetChecked(false);
        D->WidthEdit->SetText("1100");
        D->HeightEdit->SetText("700");
        PumpMessages();
        Shot = Photograph(W, "set_rect_outside.png");
        EXPECT_EQ(ShotPixel(Shot, W, 5 + 127, 63 + 95), 0x0000FFu);
        EXPECT_EQ(ShotPixel(Shot, W, 5 + 1, 63 + 95), 0x0000FFu); // cut at the left edge
        D->WidthEdit->SetText("1000");
        PumpMessages();
        Shot = CaptureWindow(W);
        EXPECT_EQ(ShotPixel(Shot, W, 5 + 127, 63 + 95), 0x008000u);
        ClickFx(D->ResetButton);
        EXPECT_EQ(D->GetRectText(), "10,20,30,40");
        ClickFx(D->CloseButton);
    });
    DialogSetRect("10,20,30,40", &DefaultColorScheme(), Result);
    EXPECT_EQ(Result, "10,20,30,40");
}

TEST(SetRectDialog, MalformedTextStillOpensAndEscapeCancels)
{
    std::string Result;
    TModalScript Script([](HWND W) {
        CDialogSetRect* D = Window<CDialogSetRect>(W);
        ASSERT_NE(D, nullptr);
        EXPECT_EQ(D->GetRectText(), "0,0,0%,0");
        PostKey(D->LeftEdit->Handle(), VK_ESCAPE);
    });
    TErrorBoxCapture Errors;
    DialogSetRect("abc,,%x", nullptr, Result);
    EXPECT_EQ(Result, "abc,,%x");
    EXPECT_TRUE(Errors.Messages.empty());
}

TEST(ShortcutEditor, NewPCShortcutIsMarkedAndOkFocusesTheType)
{
    std::string Name = "App", Type, File, Dest, Group;
    TModalScript Script([](HWND W) {
        TFSCutEdit* E = Window<TFSCutEdit>(W);
        ASSERT_NE(E, nullptr);
        EXPECT_EQ(WindowText(W), "Edit shortcut");
        EXPECT_EQ(E->cbType->Items().size(), 2u);
        EXPECT_EQ(E->cbType->Color(), InvalidFieldColor);
        EXPECT_EQ(E->cbDir->Color(), InvalidFieldColor);
        EXPECT_FALSE(E->eInFile->Enabled());
        PumpMessages();
        Photograph(W, "shortcut_editor_pc.png");
        ClickFx(E->butOk);
        EXPECT_EQ(GetFocus(), E->cbType->Handle());
        E->cbType->SetItemIndex(1); // uninstall: name and file not required
        E->cbDir->SetItemIndex(2);
        E->UpdateFields();
        EXPECT_FALSE(E->ePGN->Enabled());
        // The name takes no digits and no "|".
        SendMessageA(E->eName->Handle(), EM_SETSEL, 3, 3);
        PostChars(E->eName->Handle(), "1|x");
        PumpMessages(3);
        ClickFx(E->butOk);
    });
    EXPECT_TRUE(EditShortcut(Name, Type, File, Dest, Group, "hk_AppInF", -1, nullptr));
    EXPECT_EQ(Type, "SCut to uninstall");
    EXPECT_EQ(Dest, "Desktop");
    EXPECT_EQ(Name, "Appx");
}

TEST(ShortcutEditor, PocketPCOffersOnlyItsChoicesAndEnterAcceptsMarkedFields)
{
    std::string Name = "App", Type = "SCut to file", File, Dest = "Desktop", Group;
    TModalScript Script([](HWND W) {
        TFSCutEdit* E = Window<TFSCutEdit>(W);
        ASSERT_NE(E, nullptr);
        EXPECT_EQ(E->cbDir->Items(), (std::vector<std::string>{"Start Menu"}));
        EXPECT_EQ(E->cbDir->ItemIndex(), -1); // "Desktop" is no Pocket PC place
        EXPECT_EQ(E->cbDir->Color(), InvalidFieldColor);
        EXPECT_EQ(E->eInFile->Color(), InvalidFieldColor);
        EXPECT_TRUE(E->eInFile->Enabled());
        PumpMessages();
        Photograph(W, "shortcut_editor_ppc.png");
        PostKey(E->eName->Handle(), VK_RETURN);
    });
    EXPECT_TRUE(EditShortcut(Name, Type, File, Dest, Group, "", 1, &DefaultColorScheme()));
    EXPECT_EQ(Dest, "");
    EXPECT_EQ(Type, "SCut to file");

    // Accepted without a change: false and nothing written.
    std::string N = "A", T = "SCut to uninstall", F = "f", D = "Desktop", G = "g";
    TModalScript Unchanged([](HWND W) { ClickFx(Window<TFSCutEdit>(W)->butOk); });
    EXPECT_FALSE(EditShortcut(N, T, F, D, G, "", -1, nullptr));
    EXPECT_EQ(F, "f");
}
