// The property page's rules without a window: display order and the index tables,
// geometry and click routing, scrolling by lines and wheel, links and change events,
// activation and the rows that leave while their own handlers run.
#include "exceptions.h"
#include "fx_scroll_bar_logic.h"
#include "prop_page_logic.h"
#include "ui_timer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct TLog {
    std::vector<std::string> Lines;
    void Add(const std::string& S) { Lines.push_back(S); }
};

// A row that writes down what the page asks of it.
class TRecordingRow : public CFxProp_b {
public:
    static TLog* Log;
    void SetActive(bool Active, TPropColumn Mode) override
    {
        Log->Add(Caption + (Active ? " on " : " off ") + std::to_string(static_cast<int>(Mode)));
    }
    void ClickValue(int, int) override { Log->Add(Caption + " value"); }
    void ClickCaption(int, int) override { Log->Add(Caption + " caption"); }
};
TLog* TRecordingRow::Log = nullptr;

class TTestPage : public CFxPropPageLogic {
public:
    // The page's scroll bar: the bar's own rules, Min 1 and Max 1 to start with.
    TTestPage() : Bar(Model)
    {
        Model.SetMin(1);
        Model.SetMax(1);
        Model.OnChange = [this](TObject*) {
            ++Bar.Changes;
            ScrollBarChange();
        };
        SetScrollBar(&Bar);
        UpdateScrollBar(true, false);
    }
    ~TTestPage() override { DestroyRows(); }
    void RepaintPage() override
    {
        ++Repaints;
        PaintRows([](CFxProp_b&, const TPropLineRects&) {});
    }
    void InvalidatePage() override { ++Invalidates; }
    bool SelectColor(TColor& C) override
    {
        ++ColorAsks;
        if (!ColorAnswer)
            return false;
        C = *ColorAnswer;
        return true;
    }
    void SetHandCursor(bool Hand) override { HandCursor = Hand; }
    struct TCountingBar : TPropScrollBarOf<CFxScrollBarModel> {
        using TPropScrollBarOf::TPropScrollBarOf;
        int Changes = 0;
    };
    CFxScrollBarModel Model;
    TCountingBar Bar;
    int Repaints = 0, Invalidates = 0, ColorAsks = 0;
    const TColor* ColorAnswer = nullptr;
    bool HandCursor = false;
};

class PropPageLogicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TRecordingRow::Log = &Log;
        SetTimerService(&Timers);
        Page = std::make_unique<TTestPage>();
        Page->SetPageSize(300, 150); // (150 - 3) div 21 = 7 rows
        Page->OnPropChange = [this](TObject* Row) { Changes.push_back(static_cast<CFxProp_b*>(Row)->Caption); };
    }
    void TearDown() override
    {
        Page.reset();
        SetTimerService(nullptr);
    }
    CFxProp_b* Add(CFxProp_b* Parent, const std::string& Caption)
    {
        return Parent->AddItem(RowClass<TRecordingRow>(), Caption, "", PropNoColor, PropNoColor, -1);
    }
    // Root, then groups A (a1..a3) and B (b1..b12).
    void Fill()
    {
        A = Page->Root()->AddGroup("A", PropNoColor, PropNoColor, -1, -1);
        for (int I = 1; I <= 3; ++I)
            Add(A, "a" + std::to_string(I));
        B = Page->Root()->AddGroup("B", PropNoColor, PropNoColor, -1, -1);
        for (int I = 1; I <= 12; ++I)
            Add(B, "b" + std::to_string(I));
        Page->UpdateScrollBar(true, false);
    }
    std::string Order()
    {
        std::string S;
        for (CFxProp_b* R = Page->Root(); R; R = R->NextRow())
            S += (S.empty() ? "" : " ") + (R == Page->Root() ? std::string("root") : R->Caption);
        return S;
    }
    void Click(int X, int Y)
    {
        Page->LeftButtonDown(X, Y);
        Page->LeftButtonUp(X, Y);
    }
    int LineY(int Line) { return 2 + 21 * Line + 10; }

    TFakeTimerService Timers;
    std::unique_ptr<TTestPage> Page;
    TLog Log;
    std::vector<std::string> Changes;
    CFxProp_b* A = nullptr;
    CFxProp_b* B = nullptr;
};

} // namespace

