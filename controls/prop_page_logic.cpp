#include "prop_page_logic.h"

#include "convert.h"
#include "exceptions.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

CFxPropPageLogic::CFxPropPageLogic()
{
    FWheelTimer.SetInterval(10);
    FWheelTimer.OnTimer = [this](TObject*) { WheelTick(); };
    auto* RootRow = new CFxProp_Group;
    FRoot.reset(RootRow);
    RootRow->Create(this, nullptr);
    RootRow->Expanded = true;
    RootRow->SetBackColor(0x808080);
    RootRow->IconIndex = -1;
    FTopItem = RootRow;
}

CFxPropPageLogic::~CFxPropPageLogic() { DestroyRows(); }

void CFxPropPageLogic::DestroyRows()
{
    if (FRowsDestroyed)
        return;
    FRowsDestroyed = true;
    FWheelTimer.SetEnabled(false);
    InDestroy = true;
    EndEdit(nullptr);
    FHotItem = FPressedItem = FActiveItem = FLastRow = FTopItem = nullptr;
    // The tree, then the rows it let go: the active row may have been one of them.
    FRoot.reset();
    FRemovedRows.clear();
    FRetired.clear();
}

void CFxPropPageLogic::Refresh()
{
    if (FInPaint)
        InvalidatePage();
    else
        RepaintPage();
}

// --- settings ----------------------------------------------------------------------

void CFxPropPageLogic::SetUseIcons(bool Value)
{
    FUseIcons = Value;
    Refresh();
}

void CFxPropPageLogic::SetUseHelpBox(bool Value)
{
    FUseHelpBox = Value;
    Refresh();
}

void CFxPropPageLogic::SetPageColor(TColor Value)
{
    FColor = Value;
    PageColorsChanged();
    Refresh();
}

void CFxPropPageLogic::SetColorFrame(TColor Value)
{
    FColorFrame = Value;
    PageColorsChanged();
    Refresh();
}

void CFxPropPageLogic::SetPVwidth(double Value)
{
    FPVwidth = std::isfinite(Value) && Value > 0 ? Value : 0;
    Refresh();
}

void CFxPropPageLogic::SetHeight_HB(int Value)
{
    FHeight_HB = Value;
    Refresh();
}

void CFxPropPageLogic::SetUseProperty(bool Value)
{
    if (Value == FUseProperty)
        return;
    FUseProperty = Value;
    Refresh();
}

std::string CFxPropPageLogic::PageCaption() const { return FRoot ? FRoot->Caption : std::string(); }

void CFxPropPageLogic::SetPageCaption(const std::string& Value)
{
    if (!FRoot)
        return;
    FRoot->Caption = Value;
    FRoot->Value = Value;
    Refresh();
}

TColor CFxPropPageLogic::ColorCaption() const { return FRoot ? FRoot->BackColor : 0; }

void CFxPropPageLogic::SetColorCaption(TColor Value)
{
    if (!FRoot)
        return;
    FRoot->SetBackColor(Value);
    Refresh();
}

std::int32_t CFxPropPageLogic::IconIndex() const { return FRoot ? FRoot->IconIndex : -1; }

void CFxPropPageLogic::SetIconIndex(std::int32_t Value)
{
    if (FRoot)
        FRoot->IconIndex = Value;
    Refresh();
}

std::int32_t CFxPropPageLogic::IconOpenIndex() const { return FRoot ? FRoot->OpenIconIndex : -1; }

void CFxPropPageLogic::SetIconOpenIndex(std::int32_t Value)
{
    if (FRoot)
        FRoot->OpenIconIndex = Value;
    Refresh();
}

bool CFxPropPageLogic::AllowClose() const { return FRoot && FRoot->AllowClose; }

void CFxPropPageLogic::SetAllowClose(bool Value)
{
    if (FRoot)
        FRoot->AllowClose = Value;
}

void CFxPropPageLogic::SetPageSize(int Width, int Height)
{
    FWidth = Width;
    FHeight = Height;
}

// --- for callers ---------------------------------------------------------------------

namespace {

template <class F>
void WalkTree(CFxProp_b* Row, const F& Visit)
{
    Visit(Row);
    for (auto& C : Row->Children)
        WalkTree(C.get(), Visit);
}

} // namespace

