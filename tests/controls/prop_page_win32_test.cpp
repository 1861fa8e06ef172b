// The property page on a real window, through the message loop: every row kind and
// the help box, in-place editors that commit, restore and free themselves inside their
// own handlers, rows deleted by their cross or by a click that rebuilds the page, the
// wheel and the scroll bar. Linked with poisoned frees, so a use after free crashes.
#include "bmp_image.h"
#include "color_scheme.h"
#include "file_stream.h"
#include "gui_support.h"
#include "input_memo.h"
#include "key_input.h"
#include "prop_editor_rows.h"
#include "prop_page.h"
#include "path_and_dir_helpers.h"
#include "shortcut_editor.h"
#include "ui_common_dialogs.h"
#include "ui_form.h"
#include "ui_screen.h"

#include <memory>

namespace {

template <class Kind>
Kind* AddRow(CFxProp_b* Parent, const std::string& Caption, const std::string& Value)
{
    return static_cast<Kind*>(Parent->AddItem(RowClass<Kind>(), Caption, Value, PropNoColor, PropNoColor, -1));
}

int CountEditors(HWND Page)
{
    int N = 0;
    for (HWND C = GetWindow(Page, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT)) {
        char Class[16] = {};
        GetClassNameA(C, Class, sizeof Class);
        N += std::string(Class) == "Edit" || std::string(Class) == "EDIT";
    }
    return N;
}

std::string WritePicture(int W, int H)
{
    std::vector<std::uint8_t> Pixels(static_cast<std::size_t>(W) * H * 4);
    for (std::size_t I = 0; I < Pixels.size(); I += 4) {
        Pixels[I] = 200;     // blue
        Pixels[I + 1] = 120; // green
        Pixels[I + 2] = 20;  // red
        Pixels[I + 3] = 255;
    }
    const std::string Name = JoinPath(ScratchDir(), "picture_" + std::to_string(W) + ".bmp");
    TFileStream Out(Name, fmCreate);
    TBmpImage::FromBgra(W, H, Pixels).SaveToStream(Out);
    return Name;
}

class PropPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetCaption("Property page");
        Form->SetBounds(40, 40, 470, 470);
        Form->SetColor(PaletteColor1);
        Page = new CFxPropPage(Form.get());
        Page->SetParent(Form.get());
        Page->SetBounds(8, 8, 420, 420);
        Page->SetPageColor(PaletteColor1);
        Page->SetColorCaption(PaletteColor5);
        Page->SetColorFrame(PaletteTextColor);
        Page->SetUseHelpBox(true);
        Page->SetHeight_HB(90);
        Page->EEBC = bvLowered;
        Page->SetPageCaption("Settings");
        Page->OnPropChange = [this](TObject* S) { Changes.push_back(static_cast<CFxProp_b*>(S)->Caption); };
        Form->Show();
    }
    void TearDown() override
    {
        Form.reset();
        ResetChoosers();
    }
    void Fill()
    {
        CFxProp_b* G = Page->Root()->AddGroup("Package", PaletteColor2, PropNoColor, -1, -1);
        Name = AddRow<CFxProp_Edit>(G, "Name", "Brindlo");
        Icon = AddRow<CFxProp_Edit>(G, "Icon file", "C:\\Projects\\Brindlo\\app.ico");
        Icon->Style = ES_File;
        Notes = AddRow<CFxProp_Edit>(G, "Notes", "First line\r\nSecond line\r\nThird line");
        Notes->Style = ES_Memo;
        Picture = AddRow<CFxProp_Edit>(G, "Picture", WritePicture(40, 30));
        Picture->DlgStyle = DLG_Picture;
        Back = AddRow<CFxProp_Color>(G, "Back colour", "255");
        AddRow<CFxProp_Color>(G, "No colour", "");
        Check = AddRow<CFxProp_CheckBox>(G, "Show info", "true");
        AddRow<CFxProp_Const>(G, "Size", "12");
        Action = AddRow<CFxProp_Action>(G, "Status", "Click to check");
        Combo = AddRow<CFxProp_CBox>(G, "Platform", "PC");
        Combo->GetItems() = {"PC", "Pocket PC", "Palm OS"};
        auto* List = AddRow<CFxProp_GroupPropCrea>(Page->Root(), "Shortcuts", "Click to add new");
        List->NewClass = RowClass<CFxProp_SCut>();
        List->SetExpanded(true);
        Shortcut = AddRow<CFxProp_SCut>(List, "", "App|SCut to file|C:\\Program Files\\Brindlo\\app.exe|Desktop|");
        Shortcut->BackColor = PaletteColor3;
        Page->RepaintPage();
    }
    void ClickAt(int X, int Y)
    {
        SendMessageA(Page->Handle(), WM_MOUSEMOVE, 0, PointParam(X, Y));
        SendMessageA(Page->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(X, Y));
        SendMessageA(Page->Handle(), WM_LBUTTONUP, 0, PointParam(X, Y));
    }
    void ClickValue(CFxProp_b* Row) { ClickAt(Row->ValueRect.Left + 20, Row->ValueRect.Top + 10); }
    void ClickLeft(CFxProp_b* Row) { ClickAt(10, Row->ValueRect.Top + 10); }
    void Hover(CFxProp_b* Row)
    {
        SendMessageA(Page->Handle(), WM_MOUSEMOVE, 0, PointParam(Row->ValueRect.Left + 5, Row->ValueRect.Top + 10));
    }

    std::unique_ptr<TForm> Form;
    CFxPropPage* Page = nullptr;
    std::vector<std::string> Changes;
    CFxProp_Edit *Name = nullptr, *Icon = nullptr, *Notes = nullptr, *Picture = nullptr;
    CFxProp_Color* Back = nullptr;
    CFxProp_CheckBox* Check = nullptr;
    CFxProp_Action* Action = nullptr;
    CFxProp_CBox* Combo = nullptr;
    CFxProp_SCut* Shortcut = nullptr;
};

} // namespace

