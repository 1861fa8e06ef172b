#include "ui_font.h"

#include <cstring>

TFont::TFont()
{
    std::memset(&FLog, 0, sizeof FLog);
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof FLog, &FLog);
}

TFont::~TFont() { FreeHandle(); }

void TFont::FreeHandle() const
{
    if (FHandle)
        DeleteObject(FHandle);
    FHandle = nullptr;
}

void TFont::Assign(const TFont& Source)
{
    if (&Source == this)
        return;
    FLog = Source.FLog;
    FColor = Source.FColor;
    Changed();
}

void TFont::SetName(const std::string& Value)
{
    std::memset(FLog.lfFaceName, 0, sizeof FLog.lfFaceName);
    std::strncpy(FLog.lfFaceName, Value.c_str(), sizeof FLog.lfFaceName - 1);
    Changed();
}

void TFont::SetHeight(int Value)
{
    FLog.lfHeight = Value;
    Changed();
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed();
}

void TFont::SetBold(bool Value)
{
    FLog.lfWeight = Value ? FW_BOLD : FW_NORMAL;
    Changed();
}

void TFont::SetItalic(bool Value)
{
    FLog.lfItalic = Value ? TRUE : FALSE;
    Changed();
}

void TFont::Changed()
{
    FreeHandle();
    if (OnChange)
        OnChange(this);
}

HFONT TFont::Handle() const
{
    if (!FHandle)
        FHandle = CreateFontIndirectA(&FLog);
    return FHandle;
}