TEST_F(PropPageLogicTest, ANewPageHoldsOnlyItsRoot)
{
    EXPECT_EQ(Page->RowCount(), 1);
    EXPECT_EQ(Page->TopItem(), Page->Root());
    EXPECT_EQ(Page->Bar.Max(), 1);
    EXPECT_TRUE(Page->Root()->IsGroup);
    EXPECT_TRUE(Page->Root()->Expanded);
    EXPECT_EQ(Page->Root()->BackColor, 0x808080u);
    EXPECT_EQ(Page->FindItem(""), Page->Root());
}

TEST_F(PropPageLogicTest, DisplayOrderFollowsExpandedGroupsAndIndexesMatch)
{
    Fill();
    EXPECT_EQ(Page->RowCount(), 18);
    A->SetExpanded(false);
    EXPECT_EQ(Order().substr(0, 12), "root A B b1 ");
    EXPECT_EQ(Page->RowCount(), 15);
    A->SetExpanded(true);
    B->SetExpanded(false);
    EXPECT_EQ(Order(), "root A a1 a2 a3 B");
    EXPECT_EQ(Page->IndexOfItem(B), 5);
    // A row hidden in a collapsed group is not in display order: the last index.
    EXPECT_EQ(Page->IndexOfItem(B->Children[0].get()), 5);
    EXPECT_EQ(Page->ItemAt(3)->Caption, "a2");
    EXPECT_EQ(Page->ItemAt(6), nullptr); // one past the last row
    try {
        Page->ItemAt(8);
        ADD_FAILURE() << "no error past the end";
    } catch (const ERangeError& E) {
        EXPECT_STREQ(E.what(), "Index to HIGH=2");
    }
    EXPECT_EQ(Page->ItemFrom(A, 3)->Caption, "a3");
    EXPECT_EQ(Page->ItemFrom(A, 5), nullptr);
    EXPECT_THROW(Page->ItemFrom(A, -1), ERangeError);
}

TEST_F(PropPageLogicTest, ItemAtYOnThePartialLineInTheHelpBoxAndAbove)
{
    Fill();
    Page->SetUseHelpBox(true);
    Page->SetHeight_HB(80);
    EXPECT_EQ(Page->VisibleRows(), 3); // (150 - 80 - 3) div 21
    Page->SetUseHelpBox(false);
    EXPECT_EQ(Page->VisibleRows(), 7);
    Page->SetUseHelpBox(true);
    EXPECT_EQ(Page->ItemAtY(LineY(0)), Page->Root());
    EXPECT_EQ(Page->ItemAtY(LineY(2))->Caption, "a1");
    // The partly visible line below the last full row counts as the last row...
    EXPECT_EQ(Page->ItemAtY(LineY(3))->Caption, "a1");
    // ...below it lies the help box.
    EXPECT_EQ(Page->ItemAtY(LineY(4)), nullptr);
    EXPECT_EQ(Page->ItemAtY(-30), nullptr);
}

TEST_F(PropPageLogicTest, LineGeometryAndClickColumns)
{
    Page->SetPageSize(425, 300);
    Page->SetPVwidth(0.33);
    const TPropLineRects R = Page->LineRects(1);
    EXPECT_EQ(R.Left.Left, 2);
    EXPECT_EQ(R.Left.Top, 23);
    EXPECT_EQ(R.Icon.Left, 25);
    EXPECT_EQ(R.Caption.Left, 49);
    EXPECT_EQ(R.Caption.Right, 171);
    EXPECT_EQ(R.Value.Left, 174);
    EXPECT_EQ(R.Value.Right, 422);
    using C = TPropColumn;
    struct {
        int X;
        TPropColumn Column;
    } const Cases[] = {{21, C::Expander}, {22, C::Icon},    {48, C::Icon},     {49, C::Caption},
                       {170, C::Caption}, {172, C::Caption}, {173, C::Value}, {400, C::Value}};
    for (const auto& Case : Cases)
        EXPECT_EQ(Page->ClickColumn(Case.X), Case.Column) << Case.X;
    Page->LineAsValue = true;
    EXPECT_EQ(Page->ClickColumn(5), TPropColumn::Value);
    Page->LineAsValue = false;
    Page->SetPVwidth(-1);
    EXPECT_EQ(Page->PVwidth(), 0);
    EXPECT_EQ(Page->ClickColumn(60), TPropColumn::Value); // with icons the caption column is never hit
    Page->SetUseIcons(false);
    EXPECT_EQ(Page->ClickColumn(24), TPropColumn::Caption);
    EXPECT_EQ(Page->ClickColumn(26), TPropColumn::Value);
    EXPECT_EQ(Page->LineRects(0).Value.Left, 28); // caption cell empty at 25
}

