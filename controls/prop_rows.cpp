#include "prop_rows.h"

#include "color_helpers.h"
#include "convert.h"
#include "prop_page_logic.h"

#include <algorithm>

bool ColorValue(const std::string& Text, TColor& Color)
{
    std::int32_t V = 0;
    if (Text.empty() || !TryStrToInt(Text, V))
        return false;
    Color = static_cast<TColor>(V);
    return true;
}

// --- CFxProp_b ----------------------------------------------------------------

CFxProp_b::~CFxProp_b()
{
    // Children first, last to first, each seeing its parent whole.
    while (!Children.empty())
        Children.pop_back();
}

bool CFxProp_b::CanToggle() { return AllowClose || !Expanded; }

void CFxProp_b::SetBackColor(TColor Color) { BackColor = Color; }

void CFxProp_b::SetTextColor(TColor Color) { TextColor = Color; }

void CFxProp_b::SetExpanded(bool AValue)
{
    Expanded = AValue;
    Repaint();
}

void CFxProp_b::MouseMove(int, int) {}
void CFxProp_b::ClickValue(int, int) {}
void CFxProp_b::ClickCaption(int, int) {}
void CFxProp_b::SetActive(bool, TPropColumn) {}
void CFxProp_b::PlaceEditor() {}
void CFxProp_b::KeyPress(const TPropKeyMessage&) {}

void CFxProp_b::SetLink(CFxProp_b* Item)
{
    if (Item == Link)
        return;
    Link = Item;
    if (Item) {
        Item->SetBackLink(this);
        Assign(Item);
    }
}

void CFxProp_b::SetBackLink(CFxProp_b* Item) { BackLink = Item; }

void CFxProp_b::Changed()
{
    if (Link && (LinkFlags & 1))
        Link->SetValue(Value);
    if (BackLink && (LinkFlags & 1))
        BackLink->SetValue(Value);
    if (Page)
        Page->DoPropChange(this);
}

void CFxProp_b::SetValue(const std::string& Text) { Value = Text; }

bool CFxProp_b::EditorFocused() { return false; }

void CFxProp_b::SetCaptionRect(const TRect& Rect) { CaptionRect = Rect; }

void CFxProp_b::FocusEditor() {}

void CFxProp_b::Create(CFxPropPageLogic* APage, CFxProp_b* AParent)
{
    Page = APage;
    Parent = nullptr;
    AllowClose = true;
    Caption.clear();
    Value.clear();
    SetParent(AParent);
    if (AParent) {
        SetBackColor(AParent->BackColor);
        SetTextColor(AParent->TextColor);
    } else if (APage) {
        SetBackColor(APage->PageColor());
        SetTextColor(APage->FontColor());
    }
}

void CFxProp_b::MouseLeave()
{
    Hot = false;
    Repaint();
}

void CFxProp_b::MouseEnter()
{
    Hot = true;
    Repaint();
}

void CFxProp_b::Assign(CFxProp_b* Item)
{
    SetValue(Item->Value);
    Caption = Item->Caption;
    IconIndex = Item->IconIndex;
    SetBackColor(Item->BackColor);
    SetTextColor(Item->TextColor);
    Key = Item->Key;
}

CFxProp_b* CFxProp_b::AddItem(TPropRowClass Kind, const std::string& ACaption, const std::string& AValue,
                              TColor ABackColor, TColor ATextColor, std::int32_t AIconIndex)
{
    if (!Kind)
        return nullptr;
    CFxProp_b* R = Kind();
    R->Create(Page, this);
    R->ItemClass = Kind;
    R->Value = AValue;
    R->Caption = ACaption;
    R->IconIndex = AIconIndex;
    if (ABackColor != PropNoColor)
        R->SetBackColor(ABackColor);
    if (ATextColor != PropNoColor)
        R->SetTextColor(ATextColor);
    return R;
}

CFxProp_b* CFxProp_b::AddGroup(const std::string& ACaption, TColor ABackColor, TColor ATextColor,
                               std::int32_t AIconIndex, std::int32_t AOpenIconIndex)
{
    CFxProp_b* G = new CFxProp_Group;
    G->Create(Page, this);
    G->Caption = ACaption;
    G->Value = ACaption;
    if (ABackColor != PropNoColor)
        G->SetBackColor(ABackColor);
    if (ATextColor != PropNoColor)
        G->SetTextColor(ATextColor);
    G->IconIndex = AIconIndex != -1 || !Page ? AIconIndex : Page->IconIndex();
    G->OpenIconIndex = AOpenIconIndex != -1 || !Page ? AOpenIconIndex : Page->IconOpenIndex();
    return G;
}

