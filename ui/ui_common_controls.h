#pragma once

#include <windows.h>

#include <commctrl.h>

// The system's common controls, from the comctl32.dll of its own directory, loaded on
// first use and kept until the program ends. Imported, comctl32 would be looked for
// beside the program first (it is no KnownDLL), and the installer runs from whatever
// folder its package was downloaded to. Without a manifest asking for version 6 the
// system answers version 5, whose controls take our WM_CTLCOLOR* colours.
// Each call raises Exception with the reason when the library cannot be loaded.

// The window classes of Classes (ICC_* flags), before a control of them is made.
// Raises Exception when the system refuses.
void RegisterCommonControls(DWORD Classes);

HIMAGELIST CommonImageListCreate(int Width, int Height, UINT Flags, int Initial, int Grow);
BOOL CommonImageListDestroy(HIMAGELIST List);
int CommonImageListAdd(HIMAGELIST List, HBITMAP Image, HBITMAP Mask);
int CommonImageListAddMasked(HIMAGELIST List, HBITMAP Image, COLORREF Key);
int CommonImageListGetImageCount(HIMAGELIST List);
BOOL CommonImageListDraw(HIMAGELIST List, int Index, HDC DC, int X, int Y, UINT Style);