TEST_F(PropPageLogicTest, ClicksActivateByColumnOnlyWhenPressAndReleaseMeet)
{
    Fill();
    Page->RepaintPage();
    Click(250, LineY(2)); // a1, value column
    Click(100, LineY(3)); // a2, caption column
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"a1 on 4", "a1 value", "a1 off 0", "a2 on 3", "a2 caption"}));
    Log.Lines.clear();
    Page->LeftButtonDown(250, LineY(2));
    Page->LeftButtonUp(250, LineY(3));
    EXPECT_TRUE(Log.Lines.empty());
    EXPECT_EQ(Page->ActiveItem()->Caption, "a2");
    EXPECT_FALSE(Page->MouseIsDown());
    // The expander column toggles a group.
    Click(10, LineY(1));
    EXPECT_FALSE(A->Expanded);
    EXPECT_EQ(Page->ActiveItem(), A);
}

TEST_F(PropPageLogicTest, FirstAndLastLinesScrollInsteadOfActivating)
{
    Fill();
    Page->RepaintPage();
    EXPECT_EQ(Page->Bar.Max(), 18 - 7 + 1);
    EXPECT_EQ(Page->LastRow()->Caption, "b1");
    Click(250, LineY(6)); // the last painted line, rows hidden below
    EXPECT_EQ(Page->Bar.Position(), 2);
    EXPECT_EQ(Page->TopItem()->Caption, "A");
    EXPECT_TRUE(Log.Lines.empty());
    Click(250, LineY(0)); // the first line, rows hidden above
    EXPECT_EQ(Page->Bar.Position(), 1);
    EXPECT_EQ(Page->TopItem(), Page->Root());
    EXPECT_TRUE(Log.Lines.empty());
    EXPECT_EQ(Page->HotItem(), nullptr);
}

TEST_F(PropPageLogicTest, WheelNotchesWithinTenMillisecondsScrollOnce)
{
    Fill();
    Page->Bar.SetPosition(6);
    const int Before = Page->Bar.Changes;
    for (int I = 0; I < 3; ++I)
        Page->Wheel(120);
    Page->Wheel(-99); // below a notch: nothing
    EXPECT_EQ(Page->WheelSteps(), 3);
    Timers.Advance(10);
    EXPECT_EQ(Page->Bar.Position(), 3);
    EXPECT_EQ(Page->Bar.Changes, Before + 1);
    EXPECT_EQ(Page->TopIndex(), 2);
    EXPECT_FALSE(Page->WheelTimer().Enabled());
    Page->Wheel(-240);
    Timers.Advance(10);
    EXPECT_EQ(Page->Bar.Position(), 5);
}

TEST_F(PropPageLogicTest, ShowItemOpensItsGroupsAndKeepsTheLastPageFull)
{
    Fill();
    B->SetExpanded(false);
    A->SetExpanded(false);
    CFxProp_b* B3 = B->Children[2].get();
    Page->ShowItem(B3, false);
    EXPECT_TRUE(B->Expanded);
    EXPECT_EQ(Page->TopItem(), B3); // index 9 of 15: room for a full page below
    EXPECT_EQ(Page->Bar.Position(), Page->TopIndex() + 1);
    Page->ShowItem(B->Children[10].get(), false); // within the last page
    EXPECT_EQ(Page->TopIndex(), 15 - 7);
    Page->ShowItem(Page->Root(), true);
    EXPECT_EQ(Page->TopIndex(), 0);
}

