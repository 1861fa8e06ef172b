#include "ui_page_control.h"

#include "exceptions.h"
#include "ui_common_controls.h"
#include "ui_text_report.h"

#include <algorithm>

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner)
{
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::SetPageControl(TPageControl* APageControl)
{
    if (APageControl == FPageControl)
        return;
    if (FPageControl)
        FPageControl->RemoveSheet(this);
    FPageControl = APageControl;
    if (FPageControl)
        FPageControl->AddSheet(this);
}

int TTabSheet::PageIndex() const
{
    if (!FPageControl)
        return -1;
    const auto& P = FPageControl->FPages;
    return static_cast<int>(std::find(P.begin(), P.end(), this) - P.begin());
}

void TTabSheet::TextChanged()
{
    TCustomControl::TextChanged();
    if (FPageControl)
        FPageControl->UpdateTab(this);
}

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 289;
    FHeight = 193;
    RegisterCommonControls(ICC_TAB_CLASSES);
}

TPageControl::~TPageControl()
{
    for (TTabSheet* S : FPages)
        S->FPageControl = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const
{
    return Index >= 0 && Index < PageCount() ? FPages[static_cast<std::size_t>(Index)] : nullptr;
}

void TPageControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = WC_TABCONTROLA;
    if (OwnerDraw)
        Params.Style |= TCS_OWNERDRAWFIXED;
}

void TPageControl::HandleCreated()
{
    for (std::size_t I = 0; I < FPages.size(); ++I) {
        TCITEMA Item = {};
        Item.mask = TCIF_TEXT;
        std::string Text = FPages[I]->Caption();
        Item.pszText = &Text[0];
        if (SendMessageA(Handle(), TCM_INSERTITEMA, I, reinterpret_cast<LPARAM>(&Item)) < 0)
            throw Exception("The page control refused the tab \"" + Text + "\"");
    }
    ShowActive();
}

void TPageControl::AddSheet(TTabSheet* Sheet)
{
    FPages.push_back(Sheet);
    Sheet->SetVisible(false);
    Sheet->SetParent(this);
    if (HandleAllocated()) {
        TCITEMA Item = {};
        Item.mask = TCIF_TEXT;
        std::string Text = Sheet->Caption();
        Item.pszText = &Text[0];
        if (SendMessageA(Handle(), TCM_INSERTITEMA, FPages.size() - 1, reinterpret_cast<LPARAM>(&Item)) < 0)
            throw Exception("The page control refused the tab \"" + Text + "\"");
    }
    if (FActive < 0)
        FActive = 0;
    ShowActive();
}

void TPageControl::RemoveSheet(TTabSheet* Sheet)
{
    const auto At = std::find(FPages.begin(), FPages.end(), Sheet);
    if (At == FPages.end())
        return;
    const int Index = static_cast<int>(At - FPages.begin());
    FPages.erase(At);
    if (HandleAllocated())
        SendMessageA(Handle(), TCM_DELETEITEM, static_cast<WPARAM>(Index), 0);
    if (Sheet->Parent() == this)
        Sheet->SetParent(nullptr);
    if (FActive >= PageCount())
        FActive = PageCount() - 1;
    ShowActive();
}

void TPageControl::UpdateTab(TTabSheet* Sheet)
{
    const int Index = Sheet->PageIndex();
    if (!HandleAllocated() || Index < 0)
        return;
    TCITEMA Item = {};
    Item.mask = TCIF_TEXT;
    std::string Text = Sheet->Caption();
    Item.pszText = &Text[0];
    SendMessageA(Handle(), TCM_SETITEMA, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&Item));
}

void TPageControl::SetActivePageIndex(int Index)
{
    if (Index < 0 || Index >= PageCount() || Index == FActive)
        return;
    FActive = Index;
    ShowActive();
}

void TPageControl::ShowActive()
{
    if (HandleAllocated() && FActive >= 0 && SendMessageA(Handle(), TCM_GETCURSEL, 0, 0) != FActive)
        SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(FActive), 0);
    PlaceSheets();
    // The new sheet first, so the area never shows the bare control between the two.
    if (TTabSheet* Active = ActivePage())
        Active->SetVisible(true);
    for (TTabSheet* S : FPages)
        if (S != ActivePage())
            S->SetVisible(false);
}

RECT TPageControl::TabRect(int Index)
{
    RECT R = {0, 0, 0, 0};
    if (HandleAllocated() && Index >= 0 && Index < PageCount())
        SendMessageA(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&R));
    return R;
}

RECT TPageControl::DisplayRect()
{
    RECT R = ClientRect();
    if (HandleAllocated()) {
        GetClientRect(Handle(), &R);
        SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&R));
    }
    return R;
}

void TPageControl::PlaceSheets()
{
    if (!HandleAllocated())
        return;
    const RECT R = DisplayRect();
    for (TTabSheet* S : FPages)
        S->SetBounds(R.left, R.top, std::max(0L, R.right - R.left), std::max(0L, R.bottom - R.top));
}

void TPageControl::Resize() { PlaceSheets(); }

bool TPageControl::HandleReflected(UINT Msg, WPARAM, LPARAM LParam, LRESULT& Result)
{
    if (Msg == WM_NOTIFY && reinterpret_cast<const NMHDR*>(LParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
        const int Now = static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
        if (Now >= 0 && Now < PageCount() && Now != FActive) {
            FActive = Now;
            ShowActive();
            if (OnChange)
                OnChange(this);
        }
        Result = 0;
        return true;
    }
    if (Msg == WM_DRAWITEM) {
        const auto& D = *reinterpret_cast<const DRAWITEMSTRUCT*>(LParam);
        if (!OnDrawTab)
            return false;
        const int Saved = SaveDC(D.hDC);
        struct TLend {
            TCanvas& Canvas;
            HDC DC;
            int Saved;
            ~TLend()
            {
                Canvas.SetHandle(nullptr);
                RestoreDC(DC, Saved);
            }
        } Lend{FCanvas, D.hDC, Saved};
        FCanvas.SetHandle(D.hDC);
        FCanvas.Font.Assign(Font());
        OnDrawTab(this, static_cast<int>(D.itemID), D.rcItem, (D.itemState & ODS_SELECTED) != 0);
        Result = TRUE;
        return true;
    }
    return false;
}

void TPageControl::DescribeTexts(TTextReport& Report)
{
    Report.AddControl(*this, "");
    for (int I = 0; I < PageCount(); ++I) {
        const RECT R = TabRect(I);
        TTextItem Item;
        Item.Kind = "Tab";
        Item.Name = FPages[static_cast<std::size_t>(I)]->Name;
        Item.Enabled = Enabled();
        Item.Left = R.left;
        Item.Top = R.top;
        Item.Width = R.right - R.left;
        Item.Height = R.bottom - R.top;
        Item.Text = FPages[static_cast<std::size_t>(I)]->Caption();
        Report.AddItem(*this, Item);
    }
}
