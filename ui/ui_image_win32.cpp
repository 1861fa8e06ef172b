#include "ui_image.h"

void TIcon::Clear()
{
    if (FHandle && !FShared)
        DestroyIcon(FHandle);
    FHandle = nullptr;
    FShared = false;
    FWidth = FHeight = 0;
}

void TIcon::LoadSystem(LPCSTR Id)
{
    Clear();
    FHandle = LoadIconA(nullptr, Id);
    FShared = true;
    if (!FHandle)
        return;
    ICONINFO Info = {};
    if (GetIconInfo(FHandle, &Info)) {
        // Copies made for the caller, who frees them.
        const TGdiObject<HBITMAP> Color(Info.hbmColor), Mask(Info.hbmMask);
        BITMAP B = {};
        if (Color && GetObjectA(Color.Get(), sizeof B, &B)) {
            FWidth = B.bmWidth;
            FHeight = B.bmHeight;
        } else if (Mask && GetObjectA(Mask.Get(), sizeof B, &B)) {
            FWidth = B.bmWidth;
            FHeight = B.bmHeight / 2;
        }
    }
    if (FWidth <= 0 || FHeight <= 0) {
        FWidth = GetSystemMetrics(SM_CXICON);
        FHeight = GetSystemMetrics(SM_CYICON);
    }
}

void TIcon::Assign(const TIcon& Source)
{
    if (&Source == this)
        return;
    Clear();
    if (Source.Empty())
        return;
    FShared = Source.FShared;
    FHandle = FShared ? Source.FHandle : CopyIcon(Source.FHandle);
    FWidth = Source.FWidth;
    FHeight = Source.FHeight;
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FWidth = 105;
    FHeight = 105;
}

void TImage::PictureChanged()
{
    if (AutoSize && !FBitmap.Empty())
        SetBounds(FLeft, FTop, FBitmap.Width(), FBitmap.Height());
    else if (AutoSize && !FPicture.Empty())
        SetBounds(FLeft, FTop, FPicture.Width(), FPicture.Height());
    Invalidate();
}

void TImage::Paint(TCanvas& Canvas)
{
    if (!FBitmap.Empty())
        BitBlt(Canvas.Handle(), 0, 0, FBitmap.Width(), FBitmap.Height(), FBitmap.DC(), 0, 0, SRCCOPY);
    else if (!FPicture.Empty())
        Canvas.DrawIcon(0, 0, FPicture.Handle(), FPicture.Width(), FPicture.Height());
}