CFxProp_b* CFxProp_b::AddCopy(CFxProp_b* Template)
{
    // Groups and the root have no kind to copy.
    if (!Template || !Template->ItemClass)
        return nullptr;
    CFxProp_b* R = Template->ItemClass();
    R->Create(Page, this);
    R->SetLink(Template);
    return R;
}

std::unique_ptr<CFxProp_b> CFxProp_b::Detach()
{
    if (!Parent)
        return nullptr;
    auto& List = Parent->Children;
    auto It = std::find_if(List.begin(), List.end(), [this](const std::unique_ptr<CFxProp_b>& P) { return P.get() == this; });
    if (It == List.end())
        return nullptr;
    std::unique_ptr<CFxProp_b> Self = std::move(*It);
    List.erase(It);
    return Self;
}

void CFxProp_b::Remove()
{
    std::unique_ptr<CFxProp_b> Self = Detach();
    if (Self && Page)
        Page->AddRemoved(std::move(Self));
    else
        Self.release(); // no page to keep it: it stays where its owner holds it
}

void CFxProp_b::Delete()
{
    if (Page)
        Page->DeleteRow(this);
}

void CFxProp_b::SetParent(CFxProp_b* NewParent)
{
    if (NewParent == Parent)
        return;
    std::unique_ptr<CFxProp_b> Self = Detach();
    if (!Self && Parent && Page)
        Self = Page->TakeBack(this); // a removed row going back into the tree
    if (!Self) {
        if (Parent)
            return; // held by someone else: not ours to move
        Self.reset(this); // a new row: its first parent takes it
    }
    Parent = NewParent;
    if (NewParent)
        NewParent->Children.push_back(std::move(Self));
    else
        Self.release(); // without a parent the caller holds it (the page's root)
}

CFxProp_b* CFxProp_b::NextRow() const
{
    if (IsGroup && Expanded && !Children.empty())
        return Children.front().get();
    const CFxProp_b* C = this;
    for (const CFxProp_b* P = Parent; P; C = P, P = P->Parent) {
        const auto& List = P->Children;
        auto It = std::find_if(List.begin(), List.end(), [C](const std::unique_ptr<CFxProp_b>& R) { return R.get() == C; });
        // A row taken out of the tree has no place to go on from.
        if (It == List.end())
            return nullptr;
        if (++It != List.end())
            return It->get();
    }
    return nullptr;
}

void CFxProp_b::DoClick()
{
    if (OnClick)
        OnClick(this);
}

TColor CFxProp_b::GetFrameColor() const
{
    return FrameColor == PropNoColor && Page ? Page->ColorFrame() : FrameColor;
}

TColor CFxProp_b::GetValueTextColor() const { return ValueTextColor == PropNoColor ? TextColor : ValueTextColor; }

TColor CFxProp_b::GetValueBackColor() const { return ValueBackColor == PropNoColor ? BackColor : ValueBackColor; }

void CFxProp_b::SetValueRect(const TRect& Rect)
{
    if (SameRect(Rect, ValueRect))
        return;
    ValueRect = Rect;
    PlaceEditor();
}

void CFxProp_b::Repaint()
{
    if (Page)
        Page->RepaintPage();
}

bool CFxProp_b::IsWithin(const CFxProp_b* Row) const
{
    for (const CFxProp_b* R = this; R; R = R->Parent)
        if (R == Row)
            return true;
    return false;
}

// --- Kinds without an editor -------------------------------------------------------

void CFxProp_Group::Create(CFxPropPageLogic* APage, CFxProp_b* AParent)
{
    CFxProp_b::Create(APage, AParent);
    IsGroup = true;
    Expanded = true;
}

void CFxProp_Group::SetBackColor(TColor Color)
{
    CFxProp_b::SetBackColor(Color);
    for (auto& C : Children)
        C->SetBackColor(Color);
}

void CFxProp_Group::SetTextColor(TColor Color)
{
    CFxProp_b::SetTextColor(Color);
    for (auto& C : Children)
        C->SetTextColor(Color);
}

void CFxProp_Group::ClickValue(int, int)
{
    if (CanToggle())
        SetExpanded(!Expanded);
}

