#include "ui_font.h"

#include <cstring>

TFont::TFont()
{
    std::memset(&FLog, 0, sizeof FLog);
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof FLog, &FLog);
}

TFont::~TFont() = default;

void TFont::Assign(const TFont& Source)
{
    if (&Source == this)
        return;
    const bool SameShape = std::memcmp(&FLog, &Source.FLog, sizeof FLog) == 0;
    if (SameShape && FColor == Source.FColor)
        return;
    FLog = Source.FLog;
    FColor = Source.FColor;
    Changed(!SameShape);
}

void TFont::SetName(const std::string& Value)
{
    std::memset(FLog.lfFaceName, 0, sizeof FLog.lfFaceName);
    std::strncpy(FLog.lfFaceName, Value.c_str(), sizeof FLog.lfFaceName - 1);
    Changed(true);
}

void TFont::SetHeight(int Value)
{
    FLog.lfHeight = Value;
    Changed(true);
}

void TFont::SetColor(TColor Value)
{
    if (Value == FColor)
        return;
    FColor = Value;
    Changed(false);
}

void TFont::SetBold(bool Value)
{
    FLog.lfWeight = Value ? FW_BOLD : FW_NORMAL;
    Changed(true);
}

void TFont::SetItalic(bool Value)
{
    FLog.lfItalic = Value ? TRUE : FALSE;
    Changed(true);
}

void TFont::Changed(bool NewHandle)
{
    // Windows refuses to delete a font that a DC still holds: whoever holds it lets
    // it go first, and only then is it freed.
    const TGdiObject<HFONT> Old(NewHandle ? FHandle.Release() : nullptr);
    if (Old && FReleasing)
        FReleasing(Old.Get());
    if (OnChange)
        OnChange(this);
}

HFONT TFont::Handle() const
{
    if (!FHandle)
        FHandle.Reset(CreateFontIndirectA(&FLog));
    return FHandle.Get();
}