TEST_F(PropPageTest, EveryRowKindWithTheHelpBox)
{
    Fill();
    EXPECT_EQ(Page->ScrollBarControl()->Parent(), Form.get());
    EXPECT_EQ(Page->ScrollBarControl()->Left(), Page->Left() + Page->Width() + 3);
    Hover(Shortcut);
    PumpMessages();
    TScreenshot Shot = Photograph(Form->Handle(), "prop_page.png");
    HWND F = Form->Handle();
    auto At = [&](int X, int Y) { return ShotPixel(Shot, F, Page->Left() + X, Page->Top() + Y); };
    const TRect& Swatch = Back->ValueRect;
    EXPECT_EQ(At((Swatch.Left + Swatch.Right) / 2, (Swatch.Top + Swatch.Bottom) / 2), 0x0000FFu);
    // The shortcut row's red cross in its left column.
    EXPECT_EQ(At(7, Shortcut->ValueRect.Top + 5), 0x0000FFu);
    Hover(Picture);
    PumpMessages();
    Shot = Photograph(Form->Handle(), "prop_page_picture_help.png");
    // A picture smaller than the box sits at its top-left corner.
    EXPECT_EQ(At(4 + 10, Page->Height() - Page->Height_HB() + 10), 0xC87814u);
    Hover(Notes);
    PumpMessages();
    Photograph(Form->Handle(), "prop_page_memo_help.png");
    Picture->SetValue("C:\\missing.bmp");
    Hover(Picture);
    PumpMessages();
    Photograph(Form->Handle(), "prop_page_missing_picture.png");
}

