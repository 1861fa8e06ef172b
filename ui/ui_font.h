#pragma once

#include "object.h"
#include "ui_types.h"

#include <windows.h>

#include <string>

// One font and its one GDI handle, made when first asked for; the default GUI font
// until changed. OnChange follows every change, Assign included.
class TFont : public TObject {
public:
    TFont();
    ~TFont() override;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    void Assign(const TFont& Source);

    std::string Name() const { return FLog.lfFaceName; }
    void SetName(const std::string& Value);
    // Pixel height of the characters (negative LOGFONT height).
    int Height() const { return FLog.lfHeight; }
    void SetHeight(int Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool Bold() const { return FLog.lfWeight >= FW_BOLD; }
    void SetBold(bool Value);
    bool Italic() const { return FLog.lfItalic != 0; }
    void SetItalic(bool Value);

    HFONT Handle() const;
    TNotifyEvent OnChange;

private:
    void Changed();
    void FreeHandle() const;

    LOGFONTA FLog;
    TColor FColor = clWindowText;
    mutable HFONT FHandle = nullptr;
};
