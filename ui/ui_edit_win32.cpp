#include "ui_edit.h"

TEdit::TEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    TabStop = true;
    SetColor(clWindow);
}

std::string TEdit::Text()
{
    const int N = GetWindowTextLengthA(Handle());
    std::string S(static_cast<std::size_t>(N) + 1, '\0');
    GetWindowTextA(Handle(), &S[0], N + 1);
    S.resize(static_cast<std::size_t>(N));
    return S;
}

void TEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (HandleAllocated())
        SendMessageA(Handle(), EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

void TEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.ClassName = "EDIT";
    Params.Style |= ES_AUTOHSCROLL;
    if (FReadOnly)
        Params.Style |= ES_READONLY;
    Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}
