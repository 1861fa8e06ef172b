#include "accordion_list_model.h"

#include "color_helpers.h"

namespace {

// The band above a listed level.
constexpr std::int32_t DecorationHeight = 15;

// A * B / C rounded to the nearest, halves away from zero. C > 0.
std::int64_t MulDivNearest(std::int64_t A, std::int64_t B, std::int64_t C)
{
    const std::int64_t P = A * B;
    const std::int64_t Q = ((P < 0 ? -P : P) * 2 + C) / (2 * C);
    return P < 0 ? -Q : Q;
}

} // namespace

std::int32_t GroupCaptionHeight(std::int32_t FontHeight, std::int32_t PixelsPerInch)
{
    if (PixelsPerInch <= 0)
        return FontHeight;
    const std::int64_t Pixels = FontHeight < 0 ? -std::int64_t{FontHeight} : FontHeight;
    const std::int64_t Points = MulDivNearest(Pixels, 72, PixelsPerInch) + 2;
    return static_cast<std::int32_t>(-MulDivNearest(Points, PixelsPerInch, 72));
}

// --- CFxListItem -------------------------------------------------------------

CFxListItem::CFxListItem(CFxListItem* AParent, CFxListModel* AList)
    : FParent(AParent), FList(AList ? AList : (AParent ? AParent->FList : nullptr))
{
}

// The children go with their vector, each taking its own children first.
CFxListItem::~CFxListItem() = default;

CFxListItem* CFxListItem::Child(std::int32_t Index) const
{
    if (Index < 0 || Index >= Count())
        return nullptr;
    return FChildren[static_cast<std::size_t>(Index)].get();
}

std::int32_t CFxListItem::IndexOf(const CFxListItem* Row) const
{
    for (std::size_t I = 0; I < FChildren.size(); ++I)
        if (FChildren[I].get() == Row)
            return static_cast<std::int32_t>(I);
    return -1;
}

CFxListItem* CFxListItem::Append(TFxItemKind AKind, const std::string& ACaption, std::int32_t AImageIndex,
                                 TFxItemEvent AOnClick, TColor AColor, std::int32_t AHeight)
{
    FChildren.push_back(std::make_unique<CFxListItem>(this, FList));
    CFxListItem* Row = FChildren.back().get();
    Row->Kind = AKind;
    Row->Caption = ACaption;
    Row->ImageIndex = AImageIndex;
    Row->OnClick = std::move(AOnClick);
    Row->FColor = AColor == FxParentColor ? FColor : AColor;
    Row->Height = AHeight;
    return Row;
}

CFxListItem* CFxListItem::AddGroup(const std::string& ACaption, std::int32_t AImageIndex, TFxItemEvent AOnClick,
                                   TColor AColor, std::int32_t AHeight)
{
    CFxListItem* Row = Append(ikGroup, ACaption, AImageIndex, std::move(AOnClick), AColor,
                              AHeight == FxListHeight ? FList->GHeight() : AHeight);
    Row->ColorFactor = FList->GroupCC();
    Row->FSelColor = ScaleColor(Row->FColor, 1.8);
    FList->Changed();
    return Row;
}

CFxListItem* CFxListItem::AddAction(const std::string& ACaption, std::int32_t AImageIndex, TFxItemEvent AOnClick,
                                    TColor AColor, std::int32_t AHeight)
{
    CFxListItem* Row = Append(ikAction, ACaption, AImageIndex, std::move(AOnClick), AColor,
                              AHeight == FxListHeight ? FList->AHeight() : AHeight);
    Row->ColorFactor = FList->ActionCC();
    // From this row, the parent, also when the action row has a colour of its own.
    Row->FSelColor = ScaleColor(FColor, 1.8);
    FList->Changed();
    return Row;
}

CFxListItem* CFxListItem::AddBar(TColor AColor)
{
    CFxListItem* Row = Append(ikBar, std::string(), -1, nullptr, AColor, 10);
    Row->ColorFactor = FList->ColorC();
    FList->Changed();
    return Row;
}

CFxListItem* CFxListItem::FindByKey(const std::string& AKey, TFxItemKind AKind)
{
    if (Kind == AKind && Key == AKey)
        return this;
    for (const auto& C : FChildren)
        if (CFxListItem* Found = C->FindByKey(AKey, AKind))
            return Found;
    return nullptr;
}

