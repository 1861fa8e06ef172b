#pragma once

#include "driver_error.h"
#include "screenshot.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Finding and driving the windows of another process from outside, the way a user
// meets them: every message is posted (a click that opens a modal window must not
// block the driver), every wait has a limit.

// Which top-level windows: an empty field matches anything.
struct TWindowQuery {
    TWindowQuery(std::string AClassName = "", std::string ACaption = "", bool AVisibleOnly = true,
                 std::vector<HWND> AExcept = {})
        : ClassName(std::move(AClassName)), Caption(std::move(ACaption)), VisibleOnly(AVisibleOnly),
          Except(std::move(AExcept))
    {
    }
    std::string ClassName; // compared without case ("#32770" for system dialogs)
    std::string Caption;   // the whole caption
    bool VisibleOnly = true;
    std::vector<HWND> Except; // windows seen before: "a new one"
};

std::vector<HWND> TopWindows(DWORD ProcessId, const TWindowQuery& Query = {});
// The first match, or null.
HWND FindTopWindow(DWORD ProcessId, const TWindowQuery& Query);
// The first match; throws EDriverError when none comes within TimeoutMs.
HWND WaitTopWindow(DWORD ProcessId, const TWindowQuery& Query, DWORD TimeoutMs = DriverWaitMs);
// Until the window is destroyed or hidden.
void WaitWindowGone(HWND Window, DWORD TimeoutMs = DriverWaitMs);

// Which child windows (at any depth): an empty field matches anything.
struct TChildQuery {
    TChildQuery(std::string AClassName = "", std::string AText = "", int AControlId = -1, bool AVisibleOnly = true)
        : ClassName(std::move(AClassName)), Text(std::move(AText)), ControlId(AControlId), VisibleOnly(AVisibleOnly)
    {
    }
    std::string ClassName; // without case: "Button", "Edit", "Static"
    std::string Text;      // the whole text, "&" mnemonics left out on both sides
    int ControlId = -1;    // -1: any
    bool VisibleOnly = true;
};

std::vector<HWND> ChildWindows(HWND Parent, const TChildQuery& Query = {});
HWND FindChild(HWND Parent, const TChildQuery& Query);
HWND WaitChild(HWND Parent, const TChildQuery& Query, DWORD TimeoutMs = DriverWaitMs);

std::string ClassNameOf(HWND Window);
// The text as the window's own procedure gives it (an edit's typed text included).
std::string TextOf(HWND Window);
// Texts of the visible children of a system dialog (MessageBoxA: the message and
// the buttons), in window order.
std::vector<std::string> DialogTexts(HWND Dialog);

// --- input ------------------------------------------------------------------
// A push button's click, posted (BM_CLICK).
void ClickButton(HWND Button);
// Clicks the button of Dialog whose text is Text ("&" left out): "OK", "Yes", "Open".
void ClickDialogButton(HWND Dialog, const std::string& Text);
// A left press and release posted at the client point of Window itself, positions in
// lParam as a real click brings them; the pointer is moved to that point first.
void ClickClient(HWND Window, int X, int Y);
// The same at a client point of a top-level window, posted to the deepest visible
// child window under that point (the texts' bounds are in these coordinates).
void ClickAt(HWND TopWindow, int X, int Y);
// Key down and up posted to Window; the program's own translation makes the
// character of a key that has one (Enter, Escape, Tab, Back, letters in lower case).
void PostKey(HWND Window, WORD VirtualKey);
// One WM_CHAR per character, posted: text typed into an edit, any case.
void PostChars(HWND Window, const std::string& Text);
// The real keyboard (SendInput) after bringing TopWindow to the front: for keys
// whose meaning depends on the keyboard state (Shift, Ctrl shortcuts). Keys are
// pressed in order and released in reverse, so {VK_CONTROL, 'S'} is Ctrl+S.
void PressKeys(HWND TopWindow, const std::vector<WORD>& Keys);
// Types Text on the real keyboard into the focused control of TopWindow.
void TypeOnKeyboard(HWND TopWindow, const std::string& Text);
// Answers an open or save dialog of the system: the file name box gets FileName,
// then its OK button is clicked.
void AnswerFileDialog(HWND Dialog, const std::string& FileName);
// An edit's whole text (WM_SETTEXT; the edit tells its parent as typing would).
void SetEditText(HWND Edit, const std::string& Text);
// Asks the window to close (WM_CLOSE, posted), as the close box does.
void PostClose(HWND Window);

// Until the thread of Window has handled everything sent to it so far and no window
// of Window's tree waits to be painted: what it shows is then what it drew.
void WaitPainted(HWND Window, DWORD TimeoutMs = DriverWaitMs);

// --- pictures ---------------------------------------------------------------
// The window's pixels as the screen shows them (a window in front of it included),
// once it has painted, written to PngPath as well. Under Xvfb without a window
// manager nobody draws a caption or frame: those stay black.
TScreenshot PhotographWindow(HWND Window, const std::string& PngPath);
// The same, taken again until the picture Shows what is awaited (What): under Wine the
// display gets a window's drawing only when the program's thread next waits.
TScreenshot PhotographWindow(HWND Window, const std::string& PngPath,
                             const std::function<bool(const TScreenshot&)>& Shows, const std::string& What,
                             DWORD TimeoutMs = DriverWaitMs);
