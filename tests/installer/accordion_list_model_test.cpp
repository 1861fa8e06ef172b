// The accordion list without a window: rows, opening and closing, the layout of the
// open path and the listed level, hit tests, presses and releases, scrolling.
#include "color_helpers.h"
#include "accordion_list_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A package of two groups; the first holds two installations, the first of which has
// the rows a PC installation gets.
class FxListModel : public ::testing::Test {
protected:
    void SetUp() override
    {
        L.SetSize(164, 403);
        L.SetGHeight(40);
        L.SetAHeight(25);
        Root = L.Items();
        const auto Count = [this](CFxListItem* Row) { Clicks.push_back(Row->Caption); };
        G1 = Root->AddGroup("G1", -1, Count);
        G2 = Root->AddGroup("G2", -1, Count);
        I1 = G1->AddGroup("I1", -1, Count);
        I2 = G1->AddGroup("I2", -1, Count);
        Info = I1->AddAction("info", 0, Count);
        Bar1 = I1->AddBar();
        Install = I1->AddAction("Install", 5, Count);
        I1->AddBar();
        I1->AddAction("Home", 4, Count);
        I1->AddAction("Exit", 7, Count);
        L.OnGroupClick = [this](TObject* Sender) {
            EXPECT_EQ(Sender, nullptr);
            ++GroupClicks;
        };
    }
    // Each row's caption (bars as "-") with its top, in layout order.
    std::vector<std::string> Listed()
    {
        L.Layout();
        std::vector<std::string> Out;
        Collect(Root, Out);
        return Out;
    }
    void Collect(CFxListItem* Row, std::vector<std::string>& Out)
    {
        if (!Row->Listed())
            return;
        Out.push_back((Row->Kind == ikBar ? std::string("-") : Row->Caption) + "@" + std::to_string(Row->Y));
        for (std::int32_t I = 0; I < Row->Count(); ++I)
            Collect(Row->Child(I), Out);
    }
    void ClickAt(int Y, int ReleaseY = -1)
    {
        L.MouseDown(10, Y);
        L.MouseUp(10, ReleaseY < 0 ? Y : ReleaseY);
    }
    std::string At(int Y)
    {
        CFxListItem* Row = L.ItemAt(10, Y);
        return Row ? (Row->Kind == ikBar ? "-" : Row->Caption) : "none";
    }

    CFxListModel L;
    CFxListItem *Root = nullptr, *G1 = nullptr, *G2 = nullptr, *I1 = nullptr, *I2 = nullptr;
    CFxListItem *Info = nullptr, *Bar1 = nullptr, *Install = nullptr;
    std::vector<std::string> Clicks;
    int GroupClicks = 0;
};

} // namespace

TEST_F(FxListModel, NewListAndRowDefaults)
{
    CFxListModel Fresh;
    CFxListItem* R = Fresh.Items();
    EXPECT_EQ(Fresh.Width(), 100);
    EXPECT_EQ(Fresh.Height(), 200);
    EXPECT_EQ(Fresh.BHeight(), 2);
    EXPECT_EQ(Fresh.GHeight(), 50);
    EXPECT_EQ(Fresh.AHeight(), 25);
    EXPECT_EQ(Fresh.ActionCC(), 1.5);
    EXPECT_EQ(Fresh.GroupCC(), 1.7);
    EXPECT_EQ(Fresh.ColorC(), 1.6);
    EXPECT_EQ(Fresh.Color(), 0x800080u);
    EXPECT_EQ(Fresh.SelColor(), ScaleColor(0x800080, 1.8));
    EXPECT_EQ(R->Height, 50);
    EXPECT_EQ(R->ImageIndex, -1);
    EXPECT_EQ(R->ColorFactor, 1.7);
    EXPECT_EQ(R->Color(), 0x800080u);
    EXPECT_EQ(R->SelColor(), ScaleColor(0x800080, 1.8));
    EXPECT_EQ(R->OpenIndex, -1);
    EXPECT_EQ(R->Kind, ikGroup);
    EXPECT_TRUE(R->Enabled);
    CFxListItem* A = R->AddAction("a", 3, nullptr, 0x123456);
    EXPECT_EQ(A->Height, 25);
    EXPECT_EQ(A->Color(), 0x123456u);
    EXPECT_EQ(A->SelColor(), ScaleColor(0x800080, 1.8)); // from the parent, not its own colour
    EXPECT_EQ(A->ColorFactor, 1.5);
    CFxListItem* B = R->AddBar();
    EXPECT_EQ(B->Height, 10);
    EXPECT_EQ(B->Kind, ikBar);
    EXPECT_EQ(B->ColorFactor, 1.6);
    CFxListItem* G = R->AddGroup("g", 1, nullptr, FxParentColor, 33);
    EXPECT_EQ(G->Height, 33);
    EXPECT_EQ(G->SelColor(), ScaleColor(0x800080, 1.8));
    EXPECT_EQ(G->List(), &Fresh);
    EXPECT_EQ(G->Parent(), R);
}

