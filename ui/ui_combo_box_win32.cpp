#include "ui_combo_box.h"

TComboBox::TComboBox(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 145;
    FHeight = 21;
    SetColor(clWindow);
}

void TComboBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = "COMBOBOX";
    Params.Style |= CBS_DROPDOWNLIST | WS_VSCROLL;
    Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TComboBox::CreateWnd()
{
    // Made as tall as the open list; the closed box keeps its own height.
    const int Height = FHeight;
    FHeight = Height + DropHeight;
    TWinControl::CreateWnd();
    FHeight = Height;
}

void TComboBox::HandleCreated() { Fill(); }

void TComboBox::Fill()
{
    if (!HandleAllocated())
        return;
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
    for (const std::string& S : FItems)
        SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(S.c_str()));
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

void TComboBox::SetItems(const std::vector<std::string>& Items)
{
    FItems = Items;
    FItemIndex = -1;
    Fill();
}

void TComboBox::SetItemIndex(int Index)
{
    FItemIndex = Index < 0 || Index >= static_cast<int>(FItems.size()) ? -1 : Index;
    if (HandleAllocated())
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

bool TComboBox::HandleReflected(UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result)
{
    if (Msg == WM_COMMAND && HIWORD(WParam) == CBN_SELCHANGE) {
        FItemIndex = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
        if (OnChange)
            OnChange(this);
        Result = 0;
        return true;
    }
    return false;
}

void TComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, FLeft, FTop, FWidth, FHeight + DropHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}