void CFxPropPageLogic::LoadValues(const THash& Hash)
{
    if (!FRoot)
        return;
    for (auto& C : FRoot->Children)
        WalkTree(C.get(), [&Hash](CFxProp_b* R) {
            if (R->IsGroup || R->Key.empty())
                return;
            const std::int32_t I = Hash.IndexOfKey(R->Key);
            if (I >= 0)
                R->SetValue(Hash.GetEntry(I).Value);
        });
    Refresh();
}

void CFxPropPageLogic::StoreValues(THash& Hash) const
{
    if (!FRoot)
        return;
    for (auto& C : FRoot->Children)
        WalkTree(C.get(), [&Hash](CFxProp_b* R) {
            if (!R->IsGroup && !R->Key.empty())
                Hash.Add(R->Key, R->Value, true);
        });
}

CFxProp_b* CFxPropPageLogic::FindItem(const std::string& Key) const
{
    CFxProp_b* Found = nullptr;
    if (FRoot)
        WalkTree(FRoot.get(), [&](CFxProp_b* R) {
            if (!Found && R->Key == Key)
                Found = R;
        });
    return Found;
}

void CFxPropPageLogic::ShowItem(CFxProp_b* Item, bool Edit)
{
    if (!Item || !FRoot)
        return;
    for (CFxProp_b* R = Item; R; R = R->Parent)
        if (R->IsGroup)
            R->SetExpanded(true);
    const int N = RowCount(), I = IndexOfItem(Item), V = VisibleRows();
    const int Top = N - I < V ? std::max(N - V, 0) : I;
    FTopItem = ItemAt(Top);
    FTopIndex = Top;
    if (FScrollBar)
        FScrollBar->SetPosition(Top + 1);
    Refresh();
    if (Edit && ActivateItem(Item, TPropColumn::Value))
        Item->ClickValue(10, 10);
}

void CFxPropPageLogic::Clear(bool DeleteItems)
{
    EndEdit(nullptr);
    if (DeleteItems && FRoot) {
        // Retired, not freed: the row whose click cleared the page is still running.
        while (!FRoot->Children.empty()) {
            std::unique_ptr<CFxProp_b> Row = std::move(FRoot->Children.back());
            FRoot->Children.pop_back();
            Retire(std::move(Row));
        }
    }
    FTopIndex = 0;
    FTopItem = FRoot.get();
    FLastRow = nullptr;
    FHotItem = nullptr;
    FMouseDown = false;
    FPressedItem = nullptr;
    SetHandCursor(false);
    UpdateScrollBar(true, false);
}

void CFxPropPageLogic::EndEdit(CFxProp_b* Item)
{
    if (CloseActive())
        Activate(Item, TPropColumn::None);
}

bool CFxPropPageLogic::ActivateItem(CFxProp_b* Item, TPropColumn Mode) { return CloseActive() && Activate(Item, Mode); }

// False when the close's own handlers made a row active: that activation stands.
bool CFxPropPageLogic::CloseActive()
{
    CFxProp_b* Old = FActiveItem;
    if (!Old)
        return true;
    const unsigned Before = FActivations;
    // No longer active while it commits, so that an EndEdit from its change handler
    // does not close it a second time.
    FActiveItem = nullptr;
    Old->SetActive(false, TPropColumn::None);
    return FActivations == Before;
}

bool CFxPropPageLogic::Activate(CFxProp_b* Item, TPropColumn Mode)
{
    if (!Item || !InTree(Item))
        return false;
    ++FActivations;
    FActiveItem = Item;
    Item->SetActive(true, Mode);
    return true;
}

bool CFxPropPageLogic::InTree(const CFxProp_b* Row) const
{
    // A removed or retired row keeps its parent link: each step must be among the
    // parent's children.
    for (const CFxProp_b* R = Row; R; R = R->Parent) {
        if (R == FRoot.get())
            return true;
        if (!R->Parent)
            return false;
        const auto& List = R->Parent->Children;
        if (std::none_of(List.begin(), List.end(), [R](const std::unique_ptr<CFxProp_b>& C) { return C.get() == R; }))
            return false;
    }
    return false;
}