void CFxProp_Group::ClickCaption(int, int)
{
    if (CanToggle())
        SetExpanded(!Expanded);
}

void CFxProp_GroupPropCrea::Create(CFxPropPageLogic* APage, CFxProp_b* AParent)
{
    CFxProp_b::Create(APage, AParent);
    IsGroup = true;
}

void CFxProp_GroupPropCrea::ClickCaption(int, int)
{
    if (CanToggle())
        SetExpanded(!Expanded);
}

void CFxProp_GroupPropCrea::ClickValue(int, int)
{
    if (!Expanded) {
        SetExpanded(true);
        Repaint();
        return;
    }
    // Without a kind for the new children there is nothing to add.
    CFxProp_b* C = AddItem(NewClass, "", "", NewBackColor, TextColor, NewIconIndex);
    if (!C)
        return;
    C->Tag = NewTag;
    if (OnClick)
        OnClick(C);
    Repaint();
}

void CFxProp_Color::ClickValue(int, int)
{
    TColor Current = 0;
    const bool HasColor = ColorValue(Value, Current);
    TColor Chosen = HasColor ? Current : 0;
    // A cancelled choice changes nothing, on an empty row too.
    if (!Page || !Page->SelectColor(Chosen))
        return;
    if (!HasColor || Chosen != Current) {
        Value = IntToStr(static_cast<std::int32_t>(Chosen));
        Changed();
        Repaint();
    }
}

void CFxProp_CheckBox::Create(CFxPropPageLogic* APage, CFxProp_b* AParent)
{
    CFxProp_b::Create(APage, AParent);
    SetValue("false");
}

void CFxProp_CheckBox::SetValue(const std::string& Text)
{
    CFxProp_b::SetValue(Text == "true" || Text == "false" ? Text : "false");
}

bool CFxProp_CheckBox::IsChecked() const { return Value == "true"; }

void CFxProp_CheckBox::SetChecked(bool State)
{
    if (Value != "true" && Value != "false")
        Value = "false";
    if (State == IsChecked())
        return;
    SetValue(State ? "true" : "false");
    Changed();
    DoClick();
    Repaint();
}

void CFxProp_CheckBox::ClickValue(int, int) { SetChecked(!IsChecked()); }

void CFxProp_Action::ClickValue(int, int) { DoClick(); }

void CFxProp_Action::ClickCaption(int, int) { DoClick(); }

void CFxProp_Action::MouseEnter()
{
    if (Page)
        Page->SetHandCursor(true);
    CFxProp_b::MouseEnter();
}

void CFxProp_Action::MouseLeave()
{
    CFxProp_b::MouseLeave();
    if (Page)
        Page->SetHandCursor(false);
}

// --- Painting -----------------------------------------------------------------

namespace {

TRect Across(const TRect& CaptionCell, const TRect& ValueCell)
{
    return TRect{CaptionCell.Left, CaptionCell.Top, ValueCell.Right, ValueCell.Bottom};
}

// The colour swatch: filled with the colour, or a crossed box for no colour.
void Swatch(TPropPainter& P, const CFxProp_b& Row, const TRect& R)
{
    TColor Color = 0;
    if (ColorValue(Row.Value, Color)) {
        P.SetBrush(Color);
        P.SetPenColor(Color);
        P.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
        return;
    }
    P.SetBrush(Row.BackColor);
    P.SetPenColor(Row.TextColor);
    P.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    P.MoveTo(R.Left, R.Top);
    P.LineTo(R.Right, R.Bottom - 1);
    P.MoveTo(R.Right, R.Top);
    P.LineTo(R.Left, R.Bottom - 1);
}

void CheckBoxAt(TPropPainter& P, int L, int T, bool Checked)
{
    P.SetPenColor(clBlack);
    P.SetBrush(clWhite);
    P.Rectangle(L + 1, T + 1, L + 19, T + 19);
    if (!Checked)
        return;
    for (int Up = 0; Up < 3; ++Up) {
        P.MoveTo(L + 5, T + 9 - Up);
        P.LineTo(L + 9, T + 13 - Up);
        P.LineTo(L + 15, T + 7 - Up);
    }
}

} // namespace

void CFxProp_b::UseRowColors(TPropPainter& P) const
{
    P.SetBrush(BackColor);
    P.SetPenColor(BackColor);
    P.SetFontColor(TextColor);
}

