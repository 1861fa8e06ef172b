#include "settings_page.h"

#include "color_scheme.h"
#include "group_string.h"
#include "node_group.h"
#include "prop_editor_rows.h"
#include "prop_page_logic.h"

#include <initializer_list>

namespace {

constexpr TColor Black = 0;
const char* const PictureFilter = "Bitmap file|*.bmp";
const char* const BrightnessHelp = "Brightness Range 0 to 2; <1 to darken, >1 to lighten";

// A top group: the page's colours and pictures, always open.
CFxProp_b* AddTopGroup(CFxProp_b& Parent, const std::string& Caption)
{
    CFxProp_b* G = Parent.AddGroup(Caption, PropNoColor, PropNoColor, -1, -1);
    G->AllowClose = false;
    return G;
}

CFxProp_b* AddInnerGroup(CFxProp_b& Parent, const std::string& Caption)
{
    return Parent.AddGroup(Caption, PaletteColor4, Black, -1, -1);
}

CFxProp_Edit* AddEdit(CFxProp_b& Parent, const std::string& Caption, const std::string& Key, int Image,
                      TEditStyle Style, TColor Text = PropNoColor)
{
    auto* Row = static_cast<CFxProp_Edit*>(Parent.AddItem(RowClass<CFxProp_Edit>(), Caption, "", PaletteColor3,
                                                          Text, Image));
    Row->Key = Key;
    Row->Style = Style;
    return Row;
}

CFxProp_Edit* AddNumber(CFxProp_b& Parent, const std::string& Caption, const std::string& Key, int Image,
                        const std::string& Blocked)
{
    CFxProp_Edit* Row = AddEdit(Parent, Caption, Key, Image, ES_Integer);
    Row->BlockedChars = CharSet(Blocked);
    return Row;
}

CFxProp_Edit* AddPicture(CFxProp_b& Parent, const std::string& Caption, const std::string& Key,
                         TColor Text = PropNoColor)
{
    CFxProp_Edit* Row = AddEdit(Parent, Caption, Key, 11, ES_File, Text);
    Row->ExData = PictureFilter;
    Row->DlgStyle = DLG_Picture;
    return Row;
}

void AddChoice(CFxProp_b& Parent, const std::string& Caption, const std::string& Key,
               std::initializer_list<const char*> Entries)
{
    auto* Row = static_cast<CFxProp_CBox*>(Parent.AddItem(RowClass<CFxProp_CBox>(), Caption, "", PaletteColor3,
                                                          PropNoColor, 17));
    Row->Key = Key;
    Row->SetStyle(2);
    for (const char* E : Entries)
        Row->GetItems().push_back(E);
}

void AddColor(CFxProp_b& Parent, const std::string& Caption, const std::string& Key)
{
    Parent.AddItem(RowClass<CFxProp_Color>(), Caption, "", PaletteColor3, PropNoColor, 9)->Key = Key;
}

void AddCheck(CFxProp_b& Parent, const std::string& Caption, const std::string& Key)
{
    Parent.AddItem(RowClass<CFxProp_CheckBox>(), Caption, "", PaletteColor3, Black, 18)->Key = Key;
}

} // namespace

CNode_Group* BuildSettingsPage(INodeForm& Form)
{
    CFxProp_b& Root = *Form.ViewPage().Root();

    CFxProp_b& Basic = *AddTopGroup(Root, "Basic:");
    CFxProp_b& BasicWindow = *AddInnerGroup(Basic, "Window:");
    // Added without colours and coloured afterwards, as the first rows of the page.
    auto AddBasic = [&](TPropRowClass Kind, const std::string& Caption, const std::string& Key, int Image) {
        CFxProp_b* Row = BasicWindow.AddItem(Kind, Caption, "", PropNoColor, PropNoColor, Image);
        Row->Key = Key;
        Row->SetBackColor(PaletteColor3);
        return Row;
    };
    auto* Rect = static_cast<CFxProp_Edit*>(AddBasic(RowClass<CFxProp_Edit>(), "Size/Pos (X,Y,W,H)", "Wnd_sRect", 5));
    Rect->Style = ES_Rect;
    Rect->Scheme = &DefaultColorScheme();
    auto* Caption = static_cast<CFxProp_Edit*>(AddBasic(RowClass<CFxProp_Edit>(), "Caption", "Wnd_Caption", 8));
    Caption->Style = ES_AllChars;
    AddBasic(RowClass<CFxProp_Color>(), "Background Color", "Wnd_ColorGB", 9);

    CFxProp_b& Advanced = *AddTopGroup(Root, "Advanced:");
    CFxProp_b& Window = *AddInnerGroup(Advanced, "Window:");
    AddChoice(Window, "Caption Type", "Wnd_Style_Caption", {"Caption", "Caption [Date]", "Caption [Date] [Time]"});
    AddChoice(Window, "Border Style", "Wnd_Type", {"Resizable", "Single", "None"});
    const std::string WindowBlocked = "'.";
    AddNumber(Window, "Width Min", "Wnd_Width_Min", 3, WindowBlocked);
    AddNumber(Window, "Width Max", "Wnd_Width_Max", 3, WindowBlocked);
    AddNumber(Window, "Height Min", "Wnd_Height_Min", 4, WindowBlocked);
    AddNumber(Window, "Height Max", "Wnd_Height_Max", 4, WindowBlocked);
    AddPicture(Window, "Background image", "Wnd_Image_Bg");
    AddNumber(Window, "BG Image X", "Wnd_ImgBg_Left", 6, WindowBlocked);
    AddNumber(Window, "BG Image Y", "Wnd_ImgBg_Top", 7, WindowBlocked);

    CFxProp_b& List = *AddInnerGroup(Advanced, "List of Installable items:");
    const std::string ListBlocked = "'-.";
    AddNumber(List, "Width", "eList_Width", 3, ListBlocked);
    AddCheck(List, "Enable Scrollbar", "eList_SBOn");
    AddCheck(List, "Enable Exit Button", "eList_CloseA");
    AddCheck(List, "Enable Home Button", "eList_HomeA");
    AddColor(List, "Font Color", "Wnd_Color_Fnt");
    AddNumber(List, "Elements Brightness", "eList_ColorCor", 10, "")->HelpText = BrightnessHelp;
    AddNumber(List, "Group Brightness", "eList_ColorCorGrp", 10, "")->HelpText = BrightnessHelp;
    AddNumber(List, "Action Brightness", "eList_ColorCorAct", 10, "")->HelpText = BrightnessHelp;
    AddEdit(List, "Destribution Title", "eList_GGroup", 8, ES_AllChars)->BlockedChars = GroupBlockedChars();
    CNode_Group* RootNode = CNode_Group::CreateRoot(Form);
    AddNumber(List, "Group Height", "eList_GHeight", 4, ListBlocked);
    AddNumber(List, "Action Height", "eList_AHeight", 4, ListBlocked);
    AddNumber(List, "Icon Height", "eList_Icon_GHeight", 4, ListBlocked);
    AddNumber(List, "Icon Width", "eList_Icon_GWidth", 3, ListBlocked);
    AddPicture(List, "Icon", "RootGID", Black);

    CFxProp_b& Info = *AddInnerGroup(Advanced, "Info:");
    AddEdit(Info, "Creation Date", "Create Date", 2, ES_String)->AllowedChars = CreationAllowedChars();
    AddEdit(Info, "Creation Time", "Create time", 2, ES_String)->AllowedChars = CreationAllowedChars();
    return RootNode;
}
