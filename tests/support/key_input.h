#pragma once

// Keys and characters posted into the message loop, so that they take the program's
// whole keyboard road: key preview, the control's own filter, translation.
#include "gui_support.h"

#include <string>

// Posts one character message per byte of Text.
inline void PostChars(HWND W, const std::string& Text)
{
    for (char C : Text)
        PostMessageA(W, WM_CHAR, static_cast<unsigned char>(C), 1);
}

// A key as the keyboard sends it: down (translated into its character), then up.
inline void PostKey(HWND W, WORD Key, bool Alt = false)
{
    const LPARAM Down = 1 | (Alt ? (1 << 29) : 0);
    PostMessageA(W, Alt ? WM_SYSKEYDOWN : WM_KEYDOWN, Key, Down);
    PostMessageA(W, Alt ? WM_SYSKEYUP : WM_KEYUP, Key, Down | (1u << 30) | (1u << 31));
}

// Holds a modifier down in the thread's key state while a message is handled.
class TKeyHeld {
public:
    explicit TKeyHeld(int Key) : FKey(Key)
    {
        GetKeyboardState(FSaved);
        BYTE Now[256];
        GetKeyboardState(Now);
        Now[Key] |= 0x80;
        SetKeyboardState(Now);
    }
    ~TKeyHeld() { SetKeyboardState(FSaved); }
    TKeyHeld(const TKeyHeld&) = delete;
    TKeyHeld& operator=(const TKeyHeld&) = delete;

private:
    int FKey;
    BYTE FSaved[256];
};

inline void SetClipboardText(HWND Owner, const std::string& Text)
{
    if (!OpenClipboard(Owner))
        return;
    EmptyClipboard();
    HGLOBAL Memory = GlobalAlloc(GMEM_MOVEABLE, Text.size() + 1);
    if (Memory) {
        char* P = static_cast<char*>(GlobalLock(Memory));
        memcpy(P, Text.c_str(), Text.size() + 1);
        GlobalUnlock(Memory);
        SetClipboardData(CF_TEXT, Memory);
    }
    CloseClipboard();
}
