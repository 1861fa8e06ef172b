// The class layer's edit, memo, check box and combo box wrappers, colour reflection,
// the wheel, the program-wide pointer and freeing a control inside its own handler.
#include "gui_support.h"
#include "ui_check_box.h"
#include "ui_combo_box.h"
#include "ui_edit.h"
#include "ui_form.h"
#include "ui_screen.h"

#include <memory>

namespace {

// Frees itself from inside its own message, the way an in-place editor does.
class TSelfFreeingEdit : public TEdit {
public:
    using TEdit::TEdit;
    static int Alive;
    TSelfFreeingEdit(TComponent* AOwner, int) : TEdit(AOwner) { ++Alive; }
    ~TSelfFreeingEdit() override { --Alive; }
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override
    {
        if (Msg == WM_CHAR && WParam == 13) {
            Application().DestroyLater(this);
            // Still whole until the handler is over.
            SetText("after");
            return 0;
        }
        return TEdit::WndProc(Msg, WParam, LParam);
    }
};
int TSelfFreeingEdit::Alive = 0;

class TWheelPanel : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int Delta = 0;

protected:
    bool MouseWheel(int D, TShiftState) override
    {
        Delta += D;
        return true;
    }
};

class UiControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(60, 60, 360, 240);
        Form->Show();
    }
    void TearDown() override { Form.reset(); }
    std::unique_ptr<TForm> Form;
};

} // namespace

TEST_F(UiControlsTest, EditTextChangeEventAndColoursComeBackToTheObject)
{
    auto* E = new TEdit(Form.get());
    E->SetParent(Form.get());
    E->SetBounds(10, 10, 150, 21);
    int Changes = 0;
    E->OnChange = [&](TObject*) { ++Changes; };
    E->SetText("abc");
    EXPECT_EQ(E->Text(), "abc");
    EXPECT_EQ(Changes, 1);
    E->SetMaxLength(4);
    SendMessageA(E->Handle(), EM_SETSEL, 3, 3);
    E->ReplaceSelection("def");
    EXPECT_EQ(E->Text(), "abcd");
    E->SetColor(0x00FFFF);
    E->Font().SetColor(0xFF0000);
    HDC DC = GetDC(E->Handle());
    const LRESULT Brush = SendMessageA(Form->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(DC),
                                       reinterpret_cast<LPARAM>(E->Handle()));
    EXPECT_NE(Brush, 0);
    EXPECT_EQ(GetBkColor(DC), RGB(255, 255, 0));
    EXPECT_EQ(GetTextColor(DC), RGB(0, 0, 255));
    ReleaseDC(E->Handle(), DC);
    auto* M = new TMemo(Form.get());
    M->SetParent(Form.get());
    M->SetText("one\r\ntwo");
    EXPECT_EQ(SendMessageA(M->Handle(), EM_GETLINECOUNT, 0, 0), 2);
}

TEST_F(UiControlsTest, AControlFreedInsideItsOwnHandlerGoesAfterIt)
{
    auto* E = new TSelfFreeingEdit(nullptr, 0);
    E->SetParent(Form.get());
    HWND H = E->Handle();
    SendMessageA(H, WM_CHAR, 13, 1);
    EXPECT_EQ(TSelfFreeingEdit::Alive, 0);
    EXPECT_FALSE(IsWindow(H));
    // Outside any handler it goes at once.
    auto* Other = new TSelfFreeingEdit(nullptr, 0);
    Application().DestroyLater(Other);
    EXPECT_EQ(TSelfFreeingEdit::Alive, 0);
}

TEST_F(UiControlsTest, CheckBoxReportsEveryChange)
{
    auto* B = new TCheckBox(Form.get());
    B->SetParent(Form.get());
    B->SetCaption("Center");
    int Clicks = 0;
    B->OnClick = [&](TObject*) { ++Clicks; };
    B->SetChecked(true);
    B->SetChecked(true);
    EXPECT_EQ(Clicks, 1);
    EXPECT_EQ(SendMessageA(B->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(B->Handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(B->Checked());
    EXPECT_EQ(Clicks, 2);
}

TEST_F(UiControlsTest, ComboStyleChangeKeepsItemsAndTypingIsReported)
{
    auto* C = new TComboBox(Form.get());
    C->SetParent(Form.get());
    C->SetItems({"PC", "Pocket PC"});
    C->SetItemIndex(1);
    EXPECT_EQ(C->Text(), "Pocket PC");
    C->SetStyle(csDropDown);
    EXPECT_EQ(SendMessageA(C->Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(C->IndexOfText("pocket pc"), 1);
    std::string Seen;
    C->OnChange = [&](TObject*) { Seen = C->Text() + (C->ChangedByTyping() ? " typed" : " chosen"); };
    HWND Edit = FindWindowExA(C->Handle(), nullptr, "Edit", nullptr);
    ASSERT_NE(Edit, nullptr);
    SetWindowTextA(Edit, "");
    SendMessageA(Edit, WM_CHAR, 'x', 1);
    EXPECT_EQ(Seen, "x typed");
    SendMessageA(C->Handle(), CB_SETCURSEL, 0, 0);
    SendMessageA(Form->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(C->Handle()));
    EXPECT_EQ(Seen, "PC chosen");
}

TEST_F(UiControlsTest, WheelReachesTheCustomControlAndThePointerCanBeOverridden)
{
    auto* P = new TWheelPanel(Form.get());
    P->SetParent(Form.get());
    P->SetBounds(10, 10, 100, 100);
    SendMessageA(P->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), PointParam(20, 20));
    EXPECT_EQ(P->Delta, 120);
    Screen().SetCursor(crHandPoint);
    EXPECT_TRUE(SendMessageA(P->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(P->Handle()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    Screen().SetCursor(crDefault);
    EXPECT_EQ(Screen().Cursor(), crDefault);
}