void CFxPropPageLogic::DoPropChange(CFxProp_b* Row)
{
    if (OnPropChange && !InDestroy)
        OnPropChange(Row);
}

// --- display order ---------------------------------------------------------------------

int CFxPropPageLogic::VisibleRows() const
{
    return (FHeight - (FUseHelpBox ? FHeight_HB : 0) - 3) / RowHeight;
}

int CFxPropPageLogic::RowCount() const
{
    int N = 0;
    for (const CFxProp_b* R = FRoot.get(); R; R = R->NextRow())
        ++N;
    return N < 1 ? 1 : N;
}

int CFxPropPageLogic::IndexOfItem(const CFxProp_b* Item) const
{
    int I = 0;
    for (const CFxProp_b* R = FRoot.get(); R; R = R->NextRow(), ++I)
        if (R == Item)
            return I;
    return RowCount() - 1;
}

CFxProp_b* CFxPropPageLogic::ItemAt(int Index) const
{
    CFxProp_b* R = FRoot.get();
    for (int Step = 0; Step < Index; ++Step) {
        R = R ? R->NextRow() : nullptr;
        if (!R) {
            const int Left = Index - Step - 1;
            if (Left == 0)
                return nullptr;
            throw ERangeError("Index to HIGH=" + IntToStr(Left));
        }
    }
    return R;
}

CFxProp_b* CFxPropPageLogic::ItemFrom(CFxProp_b* Start, int Offset) const
{
    if (Offset < 0)
        throw ERangeError("aPropOffset is=" + IntToStr(Offset));
    CFxProp_b* R = Start;
    for (int Step = 0; R && Step < Offset; ++Step)
        R = R->NextRow();
    return R;
}

CFxProp_b* CFxPropPageLogic::ItemAtY(int Y) const
{
    int R = (Y - 2) / RowHeight;
    const int V = VisibleRows();
    if (R > V)
        return nullptr;
    if (R == V)
        --R; // the partly visible line below the last full row
    // Far above the page (the button held while the mouse left it): no row.
    if (R < 0)
        return nullptr;
    return ItemFrom(FTopItem, R);
}

void CFxPropPageLogic::SetHotItem(CFxProp_b* Row)
{
    CFxProp_b* Old = FHotItem;
    FHotItem = Row;
    if (Old && Old != Row)
        Old->MouseLeave();
    if (Row && Old != Row)
        Row->MouseEnter();
}

void CFxPropPageLogic::UpdateScrollBar(bool Range, bool Place)
{
    if (Range && FScrollBar)
        FScrollBar->SetMax(std::max(RowCount() - VisibleRows() + 1, 1));
    if (Place)
        PlaceScrollBar();
}

void CFxPropPageLogic::ScrollBarChange()
{
    EndEdit(nullptr);
    if (!FScrollBar || !FRoot)
        return;
    FTopIndex = std::min(FScrollBar->Position() - 1, RowCount() - 1);
    if (FTopIndex < 0)
        FTopIndex = 0;
    FTopItem = ItemAt(FTopIndex);
    Refresh();
}

// --- geometry -------------------------------------------------------------------------

TPropLineRects CFxPropPageLogic::LineRects(int Line) const
{
    const int Y = 2 + RowHeight * Line;
    TPropLineRects R;
    R.Left = TRect{2, Y, 22, Y + 20};
    R.Icon = FUseIcons ? TRect{25, Y, 46, Y + 20} : TRect{22, Y, 22, Y + 20};
    const int IconRight = FUseIcons ? 46 : 22;
    const int S = FWidth - IconRight - 9;
    if (FUseProperty) {
        const int Cw = ClampToInt32(RoundHalfEven(S * FPVwidth));
        R.Caption = TRect{IconRight + 3, Y, IconRight + 3 + Cw, Y + 20};
        R.Value = TRect{R.Caption.Right + 3, Y, FWidth - 3, Y + 20};
    } else {
        R.Caption = TRect{IconRight + 3, Y, IconRight + 3, Y + 20};
        R.Value = TRect{IconRight + 3, Y, FWidth - 3, Y + 20};
    }
    return R;
}