void CFxListItem::Click()
{
    if (Kind == ikGroup) {
        if (!FParent) {
            OpenIndex = -1;
        } else if (FParent->OpenIndex == -1) {
            FParent->OpenIndex = FParent->IndexOf(this);
        } else if (OpenIndex != -1) {
            OpenIndex = -1;
        } else {
            FParent->OpenIndex = FParent->IndexOf(this);
        }
        FList->Changed();
    }
    // A copy: the handler may set another one.
    const TFxItemEvent Handler = OnClick;
    if (Handler)
        Handler(this);
}

bool CFxListItem::Listed() const { return FLayoutStamp != 0 && FList && FLayoutStamp == FList->FLayoutStamp; }

CFxListItem* CFxListItem::HitTest(std::int32_t AX, std::int32_t AY)
{
    if (std::int64_t{AY} < std::int64_t{Y} + Height)
        return this;
    if (CFxListItem* Open = OpenChild())
        return Open->HitTest(AX, AY);
    for (std::int32_t I = FList->FirstShown(); I < Count(); ++I) {
        CFxListItem* C = Child(I);
        if (!C || !C->Listed())
            break;
        if (std::int64_t{AY} < std::int64_t{C->Y} + C->Height)
            return C;
    }
    return nullptr;
}

void CFxListItem::SetColor(TColor Value)
{
    FColor = Value;
    for (const auto& C : FChildren)
        C->SetColor(Value);
}

void CFxListItem::SetSelColor(TColor Value)
{
    FSelColor = Value;
    for (const auto& C : FChildren)
        C->FSelColor = Value;
}

void CFxListItem::SetGroupHeight(std::int32_t Value)
{
    if (Kind == ikGroup)
        Height = Value;
    for (const auto& C : FChildren)
        C->SetGroupHeight(Value);
}

void CFxListItem::SetActionFactor(double Value)
{
    if (Kind == ikAction)
        ColorFactor = Value;
    for (const auto& C : FChildren)
        C->SetActionFactor(Value);
}

void CFxListItem::SetGroupFactor(double Value)
{
    if (Kind == ikGroup)
        ColorFactor = Value;
    for (const auto& C : FChildren)
        C->SetGroupFactor(Value);
}

void CFxListItem::Layout(std::int32_t AX, std::int32_t AY, std::int32_t W, std::int64_t& Remaining, bool WithChildren,
                         IFxListPainter* Painter)
{
    X = AX;
    Y = AY;
    FLayoutStamp = FList->FLayoutStamp;
    if (Painter)
        Painter->PaintRow(*this, AX, AY, W);
    const std::int64_t Below = std::int64_t{FList->BHeight()} + Height;
    Remaining -= Below;
    if (WithChildren)
        LayoutChildren(AX, static_cast<std::int32_t>(AY + Below), W, Remaining, Painter);
}

void CFxListItem::LayoutChildren(std::int32_t AX, std::int32_t AY, std::int32_t W, std::int64_t& Remaining,
                                 IFxListPainter* Painter)
{
    if (CFxListItem* Open = OpenChild()) {
        // The siblings of an open row are not shown.
        Open->Layout(AX, AY, W, Remaining, true, Painter);
        return;
    }
    if (Painter)
        Painter->PaintTopDecoration(AX, AY, W);
    std::int64_t Top = std::int64_t{AY} + DecorationHeight;
    Remaining -= DecorationHeight;

    CFxListModel& L = *FList;
    if (L.FFirstShown > Count() - 1)
        L.FFirstShown = Count() - 1;
    if (L.FFirstShown < 0)
        L.FFirstShown = 0;
    std::int32_t I = L.FFirstShown;
    for (; I < Count(); ++I) {
        CFxListItem* C = Child(I);
        C->Layout(AX, static_cast<std::int32_t>(Top), W, Remaining, false, Painter);
        if (Remaining <= 0)
            break;
        Top += std::int64_t{L.BHeight()} + C->Height;
    }
    // Every row from the first shown one fitted: the hidden ones are those scrolled
    // away above; else also the rows from the last, partly shown, one on.
    L.FHiddenCount = Count() - I + L.FFirstShown;
    if (I < Count())
        return;
    if (Painter)
        Painter->PaintBottomDecoration(AX, static_cast<std::int32_t>(Top), W);
}

