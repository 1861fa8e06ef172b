#include "ui_image_list.h"

#include "ui_bitmap.h"
#include "ui_common_controls.h"

TImageList::TImageList(int Width, int Height, bool Masked) : FWidth(Width), FHeight(Height), FMasked(Masked)
{
    Make();
}

TImageList::~TImageList()
{
    if (FList)
        CommonImageListDestroy(FList);
}

void TImageList::Make()
{
    if (FList)
        CommonImageListDestroy(FList);
    FList = nullptr;
    if (FWidth > 0 && FHeight > 0)
        FList = CommonImageListCreate(FWidth, FHeight, ILC_COLOR24 | (FMasked ? ILC_MASK : 0), 0, 8);
}

void TImageList::SetSize(int Width, int Height)
{
    FWidth = Width;
    FHeight = Height;
    Make();
}

int TImageList::Count() const { return FList ? CommonImageListGetImageCount(FList) : 0; }

int TImageList::Add(const TBitmap& Bitmap, TColor Key)
{
    if (!FList || Bitmap.Empty())
        return -1;
    // One cell exactly: the system would cut a wider bitmap into several images.
    TBitmap Cell(FWidth, FHeight);
    BitBlt(Cell.DC(), 0, 0, FWidth, FHeight, Bitmap.DC(), 0, 0, SRCCOPY);
    GdiFlush();
    // The list keeps copies; the cell must not stay selected into its DC meanwhile.
    HBITMAP Copy = static_cast<HBITMAP>(CopyImage(Cell.Handle(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!Copy)
        return -1;
    const int Index =
        FMasked ? CommonImageListAddMasked(FList, Copy, ColorToRGB(Key)) : CommonImageListAdd(FList, Copy, nullptr);
    DeleteObject(Copy);
    return Index;
}

void TImageList::Draw(HDC DC, int Index, int X, int Y) const
{
    if (FList && Index >= 0 && Index < Count())
        CommonImageListDraw(FList, Index, DC, X, Y, FMasked ? ILD_TRANSPARENT : ILD_NORMAL);
}