TPropColumn CFxPropPageLogic::ClickColumn(int X) const
{
    if (LineAsValue)
        return TPropColumn::Value;
    if (X < 22)
        return TPropColumn::Expander;
    if (FUseIcons && X < 49)
        return TPropColumn::Icon;
    const int IconW = FUseIcons ? 49 : 26;
    if (X < IconW + ClampToInt32(RoundHalfEven((FWidth - IconW) * FPVwidth)))
        return TPropColumn::Caption;
    return TPropColumn::Value;
}

bool CFxPropPageLogic::PaintRows(const std::function<void(CFxProp_b& Row, const TPropLineRects& Cells)>& PaintRow)
{
    if (LockPaint || !FRoot)
        return false;
    FInPaint = true;
    struct TEnd {
        bool& Flag;
        ~TEnd() { Flag = false; }
    } End{FInPaint};
    // The range first: when rows went, the top comes back into it before anything is
    // drawn, and the repaint that the change asks for becomes an invalidate.
    UpdateScrollBar(true, false);
    TPropLineRects Cells = LineRects(0);
    const int N = VisibleRows();
    int Count = 0;
    FLastRow = FTopItem;
    while (FLastRow) {
        ++Count;
        PaintRow(*FLastRow, Cells);
        FLastRow->SetValueRect(Cells.Value);
        FLastRow->SetCaptionRect(Cells.Caption);
        for (TRect* R : {&Cells.Left, &Cells.Icon, &Cells.Caption, &Cells.Value}) {
            R->Top += RowHeight;
            R->Bottom += RowHeight;
        }
        if (Count >= N)
            break;
        FLastRow = FLastRow->NextRow();
    }
    return true;
}

// --- input ------------------------------------------------------------------------------

void CFxPropPageLogic::MouseMoveAt(int X, int Y)
{
    if (AutoFocus && (!FActiveItem || !FActiveItem->EditorFocused()) && !PageFocused()) {
        TakeFocus();
        if (FActiveItem)
            FActiveItem->FocusEditor();
    }
    CFxProp_b* R = ItemAtY(Y);
    if (!FMouseDown && R != FHotItem)
        SetHotItem(R);
    if (FHotItem)
        FHotItem->MouseMove(X, (Y - 2) % RowHeight);
}

void CFxPropPageLogic::MouseLeftPage() { SetHotItem(nullptr); }

void CFxPropPageLogic::LeftButtonDown(int, int Y)
{
    TakeFocus();
    FMouseDown = true;
    FPressedItem = ItemAtY(Y);
}

void CFxPropPageLogic::LeftButtonUp(int X, int Y)
{
    CFxProp_b* R = ItemAtY(Y);
    CFxProp_b* Pressed = FPressedItem;
    FMouseDown = false;
    FPressedItem = nullptr;
    if (FScrollBar && FScrollBar->Position() != FScrollBar->Min() && R && R == FTopItem) {
        SetHotItem(nullptr);
        FScrollBar->SetPosition(FScrollBar->Position() - 1);
    } else if (FScrollBar && FScrollBar->Position() != FScrollBar->Max() && R && R == FLastRow) {
        SetHotItem(nullptr);
        FScrollBar->SetPosition(FScrollBar->Position() + 1);
    } else if (R && R == Pressed) {
        // A click that gave way (its row went, or another one was opened) does no more.
        const TPropColumn Column = ClickColumn(X);
        switch (Column) {
        case TPropColumn::Expander:
            if (ActivateItem(R, Column) && R->CanToggle())
                R->SetExpanded(!R->Expanded);
            break;
        case TPropColumn::Icon:
            ActivateItem(R, Column);
            break;
        case TPropColumn::Caption:
            if (ActivateItem(R, Column))
                R->ClickCaption(X, Y);
            break;
        default:
            if (ActivateItem(R, TPropColumn::Value))
                R->ClickValue(X, Y);
            break;
        }
    }
}

void CFxPropPageLogic::Wheel(int Delta)
{
    FWheelSteps += Delta / 100;
    FWheelTimer.SetEnabled(true);
}

void CFxPropPageLogic::WheelTick()
{
    FWheelTimer.SetEnabled(false);
    const std::int32_t Steps = FWheelSteps;
    FWheelSteps = 0;
    if (FScrollBar)
        FScrollBar->SetPosition(FScrollBar->Position() - Steps);
}