TEST_F(PropPageLogicTest, TheScrollRangeShrinksAsRowsGo)
{
    Fill();
    Page->Bar.SetPosition(12);
    EXPECT_EQ(Page->TopItem()->Caption, "b6");
    B->SetExpanded(false); // 6 rows: the range falls to 1
    EXPECT_EQ(Page->Bar.Max(), 1);
    EXPECT_EQ(Page->Bar.Position(), 1);
    EXPECT_EQ(Page->TopItem(), Page->Root());
    // The paint that found the smaller range only invalidated the page again.
    EXPECT_GE(Page->Invalidates, 1);
}

TEST_F(PropPageLogicTest, LinksPassAValueOneStepWithOneChangeEvent)
{
    CFxProp_b* T = Add(Page->Root(), "t");
    T->Key = "K";
    T->Value = "1";
    CFxProp_b* First = Page->Root()->AddCopy(T);
    CFxProp_b* Second = Page->Root()->AddCopy(T);
    EXPECT_EQ(Second->Key, "K");
    EXPECT_EQ(Second->Caption, "t");
    EXPECT_EQ(T->BackLink, Second); // the latest copy
    First->Value = "2";
    First->Changed();
    EXPECT_EQ(T->Value, "2");
    EXPECT_EQ(Second->Value, "1"); // one step only
    EXPECT_EQ(Changes, (std::vector<std::string>{"t"}));
    T->Value = "3";
    T->Changed();
    EXPECT_EQ(Second->Value, "3");
    EXPECT_EQ(First->Value, "2");
    EXPECT_EQ(Changes.size(), 2u);
    // Both copies load the stored value; storing writes the key once per row.
    THash H(true);
    H.Add("K", "9");
    Page->LoadValues(H);
    EXPECT_EQ(First->Value, "9");
    EXPECT_EQ(Changes.size(), 2u);
    EXPECT_EQ(Page->Root()->AddCopy(Page->Root()), nullptr); // groups have no kind
}

TEST_F(PropPageLogicTest, ColoursComeFromTheParentAndGroupsPassThemDown)
{
    CFxProp_b* G = Page->Root()->AddGroup("G", 0xC0C0C0, PropNoColor, -1, -1);
    CFxProp_b* R = Add(G, "r");
    EXPECT_EQ(R->BackColor, 0xC0C0C0u);
    auto* List = static_cast<CFxProp_GroupPropCrea*>(
        G->AddItem(RowClass<CFxProp_GroupPropCrea>(), "L", "", PropNoColor, PropNoColor, -1));
    List->NewClass = RowClass<TRecordingRow>();
    List->ClickValue(0, 0); // opens
    List->ClickValue(0, 0); // adds
    ASSERT_EQ(List->Children.size(), 1u);
    EXPECT_EQ(List->Children[0]->BackColor, 0xFFFFu);
    EXPECT_EQ(List->Children[0]->Tag, -1);
    Page->SetColorCaption(0x112233);
    EXPECT_EQ(R->BackColor, 0x112233u);
    EXPECT_EQ(List->BackColor, 0x112233u);
    EXPECT_EQ(List->Children[0]->BackColor, 0xFFFFu); // a list group keeps its children's
    Page->SetIconIndex(0);
    Page->SetIconOpenIndex(1);
    CFxProp_b* G2 = Page->Root()->AddGroup("G2", PropNoColor, PropNoColor, -1, -1);
    EXPECT_EQ(G2->IconIndex, 0);
    EXPECT_EQ(G2->OpenIconIndex, 1);
}