void CFxProp_b::UsePageColors(TPropPainter& P) const
{
    P.SetBrush(Page ? Page->PageColor() : 0);
    P.SetFontColor(Page ? Page->FontColor() : 0);
}

void CFxProp_b::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Painter);
    Painter.AlignedText(CaptionCell, Caption, alLeft, false);
    Painter.AlignedText(ValueCell, Value, alLeft, false);
    PaintFrame(Painter, ValueCell.Left, ValueCell.Top, ValueCell.Right - 1, ValueCell.Bottom - 1, BackColor);
}

void CFxProp_b::PaintHelp(TPropPainter& Painter, const TRect& Rect)
{
    UsePageColors(Painter);
    const std::string Text =
        IsGroup ? "Group " + Value + " (" + IntToStr(static_cast<std::int64_t>(Children.size())) + ")" : Value;
    Painter.AlignedText(Rect, Text, alClient, false);
    if (!HelpText.empty())
        Painter.AlignedText(TRect{Rect.Left, Rect.Top, Rect.Right, Rect.Top + 20}, HelpText, alClient, false);
}

void CFxProp_b::PaintFrame(TPropPainter& Painter, int Left, int Top, int Right, int Bottom, TColor Color)
{
    const TBevelCut Cut = Page ? Page->EEBC : bvNone;
    if (Cut != bvLowered && Cut != bvRaised)
        return;
    const bool Low = Cut == bvLowered;
    Painter.Frame3D(Left, Top, Right, Bottom, ScaleColor(Color, Low ? 0.8 : 1.8), ScaleColor(Color, Low ? 1.8 : 0.8));
    Painter.Frame3D(Left + 1, Top + 1, Right - 1, Bottom - 1, ScaleColor(Color, Low ? 0.2 : 1.2),
                    ScaleColor(Color, Low ? 1.2 : 0.2));
}

void CFxProp_Group::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Painter);
    Painter.AlignedText(Across(CaptionCell, ValueCell), Caption, alClient, false);
}

void CFxProp_GroupPropCrea::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell,
                                  const TRect&)
{
    UseRowColors(Painter);
    Painter.AlignedText(CaptionCell, Caption, alLeft, false);
    Painter.SetFontColor(GetValueTextColor());
    Painter.AlignedText(ValueCell, Expanded ? Value : "Click to expand", alRight, false);
}

void CFxProp_Color::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Painter);
    Painter.AlignedText(CaptionCell, Caption, alLeft, false);
    Swatch(Painter, *this, ValueCell);
    PaintFrame(Painter, ValueCell.Left, ValueCell.Top, ValueCell.Right - 1, ValueCell.Bottom - 1, BackColor);
}

void CFxProp_Color::PaintHelp(TPropPainter& Painter, const TRect& Rect) { Swatch(Painter, *this, Rect); }

void CFxProp_CheckBox::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    UseRowColors(Painter);
    Painter.AlignedText(CaptionCell, Caption, alLeft, false);
    Painter.Rectangle(ValueCell.Left, ValueCell.Top, ValueCell.Right, ValueCell.Bottom);
    CheckBoxAt(Painter, ValueCell.Left, ValueCell.Top, IsChecked());
    PaintFrame(Painter, ValueCell.Left, ValueCell.Top, ValueCell.Right - 1, ValueCell.Bottom - 1, BackColor);
}

void CFxProp_CheckBox::PaintHelp(TPropPainter& Painter, const TRect& Rect)
{
    CheckBoxAt(Painter, Rect.Left, Rect.Top, IsChecked());
}

void CFxProp_Const::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    Painter.SetBrush(BackColor);
    Painter.SetFontColor(TextColor);
    Painter.AlignedText(Across(CaptionCell, ValueCell), Caption + " " + Value, alLeft, false);
}

void CFxProp_Action::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect&)
{
    const bool WasBold = Painter.FontBold();
    UseRowColors(Painter);
    Painter.AlignedText(CaptionCell, Caption, alLeft, false);
    Painter.SetBrush(GetValueBackColor());
    Painter.SetPenColor(GetValueBackColor());
    Painter.SetFontBold(true);
    Painter.SetFontColor(Hot ? GetFrameColor() : GetValueTextColor());
    Painter.AlignedText(ValueCell, Value, alRight, Hot);
    Painter.SetFontBold(WasBold);
}
