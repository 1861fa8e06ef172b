#pragma once

// What a form says, readable from outside the process: a test driver or a screen
// reader's plain text query gets the texts of every control of a form, windowless
// ones (labels, painted captions, list rows) included.
//
// The request: RegisterWindowMessageA(TextReportMessageName), posted (or sent) to a
// form's window with WPARAM = the asking window's handle and LPARAM = a number of the
// asker's choosing. The form answers by sending WM_COPYDATA to the asking window:
// WPARAM = the form's window, COPYDATASTRUCT.dwData = that number, lpData/cbData =
// the report below (no terminating NUL). Sent, the request returns 1 once answered.
//
// The report is text in the program's ANSI code page, one line per item, each line
// ended by LF:
//
//     BrindloTexts 1
//     Kind TAB Name TAB Window TAB Flags TAB Left TAB Top TAB Width TAB Height TAB Text
//     ...
//
// - The first item is the form itself (its caption, its client area), then every
//   control, parents before their children, in the order they were placed.
// - Kind: the control's class (TLabel, TButton, ...) or what a control says its own
//   items are (a list's rows). Name: the control's Name, often empty.
// - Window: the item's own window handle in lower-case hexadecimal, 0 for an item
//   that has no window of its own.
// - Flags: the letters that apply, in this order, or "-" for none: V shown (the item
//   and every parent up to the form are visible), E enabled (the item's own state),
//   F has the keyboard focus.
// - Left, Top, Width, Height: decimal, in the form's client coordinates, so a point
//   inside is a point to click on the form.
// - Kind, Name and Text escape "\" as "\\", TAB as "\t", LF as "\n", CR as "\r" and
//   every other byte below 32 and 127 as "\xHH" (two upper-case hex digits); all
//   other bytes stand for themselves.
#include <cstdint>
#include <string>
#include <vector>

constexpr const char* TextReportMessageName = "BrindloTextReport";
constexpr const char* TextReportHeader = "BrindloTexts 1";

struct TTextItem {
    std::string Kind;
    std::string Name;
    std::uint64_t Window = 0;
    bool Visible = true;
    bool Enabled = true;
    bool Focused = false;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::string Text;
};

std::string EncodeTextReport(const std::vector<TTextItem>& Items);
// Throws Exception, naming the line, when Report is not a report of this format.
std::vector<TTextItem> DecodeTextReport(const std::string& Report);