TEST_F(PropPageTest, EnterCommitsEscapeRestoresAndAnotherRowCommits)
{
    Fill();
    ClickValue(Name);
    ASSERT_NE(Name->Editor, nullptr);
    EXPECT_EQ(Name->Editor->Text(), "Brindlo");
    EXPECT_EQ(Name->Editor->Left(), Name->ValueRect.Left);
    HWND E = Name->Editor->Handle();
    SendMessageA(E, EM_SETSEL, 7, 7);
    PostChars(E, " Two");
    PumpMessages(3);
    PostKey(E, VK_RETURN);
    PumpMessages(3);
    EXPECT_EQ(Name->Value, "Brindlo Two");
    EXPECT_EQ(Changes, (std::vector<std::string>{"Name"}));
    EXPECT_EQ(Name->Editor, nullptr);
    EXPECT_EQ(CountEditors(Page->Handle()), 0); // freed inside its own Enter

    ClickValue(Name);
    E = Name->Editor->Handle();
    PostChars(E, "xyz");
    PostKey(E, VK_ESCAPE);
    PumpMessages(3);
    EXPECT_EQ(Name->Value, "Brindlo Two");
    EXPECT_EQ(Changes.size(), 1u);
    EXPECT_EQ(CountEditors(Page->Handle()), 0);

    ClickValue(Name);
    E = Name->Editor->Handle();
    SendMessageA(E, EM_SETSEL, 0, -1);
    PostChars(E, "Other");
    PumpMessages(3);
    ClickValue(Check); // commits, then toggles the check box
    EXPECT_EQ(Name->Value, "Other");
    EXPECT_EQ(Changes, (std::vector<std::string>{"Name", "Name", "Show info"}));
    EXPECT_EQ(Check->Value, "false");
}

TEST_F(PropPageTest, CommitEditKeepsWhatWasTypedAndShowItemOpensTheEditor)
{
    Fill();
    Page->ShowItem(Name, true);
    ASSERT_NE(Name->Editor, nullptr);
    PostChars(Name->Editor->Handle(), "X");
    PumpMessages(3);
    Page->CommitEdit();
    PumpMessages(2);
    EXPECT_EQ(Name->Value, "XBrindlo");
    EXPECT_EQ(Changes, (std::vector<std::string>{"Name"}));
}

TEST_F(PropPageTest, FileRowClearsByItsLeftColumnAndChoosesAtOnce)
{
    Fill();
    Choosers().FileDialog = [](const TFileDialogRequest&) { return TFileDialogAnswer{true, "C:\\new.ico", 1}; };
    ClickValue(Icon); // the chooser runs at once and its answer is committed
    EXPECT_EQ(Icon->Value, "C:\\new.ico");
    EXPECT_EQ(Icon->Editor, nullptr);
    ClickLeft(Icon);
    EXPECT_EQ(Icon->Value, "");
    ClickLeft(Icon); // empty already: no change
    EXPECT_EQ(Changes, (std::vector<std::string>{"Icon file", "Icon file"}));
}

TEST_F(PropPageTest, ColourRowTakesTheChoiceAndACancelChangesNothing)
{
    Fill();
    bool Confirm = false;
    Choosers().ColorDialog = [&](TColor& C) {
        if (Confirm)
            C = 0x00FF00;
        return Confirm;
    };
    ClickValue(Back);
    EXPECT_EQ(Back->Value, "255");
    Confirm = true;
    ClickValue(Back);
    EXPECT_EQ(Back->Value, "65280");
    EXPECT_EQ(Changes, (std::vector<std::string>{"Back colour"}));
}

TEST_F(PropPageTest, ComboTakesTheChoiceAtOnceAndTypedTextStaysTyped)
{
    Fill();
    ClickValue(Combo);
    ASSERT_TRUE(Combo->Combo->Visible());
    EXPECT_EQ(Combo->Combo->ItemIndex(), 0);
    HWND C = Combo->Combo->Handle();
    SendMessageA(C, CB_SETCURSEL, 2, 0);
    SendMessageA(Page->Handle(), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(C));
    EXPECT_EQ(Combo->Value, "Palm OS");
    EXPECT_EQ(Changes, (std::vector<std::string>{"Platform"}));
    // Typing into the open list selects the matching item; the row keeps what was typed.
    SendMessageA(C, CB_SHOWDROPDOWN, TRUE, 0);
    HWND Edit = FindWindowExA(C, nullptr, "Edit", nullptr);
    ASSERT_NE(Edit, nullptr);
    SendMessageA(Edit, EM_SETSEL, 0, -1);
    PostChars(Edit, "pocket");
    PumpMessages(5);
    EXPECT_EQ(Combo->Value, "pocket");
    SendMessageA(C, CB_SHOWDROPDOWN, FALSE, 0);
    PostKey(Edit, VK_RETURN);
    PumpMessages(3);
    EXPECT_FALSE(Combo->Combo->Visible());
    EXPECT_EQ(Page->ActiveItem(), nullptr);
}

