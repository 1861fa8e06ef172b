#pragma once

#include "object.h"
#include "ui_types.h"
#include "win32_handles.h"

#include <windows.h>

#include <functional>
#include <string>

class TCanvas;

// One font and its one GDI handle, made when first asked for; the default GUI font
// until changed. OnChange follows every change, Assign included. Only a change of
// the face, size or weight makes a new handle; the colour is not part of it. The old
// handle is freed after OnChange, so listeners have moved to the new one by then.
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
    friend class TCanvas;
    void Changed(bool NewHandle);

    LOGFONTA FLog;
    TColor FColor = clWindowText;
    mutable TGdiObject<HFONT> FHandle;
    // The canvas whose font this is takes the handle out of its DC before it is freed.
    std::function<void(HFONT Old)> FReleasing;
};
