#pragma once

#include "ui_bitmap.h"
#include "ui_control.h"

// An icon handle; a shared system icon is never destroyed.
class TIcon {
public:
    TIcon() = default;
    ~TIcon() { Clear(); }
    TIcon(const TIcon&) = delete;
    TIcon& operator=(const TIcon&) = delete;

    void LoadSystem(LPCSTR Id); // LoadIcon with no module
    void Assign(const TIcon& Source);
    void Clear();
    HICON Handle() const { return FHandle; }
    bool Empty() const { return FHandle == nullptr; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

private:
    HICON FHandle = nullptr;
    bool FShared = false;
    int FWidth = 0, FHeight = 0;
};

// A windowless picture that takes the size of its icon, or of its bitmap when that
// holds one (the bitmap is drawn in place of the icon then).
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    TIcon& Picture() { return FPicture; }
    TBitmap& Bitmap() { return FBitmap; }
    const TBitmap& Bitmap() const { return FBitmap; }
    // After either picture changed.
    void PictureChanged();
    void Paint(TCanvas& Canvas) override;
    bool AutoSize = true;

private:
    TIcon FPicture;
    TBitmap FBitmap;
};