TEST_F(PropPageTest, ShortcutRowRenamesInPlaceWithoutBarsAndItsCrossDeletesIt)
{
    Fill();
    ClickAt(Shortcut->CaptionRect.Left + 10, Shortcut->CaptionRect.Top + 10);
    ASSERT_NE(Shortcut->Editor, nullptr);
    HWND E = Shortcut->Editor->Handle();
    SetClipboardText(Page->Handle(), "New|Name");
    SendMessageA(E, EM_SETSEL, 0, -1);
    SendMessageA(E, WM_PASTE, 0, 0);
    EXPECT_EQ(Shortcut->Editor->Text(), "NewName");
    PostKey(E, VK_RETURN);
    PumpMessages(3);
    EXPECT_EQ(Shortcut->Value, "NewName|SCut to file|C:\\Program Files\\Brindlo\\app.exe|Desktop|");
    int Deleted = 0;
    Shortcut->OnDelete = [&](TObject* S) { Deleted += S == Shortcut; };
    CFxProp_b* List = Shortcut->Parent;
    ClickLeft(Shortcut);
    EXPECT_EQ(Deleted, 1);
    EXPECT_TRUE(List->Children.empty());
    EXPECT_EQ(Page->ActiveItem(), Shortcut); // alive in the removed rows
    PumpMessages();
    Form.reset(); // and then the page goes: nothing touches a freed row
    Page = nullptr;
}

TEST_F(PropPageTest, ShortcutEditorFromTheValueWritesAllFiveFields)
{
    Fill();
    Shortcut->SetValue("App|SCut to file|C:\\a.exe");
    TModalScript Script([](HWND W) {
        auto* E = dynamic_cast<TFSCutEdit*>(FindControl(W));
        ASSERT_NE(E, nullptr);
        E->cbDir->SetItemIndex(1);
        E->UpdateFields();
        PostKey(E->eName->Handle(), VK_RETURN);
    });
    ClickValue(Shortcut);
    EXPECT_EQ(Shortcut->Value, "App|SCut to file|C:\\a.exe|Quick launch|");
    EXPECT_EQ(Changes, (std::vector<std::string>{""}));
}

TEST_F(PropPageTest, ActionThatRebuildsThePageFromItsOwnClick)
{
    Fill();
    Action->OnClick = [this](TObject*) {
        Page->Clear(true);
        auto* Again = AddRow<CFxProp_Action>(Page->Root(), "Status", "Rebuilt");
        Again->OnClick = [](TObject*) {};
    };
    Hover(Action);
    EXPECT_EQ(Screen().Cursor(), crHandPoint);
    ClickValue(Action);
    PumpMessages();
    EXPECT_EQ(Screen().Cursor(), crDefault);
    EXPECT_EQ(Page->RetiredCount(), 0u); // freed once the click was over
    ASSERT_EQ(Page->Root()->Children.size(), 1u);
    EXPECT_EQ(Page->Root()->Children[0]->Value, "Rebuilt");
    Page->RepaintPage();
}

TEST_F(PropPageTest, CheckBoxRebuildingItsSiblingsFromItsClick)
{
    Fill();
    CFxProp_b* Group = Check->Parent;
    Check->OnClick = [Group, this](TObject*) {
        while (Group->Children.size() > 1)
            Group->Children.back()->Delete();
        AddRow<CFxProp_Const>(Group, "Rebuilt", "yes");
    };
    ClickValue(Check);
    PumpMessages();
    EXPECT_EQ(Group->Children.size(), 2u);
    EXPECT_EQ(Page->RetiredCount(), 0u);
    Page->RepaintPage();
}