// --- CFxListModel -----------------------------------------------------------

CFxListModel::CFxListModel()
{
    FRoot = std::make_unique<CFxListItem>(nullptr, this);
    FRoot->Height = 50;
    FRoot->ColorFactor = FGroupCC;
    SetColor(0x800080);
    SetSelColor(ScaleColor(FColor, 1.8));
}

CFxListModel::~CFxListModel()
{
    OnRepaint = nullptr;
    OnGroupClick = nullptr;
    FActiveItem = FDownItem = FLastCItem = nullptr;
}

void CFxListModel::Changed()
{
    Layout(nullptr);
    if (OnRepaint)
        OnRepaint();
}

std::int32_t CFxListModel::Layout(IFxListPainter* Painter)
{
    if (++FLayoutStamp == 0)
        ++FLayoutStamp;
    std::int64_t Remaining = std::int64_t{FHeight} - FBHeight;
    const std::int64_t W = std::int64_t{FWidth} - 2 * std::int64_t{FBHeight} - 1;
    FRoot->Layout(FBHeight, FBHeight, static_cast<std::int32_t>(W), Remaining, true, Painter);
    return FHiddenCount;
}

void CFxListModel::SetSize(std::int32_t AWidth, std::int32_t AHeight)
{
    if (AWidth == FWidth && AHeight == FHeight)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    FFirstShown = 0;
    Changed();
}

void CFxListModel::SetBHeight(std::int32_t Value)
{
    FBHeight = Value;
    Changed();
}

void CFxListModel::SetGHeight(std::int32_t Value)
{
    FGHeight = Value;
    FRoot->SetGroupHeight(Value);
    Changed();
}

void CFxListModel::SetAHeight(std::int32_t Value)
{
    FAHeight = Value;
    Changed();
}

void CFxListModel::SetActionCC(double Value)
{
    FActionCC = Value;
    FRoot->SetActionFactor(Value);
    Changed();
}

void CFxListModel::SetGroupCC(double Value)
{
    FGroupCC = Value;
    FRoot->SetGroupFactor(Value);
    Changed();
}

void CFxListModel::SetColorC(double Value)
{
    FColorC = Value;
    Changed();
}

void CFxListModel::SetColor(TColor Value)
{
    FColor = Value;
    FRoot->SetColor(Value);
    Changed();
}

void CFxListModel::SetSelColor(TColor Value)
{
    FSelColor = Value;
    FRoot->SetSelColor(Value);
    Changed();
}

void CFxListModel::SetFirstShown(std::int32_t Value)
{
    FFirstShown = Value;
    Changed();
}

CFxListItem* CFxListModel::ItemAt(std::int32_t X, std::int32_t Y)
{
    if (Y < FBHeight)
        return nullptr;
    CFxListItem* Row = FRoot->HitTest(X, Y);
    return Row && Row->Enabled ? Row : nullptr;
}

void CFxListModel::SetActiveItem(CFxListItem* Row)
{
    if (Row == FActiveItem)
        return;
    if (FActiveItem)
        FActiveItem->Hot = false;
    FActiveItem = Row;
    if (Row)
        Row->Hot = true;
}

void CFxListModel::SetDownItem(CFxListItem* Row)
{
    if (Row == FDownItem)
        return;
    if (FDownItem)
        FDownItem->Down = false;
    FDownItem = Row;
    if (Row)
        Row->Down = true;
}

void CFxListModel::MouseDown(std::int32_t X, std::int32_t Y)
{
    SetDownItem(ItemAt(X, Y));
    Changed();
}

void CFxListModel::MouseUp(std::int32_t X, std::int32_t Y)
{
    if (OnGroupClick && ItemAt(X, Y) == FDownItem) {
        const TNotifyEvent Handler = OnGroupClick;
        Handler(nullptr);
    }
    if (FDownItem && ItemAt(X, Y) == FDownItem) {
        FLastCItem = FDownItem;
        FDownItem->Click();
    }
    SetDownItem(nullptr);
    Changed();
}

void CFxListModel::MouseMove(std::int32_t X, std::int32_t Y)
{
    SetActiveItem(ItemAt(X, Y));
    Changed();
}

void CFxListModel::CancelPress()
{
    SetDownItem(nullptr);
    Changed();
}