TEST_F(FxListModel, LayoutOfEachOpenLevel)
{
    // 2 + 40 + 2 for the root, then 15 for the band: the level starts at 59.
    EXPECT_EQ(Listed(), (std::vector<std::string>{"@2", "G1@59", "G2@101"}));
    EXPECT_EQ(L.HiddenCount(), 0);
    G1->Click();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"@2", "G1@44", "I1@101", "I2@143"}));
    I1->Click();
    EXPECT_EQ(Listed(), (std::vector<std::string>{"@2", "G1@44", "I1@86", "info@143", "-@170", "Install@182",
                                                   "-@209", "Home@221", "Exit@248"}));
    EXPECT_EQ(Clicks, (std::vector<std::string>{"G1", "I1"}));
}

TEST_F(FxListModel, HitTestTable)
{
    struct {
        int Open; // 0 top level, 1 G1 open, 2 I1 open too
        int Y;
        const char* Row;
    } Cases[] = {
        {0, 1, "none"},   {0, 2, ""},     {0, 41, ""},     {0, 42, "G1"},   {0, 98, "G1"},  {0, 99, "G2"},
        {0, 140, "G2"},   {0, 141, "none"}, {0, 400, "none"},
        {1, 41, ""},      {1, 43, "G1"},  {1, 100, "I1"},  {1, 140, "I1"},  {1, 141, "I2"}, {1, 182, "I2"},
        {1, 183, "none"},
        {2, 90, "I1"},    {2, 150, "info"}, {2, 167, "info"}, {2, 168, "-"}, {2, 179, "-"}, {2, 180, "Install"},
        {2, 260, "Exit"}, {2, 273, "none"},
    };
    for (const auto& C : Cases) {
        Root->OpenIndex = C.Open >= 1 ? 0 : -1;
        G1->OpenIndex = C.Open >= 2 ? 0 : -1;
        L.Layout();
        EXPECT_EQ(At(C.Y), C.Row) << C.Open << " " << C.Y;
    }
}

TEST_F(FxListModel, RowsNotEnabledAreNotHit)
{
    G1->Click();
    I1->Click();
    Install->Enabled = false;
    EXPECT_EQ(At(190), "none");
    ClickAt(190);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"G1", "I1"}));
    EXPECT_FALSE(Install->Down);
    L.MouseMove(10, 190);
    EXPECT_FALSE(Install->Hot);
    EXPECT_EQ(L.ActiveItem(), nullptr);
}

TEST_F(FxListModel, ClicksOpenAndCloseLikeAnAccordion)
{
    ClickAt(70); // G1 opens, its sibling disappears
    EXPECT_EQ(Root->OpenIndex, 0);
    EXPECT_EQ(L.LastCItem(), G1);
    ClickAt(50); // the open group again: nothing changes
    EXPECT_EQ(Root->OpenIndex, 0);
    EXPECT_EQ(G1->OpenIndex, -1);
    ClickAt(120); // I1 opens below the root and G1
    EXPECT_EQ(G1->OpenIndex, 0);
    ClickAt(50); // G1 closes I1 and lists its installations again
    EXPECT_EQ(G1->OpenIndex, -1);
    EXPECT_EQ(Root->OpenIndex, 0);
    ClickAt(10); // the root returns to the top level; it has no handler of its own
    EXPECT_EQ(Root->OpenIndex, -1);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"G1", "G1", "I1", "G1"}));
    EXPECT_EQ(GroupClicks, 5);
    EXPECT_EQ(L.DownItem(), nullptr);
}

