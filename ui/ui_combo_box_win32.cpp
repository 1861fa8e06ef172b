#include "ui_combo_box.h"

namespace {

// Letters compared without case, as the system list searches.
bool SameLetters(const std::string& A, const std::string& B)
{
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I) {
        const auto Low = [](char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C; };
        if (Low(A[I]) != Low(B[I]))
            return false;
    }
    return true;
}

} // namespace

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
    static const DWORD Styles[] = {CBS_DROPDOWN | CBS_AUTOHSCROLL, CBS_SIMPLE | CBS_AUTOHSCROLL, CBS_DROPDOWNLIST};
    Params.Style |= Styles[FStyle] | WS_VSCROLL;
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
    FillList(FItems, FItemIndex, CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL);
    if (FItemIndex < 0 && FStyle != csDropDownList)
        SetWindowTextA(Handle(), FText.c_str());
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
    if (FItemIndex >= 0)
        FText = FItems[static_cast<std::size_t>(FItemIndex)];
}

int TComboBox::IndexOfText(const std::string& Text) const
{
    for (std::size_t I = 0; I < FItems.size(); ++I)
        if (SameLetters(FItems[I], Text))
            return static_cast<int>(I);
    return -1;
}

std::string TComboBox::Text() const
{
    if (!HandleAllocated())
        return FText;
    if (FStyle == csDropDownList)
        return FItemIndex >= 0 ? FItems[static_cast<std::size_t>(FItemIndex)] : std::string();
    return WindowTextOf(const_cast<TComboBox*>(this)->Handle());
}

void TComboBox::SetText(const std::string& Value)
{
    FText = Value;
    if (FStyle == csDropDownList) {
        SetItemIndex(IndexOfText(Value));
        return;
    }
    if (HandleAllocated())
        SetWindowTextA(Handle(), Value.c_str());
}

void TComboBox::SetStyle(TComboBoxStyle Value)
{
    if (Value == FStyle)
        return;
    FStyle = Value;
    if (HandleAllocated())
        RecreateWnd();
}

bool TComboBox::DroppedDown() const
{
    return HandleAllocated() &&
           SendMessageA(const_cast<TComboBox*>(this)->Handle(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

bool TComboBox::HandleReflected(UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result)
{
    switch (Msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        Result = FBrush.Answer(reinterpret_cast<HDC>(WParam), Color(), Font().Color());
        return true;
    case WM_COMMAND:
        if (HIWORD(WParam) == CBN_SELCHANGE) {
            FItemIndex = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
            if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FItems.size()))
                FText = FItems[static_cast<std::size_t>(FItemIndex)];
            FByTyping = false;
            if (OnChange)
                OnChange(this);
            Result = 0;
            return true;
        }
        if (HIWORD(WParam) == CBN_EDITCHANGE) {
            FText = Text();
            FByTyping = true;
            FItemIndex = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
            if (OnChange)
                OnChange(this);
            Result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

LRESULT TComboBox::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    // The box's own edit and drop-down list ask the box for their colours.
    if (Msg == WM_CTLCOLOREDIT || Msg == WM_CTLCOLORLISTBOX || Msg == WM_CTLCOLORSTATIC)
        return FBrush.Answer(reinterpret_cast<HDC>(WParam), Color(), Font().Color());
    return TWinControl::WndProc(Msg, WParam, LParam);
}

void TComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, FLeft, FTop, FWidth, FHeight + DropHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}
