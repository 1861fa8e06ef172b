#include "ui_list_box.h"

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 120;
    FHeight = 100;
    SetColor(clWindow);
}

void TListBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = "LISTBOX";
    Params.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
    Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TListBox::HandleCreated() { Fill(); }

void TListBox::Fill()
{
    FillList(FItems, FItemIndex, LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL);
}

void TListBox::SetItems(const std::vector<std::string>& Items)
{
    FItems = Items;
    FItemIndex = -1;
    Fill();
}

int TListBox::ItemIndex() const
{
    if (const_cast<TListBox*>(this)->HandleAllocated())
        return static_cast<int>(SendMessageA(const_cast<TListBox*>(this)->Handle(), LB_GETCURSEL, 0, 0));
    return FItemIndex;
}

void TListBox::SetItemIndex(int Index)
{
    FItemIndex = Index < 0 || Index >= static_cast<int>(FItems.size()) ? -1 : Index;
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
}

bool TListBox::HandleReflected(UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result)
{
    if (Msg == WM_CTLCOLORLISTBOX) {
        Result = FBrush.Answer(reinterpret_cast<HDC>(WParam), Color(), Font().Color());
        return true;
    }
    if (Msg == WM_COMMAND && HIWORD(WParam) == LBN_SELCHANGE) {
        FItemIndex = ItemIndex();
        Click();
        Result = 0;
        return true;
    }
    return false;
}