TEST_F(PropPageLogicTest, CheckBoxColourAndActionKinds)
{
    auto* Box = static_cast<CFxProp_CheckBox*>(
        Page->Root()->AddItem(RowClass<CFxProp_CheckBox>(), "c", "false", PropNoColor, PropNoColor, -1));
    std::vector<std::string> Order;
    Page->OnPropChange = [&](TObject*) { Order.push_back("change"); };
    Box->OnClick = [&](TObject*) { Order.push_back("click"); };
    Box->SetValue("TRUE");
    EXPECT_EQ(Box->Value, "false");
    Box->ClickValue(0, 0);
    EXPECT_EQ(Box->Value, "true");
    EXPECT_EQ(Order, (std::vector<std::string>{"change", "click"}));

    auto* Color = Page->Root()->AddItem(RowClass<CFxProp_Color>(), "col", "", PropNoColor, PropNoColor, -1);
    Order.clear();
    Color->ClickValue(0, 0); // cancelled on an empty row: nothing
    EXPECT_EQ(Color->Value, "");
    const TColor Red = 255;
    Page->ColorAnswer = &Red;
    Color->ClickValue(0, 0);
    EXPECT_EQ(Color->Value, "255");
    Color->ClickValue(0, 0); // the same colour again: nothing
    EXPECT_EQ(Order.size(), 1u);
    Color->Value = "not a number";
    Color->ClickValue(0, 0);
    EXPECT_EQ(Color->Value, "255");

    auto* Action = Page->Root()->AddItem(RowClass<CFxProp_Action>(), "act", "Go", PropNoColor, PropNoColor, -1);
    int Clicks = 0;
    Action->OnClick = [&](TObject* S) { Clicks += S == Action; };
    Action->ClickCaption(0, 0);
    Action->ClickValue(0, 0);
    EXPECT_EQ(Clicks, 2);
    Page->SetHotItem(Action);
    EXPECT_TRUE(Page->HandCursor);
    Page->SetHotItem(nullptr);
    EXPECT_FALSE(Page->HandCursor);
}

TEST_F(PropPageLogicTest, ClearFromARowsOwnClickRetiresTheRows)
{
    Fill();
    CFxProp_b* A1 = A->Children[0].get();
    auto* Action = static_cast<CFxProp_Action*>(
        A->AddItem(RowClass<CFxProp_Action>(), "rebuild", "x", PropNoColor, PropNoColor, -1));
    Action->OnClick = [&](TObject* Sender) {
        Page->Clear(true);
        // The clicked row is still whole while its handler runs.
        EXPECT_EQ(static_cast<CFxProp_b*>(Sender)->Caption, "rebuild");
    };
    Page->RepaintPage();
    Page->ActivateItem(A1, TPropColumn::Value);
    Page->SetHotItem(Action);
    Action->ClickValue(0, 0);
    EXPECT_EQ(Page->RowCount(), 1);
    EXPECT_EQ(Page->ActiveItem(), nullptr);
    EXPECT_EQ(Page->HotItem(), nullptr);
    EXPECT_FALSE(Page->HandCursor);
    EXPECT_EQ(Page->RetiredCount(), 2u);
    EXPECT_EQ(Page->Bar.Max(), 1);
    Page->FreeRetired();
    EXPECT_EQ(Page->RetiredCount(), 0u);
}

TEST_F(PropPageLogicTest, RemovedRowsStayAliveAndDeletedOnesLeaveTheBookkeeping)
{
    Fill();
    Page->Bar.SetPosition(4); // top is a2
    CFxProp_b* A2 = A->Children[1].get();
    EXPECT_EQ(Page->TopItem(), A2);
    A2->Remove();
    EXPECT_EQ(Page->RemovedRows().size(), 1u);
    EXPECT_EQ(A2->Parent, A);
    EXPECT_EQ(A2->NextRow(), nullptr);
    EXPECT_EQ(Page->TopItem()->Caption, "a3"); // the top stays in the tree
    EXPECT_EQ(Order().substr(0, 14), "root A a1 a3 B");
    CFxProp_b* B2 = B->Children[1].get();
    Page->ActivateItem(B2, TPropColumn::Value);
    Log.Lines.clear();
    B2->Delete();
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"b2 off 0"}));
    EXPECT_EQ(Page->ActiveItem(), nullptr);
    EXPECT_EQ(Page->RetiredCount(), 1u);
    EXPECT_EQ(B->Children.size(), 11u);
}

