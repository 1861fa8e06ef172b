// The settings page on a real property page: its rows and their editors, the values
// of a new project, typing through the editors' filters, storing into the settings
// table and loading back.
#include "node_pages_fixture.h"

#include <functional>

namespace {

using Strings = std::vector<std::string>;

void Walk(CFxProp_b& Row, int Depth, const std::function<void(CFxProp_b&, int)>& Visit)
{
    for (const auto& C : Row.Children) {
        Visit(*C, Depth);
        Walk(*C, Depth + 1, Visit);
    }
}

CFxProp_Edit* EditRow(CFxPropPage& Page, const std::string& Key)
{
    return dynamic_cast<CFxProp_Edit*>(Page.FindItem(Key));
}

TEST_F(NodePagesTest, TheSettingsRowsInPageOrder)
{
    Strings Rows;
    Walk(*ViewPage->Root(), 0, [&](CFxProp_b& R, int Depth) {
        Rows.push_back(std::string(static_cast<std::size_t>(Depth), '-') + R.Caption + (R.Key.empty() ? "" : "=" + R.Key) +
                       " " + std::to_string(R.IconIndex));
    });
    const Strings Expected = {
        "Basic: 0", "-Window: 0", "--Size/Pos (X,Y,W,H)=Wnd_sRect 5", "--Caption=Wnd_Caption 8",
        "--Background Color=Wnd_ColorGB 9", "Advanced: 0", "-Window: 0", "--Caption Type=Wnd_Style_Caption 17",
        "--Border Style=Wnd_Type 17", "--Width Min=Wnd_Width_Min 3", "--Width Max=Wnd_Width_Max 3",
        "--Height Min=Wnd_Height_Min 4", "--Height Max=Wnd_Height_Max 4", "--Background image=Wnd_Image_Bg 11",
        "--BG Image X=Wnd_ImgBg_Left 6", "--BG Image Y=Wnd_ImgBg_Top 7", "-List of Installable items: 0",
        "--Width=eList_Width 3", "--Enable Scrollbar=eList_SBOn 18", "--Enable Exit Button=eList_CloseA 18",
        "--Enable Home Button=eList_HomeA 18", "--Font Color=Wnd_Color_Fnt 9",
        "--Elements Brightness=eList_ColorCor 10", "--Group Brightness=eList_ColorCorGrp 10",
        "--Action Brightness=eList_ColorCorAct 10", "--Destribution Title=eList_GGroup 8",
        "--Group Height=eList_GHeight 4", "--Action Height=eList_AHeight 4", "--Icon Height=eList_Icon_GHeight 4",
        "--Icon Width=eList_Icon_GWidth 3", "--Icon=RootGID 11", "-Info: 0", "--Creation Date=Create Date 2",
        "--Creation Time=Create time 2"};
    EXPECT_EQ(Rows, Expected);

    for (const auto& Top : ViewPage->Root()->Children) {
        EXPECT_FALSE(Top->AllowClose) << Top->Caption;
        EXPECT_EQ(Top->OpenIconIndex, 1);
        for (const auto& Inner : Top->Children) {
            EXPECT_TRUE(Inner->AllowClose) << Inner->Caption;
            EXPECT_EQ(Inner->BackColor, PaletteColor4) << Inner->Caption;
            for (const auto& R : Inner->Children) {
                EXPECT_EQ(R->BackColor, PaletteColor3) << R->Caption;
                EXPECT_EQ(R->TextColor, 0u) << R->Caption;
            }
        }
    }
    struct EditCase {
        std::string Key;
        TEditStyle Style;
        std::string Blocked;
    };
    const EditCase Edits[] = {
        {"Wnd_sRect", ES_Rect, ""},          {"Wnd_Caption", ES_AllChars, ""},   {"Wnd_Width_Min", ES_Integer, "'."},
        {"Wnd_ImgBg_Top", ES_Integer, "'."}, {"eList_Width", ES_Integer, "'-."}, {"eList_ColorCor", ES_Integer, ""},
        {"eList_GGroup", ES_AllChars, "|"},  {"eList_Icon_GWidth", ES_Integer, "'-."}, {"RootGID", ES_File, ""},
        {"Wnd_Image_Bg", ES_File, ""},       {"Create Date", ES_String, ""},     {"Create time", ES_String, ""},
    };
    for (const EditCase& E : Edits) {
        CFxProp_Edit* Row = EditRow(*ViewPage, E.Key);
        ASSERT_NE(Row, nullptr) << E.Key;
        EXPECT_EQ(Row->Style, E.Style) << E.Key;
        EXPECT_EQ(Row->BlockedChars, CharSet(E.Blocked)) << E.Key;
    }
    EXPECT_EQ(EditRow(*ViewPage, "Wnd_sRect")->Scheme, &DefaultColorScheme());
    for (const char* Key : {"RootGID", "Wnd_Image_Bg"}) {
        EXPECT_EQ(EditRow(*ViewPage, Key)->ExData, "Bitmap file|*.bmp");
        EXPECT_EQ(EditRow(*ViewPage, Key)->DlgStyle, DLG_Picture);
    }
    EXPECT_EQ(ViewPage->FindItem("eList_ColorCorAct")->HelpText, "Brightness Range 0 to 2; <1 to darken, >1 to lighten");
    auto* Caption = dynamic_cast<CFxProp_CBox*>(ViewPage->FindItem("Wnd_Style_Caption"));
    auto* Border = dynamic_cast<CFxProp_CBox*>(ViewPage->FindItem("Wnd_Type"));
    ASSERT_NE(Caption, nullptr);
    ASSERT_NE(Border, nullptr);
    EXPECT_EQ(Caption->GetItems(), (TArrayOfString{"Caption", "Caption [Date]", "Caption [Date] [Time]"}));
    EXPECT_EQ(Border->GetItems(), (TArrayOfString{"Resizable", "Single", "None"}));
    EXPECT_EQ(Caption->Combo->Style(), csDropDownList);
    EXPECT_NE(dynamic_cast<CFxProp_Color*>(ViewPage->FindItem("Wnd_Color_Fnt")), nullptr);
    EXPECT_NE(dynamic_cast<CFxProp_CheckBox*>(ViewPage->FindItem("eList_HomeA")), nullptr);
}

TEST_F(NodePagesTest, ANewProjectShowsItsDefaultsAndTheFirstStoringAddsTheRootEntries)
{
    const Strings Keys = {"Wnd_sRect", "Wnd_Caption", "Wnd_ColorGB", "Wnd_Style_Caption", "Wnd_Type",
                          "Wnd_Width_Min", "eList_Width", "eList_SBOn", "Wnd_Color_Fnt", "eList_ColorCor",
                          "eList_GGroup", "eList_Icon_GWidth", "Create Date", "Create time"};
    for (const std::string& K : Keys)
        EXPECT_EQ(ViewPage->FindItem(K)->Value, Project->Settings.Lookup(K)) << K;
    EXPECT_EQ(ViewPage->FindItem("Wnd_sRect")->Value, "-1,-1,490,330");
    EXPECT_EQ(ViewPage->FindItem("Create Date")->Value, "01.02.2024");
    EXPECT_EQ(ViewPage->FindItem("Create time")->Value, TimeNow);
    EXPECT_EQ(ViewPage->FindItem("RootGID")->Value, "");
    EXPECT_EQ(Project->Settings.IndexOfKey("RootGID"), -1);
    EXPECT_FALSE(Project->Modified);
    Photograph(Window->Handle(), "settings_page.png");

    const Strings Before = Entries(Project->Settings);
    StoreSettingsPage(*ViewPage, *Project);
    Strings After = Entries(Project->Settings);
    ASSERT_EQ(After.size(), Before.size() + 1);
    EXPECT_EQ(After.back(), "RootGID=");
    After.pop_back();
    EXPECT_EQ(After, Before);
    EXPECT_EQ(Project->Groups.Lookup("RootGID"), "Installations|");
    EXPECT_FALSE(Project->Modified);
    // Groups added after it: the root's entry moves behind them, theirs keep their order.
    for (const char* Key : {"b", "a", "c"})
        Project->Groups.Add(Key, std::string(Key) + "||true");
    Project->Modified = false;
    StoreSettingsPage(*ViewPage, *Project);
    EXPECT_EQ(Entries(Project->Groups), (Strings{"b=b||true", "a=a||true", "c=c||true", "RootGID=Installations|"}));
    EXPECT_FALSE(Project->Modified);
    StoreSettingsPage(*ViewPage, *Project);
    EXPECT_EQ(Project->Groups.Count(), 4);
    EXPECT_EQ(Project->Groups.GetEntry(3).Key, "RootGID");
    // Storing keeps a modified project modified.
    Project->Modified = true;
    StoreSettingsPage(*ViewPage, *Project);
    EXPECT_TRUE(Project->Modified);
}

TEST_F(NodePagesTest, TypedValuesPassTheRowsFiltersIntoTheTableAndBack)
{
    struct Case {
        std::string Key, Typed, Value;
    };
    const Case Cases[] = {
        {"Wnd_Width_Min", "-5", "-5"},
        {"eList_GHeight", "-5", "5"},
        {"eList_ColorCorGrp", "1.5", "1.5"},
        {"eList_Icon_GWidth", "1.5", "15"},
        {"Wnd_ImgBg_Left", "1'0.5%", "105%"},
        {"Wnd_Caption", "Setup | 2", "Setup | 2"},
        {"eList_GGroup", "My|Games", "MyGames"},
        {"Create Date", "10.12.2026", "10.12.2026"},
        {"Create time", "12:45", "12:45"},
    };
    for (const Case& C : Cases) {
        Project->Modified = false;
        Retype(EditRow(*ViewPage, C.Key), C.Typed);
        EXPECT_EQ(ViewPage->FindItem(C.Key)->Value, C.Value) << C.Key;
        EXPECT_TRUE(Project->Modified) << C.Key;
    }
    // The title row renamed the tree root as it changed.
    EXPECT_EQ(Root->TreeNode->Text, "MyGames");
    // The date row's keys pass its key filter too: the full stop is no letter.
    CFxProp_Edit* Date = EditRow(*ViewPage, "Create Date");
    ClickValue(Date);
    ASSERT_NE(Date->Editor, nullptr);
    SendMessageA(Date->Editor->Handle(), EM_SETSEL, 0, -1);
    SendMessageA(Date->Editor->Handle(), WM_CLEAR, 0, 0);
    for (WORD Key : {WORD('1'), WORD(VK_OEM_PERIOD), WORD('2')})
        PostKey(Date->Editor->Handle(), Key);
    PumpMessages(5);
    PostKey(Date->Editor->Handle(), VK_RETURN);
    PumpMessages(3);
    EXPECT_EQ(Date->Value, "1.2");
    Photograph(Window->Handle(), "settings_page_typed.png");

    StoreSettingsPage(*ViewPage, *Project);
    EXPECT_EQ(Project->Settings.Lookup("Create Date"), "1.2");
    for (const Case& C : Cases) {
        if (C.Key != "Create Date")
            EXPECT_EQ(Project->Settings.Lookup(C.Key), C.Value) << C.Key;
    }
    EXPECT_EQ(Project->Groups.Lookup("RootGID"), "MyGames|");

    // A page built anew shows what the table holds; a key the table lacks stays empty.
    Project->Settings.Remove("Wnd_Width_Max");
    Rebuild();
    EXPECT_EQ(ViewPage->FindItem("eList_Icon_GWidth")->Value, "15");
    EXPECT_EQ(ViewPage->FindItem("Create time")->Value, "12:45");
    EXPECT_EQ(ViewPage->FindItem("Wnd_Width_Max")->Value, "");
    EXPECT_EQ(Root->TreeNode->Text, "MyGames");
}

TEST_F(NodePagesTest, TheCreationRowsTakeEveryPrintableCharacter)
{
    const TCharSet Set = CreationAllowedChars();
    for (unsigned C = 32; C < 127; ++C)
        EXPECT_TRUE(Set.test(C)) << C;
    EXPECT_TRUE(Set.test(8));
    EXPECT_FALSE(Set.test(127));
    EXPECT_EQ(EditRow(*ViewPage, "Create time")->AllowedChars, Set);
    EXPECT_TRUE(EditRow(*ViewPage, "Wnd_Caption")->AllowedChars.none());
}

} // namespace