TEST_F(FxListModel, PressAndReleaseOnDifferentRowsClickNothing)
{
    L.MouseDown(10, 70);
    EXPECT_TRUE(G1->Down);
    EXPECT_EQ(L.DownItem(), G1);
    L.MouseUp(10, 110);
    EXPECT_FALSE(G1->Down);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(GroupClicks, 0);
    EXPECT_EQ(Root->OpenIndex, -1);
    // Empty area below the rows: the group event, but no row is clicked.
    ClickAt(300);
    EXPECT_EQ(GroupClicks, 1);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(L.LastCItem(), nullptr);
    // From a row into the empty area: neither.
    ClickAt(70, 300);
    EXPECT_EQ(GroupClicks, 1);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(FxListModel, QuickSecondClickUsesTheNewLayout)
{
    // The first click opens G1; the second, at once, lands on I1 where G2 was.
    ClickAt(70);
    ClickAt(110);
    EXPECT_EQ(Clicks, (std::vector<std::string>{"G1", "I1"}));
    EXPECT_EQ(G1->OpenIndex, 0);
    EXPECT_EQ(L.LastCItem(), I1);
}

TEST_F(FxListModel, PointerMakesOneRowHot)
{
    L.MouseMove(10, 70);
    EXPECT_TRUE(G1->Hot);
    L.MouseMove(10, 110);
    EXPECT_FALSE(G1->Hot);
    EXPECT_TRUE(G2->Hot);
    EXPECT_EQ(L.ActiveItem(), G2);
    L.MouseMove(10, 390);
    EXPECT_FALSE(G2->Hot);
    EXPECT_EQ(L.ActiveItem(), nullptr);
}

TEST_F(FxListModel, WritersReachTheRows)
{
    L.SetColor(0x204060);
    for (CFxListItem* Row : {Root, G1, I1, Info, Bar1})
        EXPECT_EQ(Row->Color(), 0x204060u);
    CFxListItem* Later = G2->AddAction("later", 0, nullptr);
    EXPECT_EQ(Later->Color(), 0x204060u);
    L.SetSelColor(0x010203);
    EXPECT_EQ(Root->SelColor(), 0x010203u);
    EXPECT_EQ(G1->SelColor(), 0x010203u);
    EXPECT_NE(I1->SelColor(), 0x010203u); // direct children only
    L.SetGHeight(30);
    EXPECT_EQ(Root->Height, 30);
    EXPECT_EQ(I2->Height, 30);
    EXPECT_EQ(Info->Height, 25);
    L.SetAHeight(20);
    EXPECT_EQ(Info->Height, 25); // existing action rows keep theirs
    L.SetActionCC(1.1);
    L.SetGroupCC(1.2);
    EXPECT_EQ(Info->ColorFactor, 1.1);
    EXPECT_EQ(Bar1->ColorFactor, 1.6);
    EXPECT_EQ(I1->ColorFactor, 1.2);
    EXPECT_EQ(Root->ColorFactor, 1.2);
}

TEST_F(FxListModel, FindByKeyDepthFirstByKind)
{
    G2->Key = "k";
    I2->Key = "k";
    Install->Key = "k";
    EXPECT_EQ(L.FindItem("k", ikGroup), I2); // G1's subtree comes first
    EXPECT_EQ(L.FindItem("k", ikAction), Install);
    EXPECT_EQ(L.FindItem("K", ikGroup), nullptr);
    Root->Key = "RootGID";
    EXPECT_EQ(L.FindItem("RootGID", ikGroup), Root);
}

TEST_F(FxListModel, ScrollingTheListedLevel)
{
    CFxListModel S;
    S.SetSize(164, 200);
    S.SetGHeight(40);
    for (int I = 0; I < 10; ++I)
        S.Items()->AddAction("r" + std::to_string(I), -1, nullptr);
    // 198 - 42 - 15 leaves room for five rows and part of a sixth.
    EXPECT_EQ(S.Layout(), 5);
    EXPECT_TRUE(S.Items()->Child(5)->Listed());
    EXPECT_FALSE(S.Items()->Child(6)->Listed());
    S.SetFirstShown(1);
    EXPECT_EQ(S.HiddenCount(), 5);
    EXPECT_FALSE(S.Items()->Child(0)->Listed());
    EXPECT_EQ(S.Items()->Child(1)->Y, 59);
    EXPECT_EQ(S.ItemAt(10, 60)->Caption, "r1");
    // The whole rest fits: the hidden count is the first shown index.
    S.SetFirstShown(7);
    EXPECT_EQ(S.HiddenCount(), 7);
    S.SetFirstShown(20); // beyond the level: from its last row
    EXPECT_EQ(S.FirstShown(), 9);
    EXPECT_EQ(S.HiddenCount(), 9);
    // A new size lists from the top again.
    S.SetSize(164, 600);
    EXPECT_EQ(S.FirstShown(), 0);
    EXPECT_EQ(S.HiddenCount(), 0);
}

TEST_F(FxListModel, OpeningKeepsTheFirstShownIndexClamped)
{
    L.SetFirstShown(1);
    EXPECT_EQ(At(70), "G2");
    G2->Click(); // G2 opens; its level is empty
    L.Layout();
    EXPECT_EQ(L.FirstShown(), 0);
    Root->Click();
    G1->Click();
    L.SetFirstShown(1);
    EXPECT_EQ(At(110), "I2");
}

TEST(FxListGroupCaption, TwoPointsLargerThanTheListsFont)
{
    struct TCase {
        std::int32_t Height, PixelsPerInch, Expected;
    };
    const TCase Cases[] = {
        {-11, 96, -13},  // 8 points become 10: 13.33 pixels, not 11 + 3
        {-12, 96, -15},  // 9 points, 11 points is 14.67 pixels
        {-13, 96, -16},  // 9.75 points round to 10
        {13, 96, -16},   // a cell height counts as its size
        {-16, 120, -20}, // 9.6 points at 120 dpi round to 10, 12 points are 20 pixels
        {-2, 96, -5},    // 1.5 points round up to 2, as the platform rounds halves
        {-11, 0, -11},   // no resolution: the font as it is
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(GroupCaptionHeight(C.Height, C.PixelsPerInch), C.Expected) << C.Height << " at " << C.PixelsPerInch;
}