void CFxPropPageLogic::KeyPress(const TPropKeyMessage& Message)
{
    if (FActiveItem)
        FActiveItem->KeyPress(Message);
}

void CFxPropPageLogic::Resized()
{
    UpdateScrollBar(false, true);
    EndEdit(nullptr);
}

// --- rows the page keeps ----------------------------------------------------------------

void CFxPropPageLogic::AddRemoved(std::unique_ptr<CFxProp_b> Row)
{
    CFxProp_b* R = Row.get();
    FRemovedRows.push_back(std::move(Row));
    // The active and hot rows may stay on it (it lives on); the top of the page may not.
    if (FTopItem && FTopItem->IsWithin(R))
        RealignTop();
    if (FLastRow && FLastRow->IsWithin(R))
        FLastRow = nullptr;
}

std::unique_ptr<CFxProp_b> CFxPropPageLogic::TakeBack(CFxProp_b* Row)
{
    for (auto It = FRemovedRows.begin(); It != FRemovedRows.end(); ++It)
        if (It->get() == Row) {
            std::unique_ptr<CFxProp_b> Taken = std::move(*It);
            FRemovedRows.erase(It);
            return Taken;
        }
    return nullptr;
}

void CFxPropPageLogic::DeleteRow(CFxProp_b* Row)
{
    if (!Row || Row == FRoot.get() || !Row->Parent)
        return;
    auto& List = Row->Parent->Children;
    auto It = std::find_if(List.begin(), List.end(), [Row](const std::unique_ptr<CFxProp_b>& P) { return P.get() == Row; });
    std::unique_ptr<CFxProp_b> Taken;
    if (It != List.end()) {
        Taken = std::move(*It);
        List.erase(It);
    } else {
        Taken = TakeBack(Row);
    }
    if (!Taken)
        return;
    ForgetRowsWithin(Row);
    Retire(std::move(Taken));
    UpdateScrollBar(true, false);
}

void CFxPropPageLogic::ForgetRowsWithin(const CFxProp_b* Row)
{
    if (FActiveItem && FActiveItem->IsWithin(Row)) {
        CFxProp_b* Active = FActiveItem;
        FActiveItem = nullptr;
        Active->SetActive(false, TPropColumn::None);
    }
    if (FHotItem && FHotItem->IsWithin(Row)) {
        FHotItem = nullptr;
        SetHandCursor(false);
    }
    if (FPressedItem && FPressedItem->IsWithin(Row))
        FPressedItem = nullptr;
    if (FLastRow && FLastRow->IsWithin(Row))
        FLastRow = nullptr;
    if (FTopItem && FTopItem->IsWithin(Row))
        RealignTop();
}

void CFxPropPageLogic::RealignTop()
{
    FTopIndex = std::max(0, std::min(FTopIndex, RowCount() - 1));
    FTopItem = ItemAt(FTopIndex);
    if (!FTopItem)
        FTopItem = FRoot.get();
}

void CFxPropPageLogic::Retire(std::unique_ptr<CFxProp_b> Row)
{
    ForgetRowsWithin(Row.get());
    FRetired.push_back(std::move(Row));
    ScheduleFreeRetired();
}

void CFxPropPageLogic::FreeRetired()
{
    std::vector<std::unique_ptr<CFxProp_b>> Rows;
    Rows.swap(FRetired);
    // Nothing the page or a remaining row holds may point into what goes.
    std::unordered_set<const CFxProp_b*> Going;
    for (auto& R : Rows) {
        ForgetRowsWithin(R.get());
        WalkTree(R.get(), [&Going](CFxProp_b* G) { Going.insert(G); });
    }
    const auto Unlink = [&Going](CFxProp_b* K) {
        if (Going.count(K->Link))
            K->Link = nullptr;
        if (Going.count(K->BackLink))
            K->BackLink = nullptr;
    };
    if (FRoot)
        WalkTree(FRoot.get(), Unlink);
    for (auto* Kept : {&FRemovedRows, &FRetired})
        for (auto& R : *Kept)
            WalkTree(R.get(), Unlink);
    Rows.clear();
}
