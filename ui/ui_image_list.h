#pragma once

#include "ui_types.h"

#include <windows.h>

class TBitmap;
#include <commctrl.h>

// A list of equal-sized pictures over the system's image list. Masked lists leave out
// the pixels of a key colour when they draw.
class TImageList {
public:
    TImageList(int Width, int Height, bool Masked = false);
    ~TImageList();
    TImageList(const TImageList&) = delete;
    TImageList& operator=(const TImageList&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // A new size empties the list.
    void SetSize(int Width, int Height);
    int Count() const;
    // Adds the top-left Width x Height cell of Bitmap; Key is the transparent colour of
    // a masked list. Answers the new index, -1 when the system refused.
    int Add(const TBitmap& Bitmap, TColor Key = clNone);
    void Draw(HDC DC, int Index, int X, int Y) const;
    HIMAGELIST Handle() const { return FList; }

private:
    void Make();

    int FWidth, FHeight;
    bool FMasked;
    HIMAGELIST FList = nullptr;
};