TEST_F(PropPageLogicTest, DestructionEndsTheEditAndFiresNoChange)
{
    Fill();
    struct TCommitRow : public CFxProp_b {
        void SetActive(bool Active, TPropColumn) override
        {
            if (!Active) {
                Value = "typed";
                Changed();
            }
        }
    };
    CFxProp_b* R = A->AddItem(RowClass<TCommitRow>(), "e", "", PropNoColor, PropNoColor, -1);
    Page->ActivateItem(R, TPropColumn::Value);
    Page->CommitEdit();
    EXPECT_EQ(Changes, (std::vector<std::string>{"e"}));
    Page->ActivateItem(R, TPropColumn::Value);
    R->Remove(); // the active row left the tree
    Page.reset();
    EXPECT_EQ(Changes.size(), 1u);
}

namespace {

// A row with an open editor: it commits what was typed when it stops being active.
class TTypedRow : public TRecordingRow {
public:
    void SetActive(bool Active, TPropColumn Mode) override
    {
        TRecordingRow::SetActive(Active, Mode);
        if (!Active && Value != "typed") {
            Value = "typed";
            Changed();
        }
    }
};

} // namespace

TEST_F(PropPageLogicTest, CommitThatRebuildsThePageLeavesNoFreedRowActive)
{
    Fill();
    CFxProp_b* Typed = A->AddItem(RowClass<TTypedRow>(), "e", "", PropNoColor, PropNoColor, -1);
    Page->OnPropChange = [this](TObject* Row) {
        Changes.push_back(static_cast<CFxProp_b*>(Row)->Caption);
        Page->Clear(true);
        Fill();
    };
    Page->RepaintPage();
    Page->ActivateItem(Typed, TPropColumn::Value);
    Log.Lines.clear();
    Click(250, LineY(2)); // a1's value: the commit rebuilds the page under the click
    EXPECT_EQ(Changes, (std::vector<std::string>{"e"}));
    EXPECT_EQ(Log.Lines, (std::vector<std::string>{"e off 0"})); // the old a1 is never opened
    EXPECT_EQ(Page->ActiveItem(), nullptr);
    Page->FreeRetired(); // idle
    // Under AddressSanitizer any call into a freed row ends the test here.
    Page->MouseMoveAt(250, LineY(3));
    Page->KeyPress(TPropKeyMessage{'x', 0});
    EXPECT_EQ(Page->HotItem()->Caption, "a2");
    Click(250, LineY(2));
    EXPECT_EQ(Page->ActiveItem(), A->Children[0].get());
}

TEST_F(PropPageLogicTest, RowOpenedByTheCommitsChangeHandlerStaysOpen)
{
    // The user clicked a row, but the program answered the commit by opening another
    // one (a jump to where the value matters): that row is what the user sees open.
    Fill();
    CFxProp_b* Typed = A->AddItem(RowClass<TTypedRow>(), "e", "", PropNoColor, PropNoColor, -1);
    CFxProp_b* B5 = B->Children[4].get();
    Page->OnPropChange = [&](TObject*) { Page->ShowItem(B5, true); };
    const struct {
        const char* How;
        std::function<void()> End;
    } Cases[] = {
        {"a click on another row", [this] { Click(250, LineY(2)); }},
        {"the edit ended", [this] { Page->CommitEdit(); }},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.How);
        Typed->Value.clear();
        Page->ShowItem(Page->Root(), false);
        Page->RepaintPage();
        Page->ActivateItem(Typed, TPropColumn::Value);
        Log.Lines.clear();
        C.End();
        EXPECT_EQ(Page->ActiveItem(), B5);
        EXPECT_EQ(Log.Lines, (std::vector<std::string>{"e off 0", "b5 on 4", "b5 value"}));
    }
}

TEST_F(PropPageLogicTest, FreeingRetiredRowsLeavesNoPointerIntoThem)
{
    Fill();
    CFxProp_b* A1 = A->Children[0].get();
    CFxProp_b* Copy = B->AddCopy(A1);
    A1->Delete();
    // Whatever a handler did with the row while it was still alive.
    Page->SetHotItem(A1);
    Page->ShowItem(A1, true);
    Page->EndEdit(A1);
    Page->FreeRetired();
    EXPECT_EQ(Page->HotItem(), nullptr);
    EXPECT_EQ(Page->ActiveItem(), nullptr);
    EXPECT_EQ(Copy->Link, nullptr);
    Copy->Changed();
    Page->MouseLeftPage();
}
