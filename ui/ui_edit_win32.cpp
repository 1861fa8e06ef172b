#include "ui_edit.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    FWidth = 121;
    FHeight = 21;
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = "EDIT";
    Params.Style |= EditStyle();
    if (FReadOnly)
        Params.Style |= ES_READONLY;
    Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::HandleCreated()
{
    FSettingText = true;
    SetWindowTextA(Handle(), FText.c_str());
    FSettingText = false;
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

std::string TCustomEdit::Text() const
{
    if (!HandleAllocated())
        return FText;
    return WindowTextOf(const_cast<TCustomEdit*>(this)->Handle());
}

void TCustomEdit::SetText(const std::string& Value)
{
    FText = Value;
    if (HandleAllocated())
        SetWindowTextA(Handle(), Value.c_str());
    else if (OnChange)
        OnChange(this);
}

// The caption is the window text of an edit: one way in for both.
void TCustomEdit::TextChanged() { SetText(Caption()); }

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = Value < 0 ? 0 : Value;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

void TCustomEdit::ReplaceSelection(const std::string& Text)
{
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Text.c_str()));
}

void TCustomEdit::SelectAll() { SendMessageA(Handle(), EM_SETSEL, 0, -1); }

bool TCustomEdit::HandleReflected(UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result)
{
    switch (Msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        Result = FBrush.Answer(reinterpret_cast<HDC>(WParam), Color(), Font().Color());
        return true;
    case WM_COMMAND:
        if (HIWORD(WParam) == EN_CHANGE) {
            FText = Text();
            if (!FSettingText && OnChange)
                OnChange(this);
            Result = 0;
            return true;
        }
        return false;
    default:
        return false;
    }
}

LRESULT TCustomEdit::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_CONTEXTMENU:
        if (NoContextMenu)
            return 0;
        break;
    case WM_LBUTTONDBLCLK: {
        const LRESULT R = TWinControl::WndProc(Msg, WParam, LParam);
        if (OnDblClick)
            OnDblClick(this);
        return R;
    }
    default:
        break;
    }
    return TWinControl::WndProc(Msg, WParam, LParam);
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

TMemo::TMemo(TComponent* AOwner) : TCustomEdit(AOwner)
{
    FWidth = 185;
    FHeight = 89;
}
