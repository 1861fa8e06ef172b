#pragma once

// The Win32 handles the programs hold, each closed the way its kind needs.
#include "unique_handle.h"

#include <windows.h>

// Processes, threads and files opened by CreateFile's relatives; none is null.
struct TKernelHandleTraits {
    using THandle = HANDLE;
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE H) { CloseHandle(H); }
};

// CreateFile answers INVALID_HANDLE_VALUE, not null, when it fails.
struct TFileHandleTraits {
    using THandle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE H) { CloseHandle(H); }
};

struct TFindHandleTraits {
    using THandle = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE H) { FindClose(H); }
};

// A library loaded by LoadLibrary or LoadLibraryEx.
struct TLibraryHandleTraits {
    using THandle = HMODULE;
    static HMODULE Invalid() { return nullptr; }
    static void Close(HMODULE M) { FreeLibrary(M); }
};

struct TRegKeyTraits {
    using THandle = HKEY;
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY K) { RegCloseKey(K); }
};

// A DC of one's own (CreateCompatibleDC).
struct TMemoryDCTraits {
    using THandle = HDC;
    static HDC Invalid() { return nullptr; }
    static void Close(HDC DC) { DeleteDC(DC); }
};

// A DC lent by a window (GetDC, GetWindowDC): given back to that window.
struct TWindowDCTraits {
    using THandle = HDC;
    HWND Window = nullptr;
    static HDC Invalid() { return nullptr; }
    void Close(HDC DC) const { ReleaseDC(Window, DC); }
};

// Pens, brushes, fonts, bitmaps. The owner must have taken it out of every DC first.
template <class T>
struct TGdiObjectTraits {
    using THandle = T;
    static T Invalid() { return nullptr; }
    static void Close(T Object) { DeleteObject(Object); }
};

// A COM interface pointer of one's own: released, not closed.
template <class T>
struct TComTraits {
    using THandle = T*;
    static T* Invalid() { return nullptr; }
    static void Close(T* Object) { Object->Release(); }
};

// What a DC held before something was selected into it: put back on closing.
struct TSelectionTraits {
    using THandle = HGDIOBJ;
    HDC DC = nullptr;
    static HGDIOBJ Invalid() { return nullptr; }
    void Close(HGDIOBJ Previous) const { SelectObject(DC, Previous); }
};

using TKernelHandle = TUniqueHandle<TKernelHandleTraits>;
using TFileHandle = TUniqueHandle<TFileHandleTraits>;
using TFindHandle = TUniqueHandle<TFindHandleTraits>;
using TLibraryHandle = TUniqueHandle<TLibraryHandleTraits>;
using TRegKey = TUniqueHandle<TRegKeyTraits>;
using TMemoryDC = TUniqueHandle<TMemoryDCTraits>;
using TWindowDC = TUniqueHandle<TWindowDCTraits>;
template <class T>
using TGdiObject = TUniqueHandle<TGdiObjectTraits<T>>;
using TSelection = TUniqueHandle<TSelectionTraits>;
template <class T>
using TComPtr = TUniqueHandle<TComTraits<T>>;

inline TWindowDC WindowDC(HWND Window) { return TWindowDC(GetWindowDC(Window), TWindowDCTraits{Window}); }
inline TWindowDC ClientDC(HWND Window) { return TWindowDC(GetDC(Window), TWindowDCTraits{Window}); }
// Selects Object into DC until the answer goes.
inline TSelection SelectInto(HDC DC, HGDIOBJ Object) { return TSelection(SelectObject(DC, Object), TSelectionTraits{DC}); }
