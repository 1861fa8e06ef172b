#include "ui_common_controls.h"

#include "exceptions.h"
#include "system_library.h"

namespace {

const TSystemLibrary& CommonControls()
{
    static const TSystemLibrary Library("comctl32.dll");
    return Library;
}

template <class TProc>
TProc Entry(const char* Name)
{
    return CommonControls().Entry<TProc>(Name);
}

} // namespace

void RegisterCommonControls(DWORD Classes)
{
    static DWORD Registered = 0;
    if ((Registered & Classes) == Classes)
        return;
    static const auto Proc = Entry<decltype(&InitCommonControlsEx)>("InitCommonControlsEx");
    INITCOMMONCONTROLSEX Init = {sizeof Init, Classes};
    if (!Proc(&Init))
        throw Exception("The system cannot register its common controls");
    Registered |= Classes;
}

HIMAGELIST CommonImageListCreate(int Width, int Height, UINT Flags, int Initial, int Grow)
{
    static const auto Proc = Entry<decltype(&ImageList_Create)>("ImageList_Create");
    return Proc(Width, Height, Flags, Initial, Grow);
}

BOOL CommonImageListDestroy(HIMAGELIST List)
{
    static const auto Proc = Entry<decltype(&ImageList_Destroy)>("ImageList_Destroy");
    return Proc(List);
}

int CommonImageListAdd(HIMAGELIST List, HBITMAP Image, HBITMAP Mask)
{
    static const auto Proc = Entry<decltype(&ImageList_Add)>("ImageList_Add");
    return Proc(List, Image, Mask);
}

int CommonImageListAddMasked(HIMAGELIST List, HBITMAP Image, COLORREF Key)
{
    static const auto Proc = Entry<decltype(&ImageList_AddMasked)>("ImageList_AddMasked");
    return Proc(List, Image, Key);
}

int CommonImageListGetImageCount(HIMAGELIST List)
{
    static const auto Proc = Entry<decltype(&ImageList_GetImageCount)>("ImageList_GetImageCount");
    return Proc(List);
}

BOOL CommonImageListDraw(HIMAGELIST List, int Index, HDC DC, int X, int Y, UINT Style)
{
    static const auto Proc = Entry<decltype(&ImageList_Draw)>("ImageList_Draw");
    return Proc(List, Index, DC, X, Y, Style);
}
