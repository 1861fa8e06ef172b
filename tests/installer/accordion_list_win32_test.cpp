// The accordion list as a window: posted clicks, a quick second click, and its rows
// as pixels.
#include "installer_gui_support.h"

#include "color_helpers.h"
#include "accordion_list.h"
#include "ui_form.h"

namespace {

class FxListControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(40, 40, 300, 360);
        List = new CFxList(Form.get());
        List->SetParent(Form.get());
        List->SetBounds(0, 0, 164, 320);
        List->SetColor(0x604020);
        List->Model().SetGHeight(40);
        const auto Count = [this](CFxListItem* Row) { Clicks.push_back(Row->Caption); };
        G1 = List->Items()->AddGroup("Tools", -1, Count);
        G2 = List->Items()->AddGroup("Games", -1, Count);
        G1->AddGroup("Editor", -1, Count);
        G2->AddAction("Chess", -1, Count)->Enabled = false;
        List->SetCaption("All");
        Form->Show();
        PumpMessages();
    }
    void TearDown() override { Form.reset(); }
    void Post(UINT Msg, int Y) { PostMessageA(List->Handle(), Msg, Msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0, PointParam(30, Y)); }

    std::unique_ptr<TForm> Form;
    CFxList* List = nullptr;
    CFxListItem *G1 = nullptr, *G2 = nullptr;
    std::vector<std::string> Clicks;
};

} // namespace

TEST_F(FxListControl, PostedClicksOpenRowsAndAQuickSecondClickIsKept)
{
    // Tools at 59, Games at 101; after Tools opens, Editor lies at 101.
    Post(WM_LBUTTONDOWN, 70);
    Post(WM_LBUTTONUP, 70);
    Post(WM_LBUTTONDOWN, 110);
    Post(WM_LBUTTONUP, 110);
    PumpMessages(4);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"Tools", "Editor"}));
    EXPECT_EQ(G1->OpenIndex, 0);
    EXPECT_EQ(List->Model().LastCItem()->Caption, "Editor");
    Photograph(Form->Handle(), "fx_list_open.png");
}

TEST_F(FxListControl, RowsAsPixels)
{
    const TScreenshot Shot = Photograph(Form->Handle(), "fx_list.png");
    const HWND W = Form->Handle();
    // The root's face: its colour stepped by the group factor; its light bevel on top.
    EXPECT_EQ(ShotPixel(Shot, W, 80, 2 + 20), ScaleColor(0x604020, 1.7));
    EXPECT_EQ(ShotPixel(Shot, W, 80, 2), ScaleColor(0x604020, 1.2));
    // The band above the listed level.
    EXPECT_EQ(ShotPixel(Shot, W, 80, 44 + 1), ScaleColor(0x604020, 1.6));
    // A row that is not enabled takes the list's colour: open Games to list it.
    G2->Click();
    PumpMessages();
    const TScreenshot Open = Photograph(W, "fx_list_disabled_row.png");
    CFxListItem* Chess = G2->Child(0);
    EXPECT_EQ(ShotPixel(Open, W, 150, Chess->Y + 12), 0x604020u);
}