TEST_F(PropPageTest, CommitThatRebuildsThePageUnderAClick)
{
    Fill();
    Page->OnPropChange = [this](TObject* S) {
        Changes.push_back(static_cast<CFxProp_b*>(S)->Caption);
        Page->Clear(true);
        Fill();
    };
    ClickValue(Name);
    ASSERT_NE(Name->Editor, nullptr);
    PostChars(Name->Editor->Handle(), "X");
    PumpMessages(3);
    ClickValue(Picture); // Name commits, and its change rebuilds the page under the click
    EXPECT_EQ(Changes, (std::vector<std::string>{"Name"}));
    EXPECT_EQ(Page->ActiveItem(), nullptr);
    PumpMessages();
    EXPECT_EQ(Page->RetiredCount(), 0u);
    EXPECT_EQ(CountEditors(Page->Handle()), 0); // none was opened on a row that went
    Hover(Picture); // with poisoned frees a call into a freed row crashes here
    ClickValue(Picture);
    EXPECT_EQ(Page->ActiveItem(), Picture);
    EXPECT_NE(Picture->Editor, nullptr);
}

TEST_F(PropPageTest, RowOpenedByTheCommitsChangeHandlerKeepsItsEditor)
{
    Fill();
    Page->OnPropChange = [this](TObject* S) {
        Changes.push_back(static_cast<CFxProp_b*>(S)->Caption);
        if (S == Name)
            Page->ShowItem(Picture, true);
    };
    ClickValue(Name);
    ASSERT_NE(Name->Editor, nullptr);
    PostChars(Name->Editor->Handle(), "X");
    PumpMessages(3);
    ClickValue(Check);
    EXPECT_EQ(Page->ActiveItem(), Picture);
    EXPECT_NE(Picture->Editor, nullptr);
    EXPECT_EQ(Check->Value, "true"); // the click gave way to the row the program opened
    EXPECT_EQ(Changes, (std::vector<std::string>{"Name"}));
    PumpMessages();
    EXPECT_EQ(CountEditors(Page->Handle()), 1);
}

TEST_F(PropPageTest, MemoRowOkWithoutAnEditChangesNothing)
{
    Fill();
    const std::string Text = "one\ntwo\rthree\r\nfour\n";
    Notes->SetValue(Text);
    TModalScript Script([](HWND W) {
        auto* M = dynamic_cast<CInputMemo*>(FindControl(W));
        ASSERT_NE(M, nullptr);
        SendMessageA(M->OkButton->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(3, 3));
        SendMessageA(M->OkButton->Handle(), WM_LBUTTONUP, 0, PointParam(3, 3));
    });
    ClickValue(Notes);
    EXPECT_EQ(Notes->Value, Text);
    EXPECT_TRUE(Changes.empty());
}

TEST_F(PropPageTest, WheelAndScrollBarMoveTheTopRow)
{
    Fill();
    Page->SetUseHelpBox(false);
    Page->SetBounds(8, 8, 420, 150); // 7 rows of 14
    Page->RepaintPage();
    ASSERT_GT(Page->ScrollBarControl()->Max(), 1);
    ClickValue(Name);
    ASSERT_NE(Name->Editor, nullptr);
    SendMessageA(Page->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), PointParam(50, 50));
    for (int I = 0; I < 20 && Page->TopIndex() == 0; ++I)
        PumpMessages(2);
    EXPECT_EQ(Page->TopIndex(), 2);
    EXPECT_EQ(Name->Editor, nullptr); // scrolling ends the edit
    EXPECT_EQ(Page->ScrollBarControl()->Position(), 3);
    PumpMessages();
    Photograph(Form->Handle(), "prop_page_scrolled.png");
    Page->ScrollBarControl()->SetPosition(1);
    EXPECT_EQ(Page->TopItem(), Page->Root());
}
