#pragma once

#include "driver_error.h"
#include "ui_text_report_format.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Reading what a form of ours says through its text report (ui_text_report_format.h).

// Asks Form for its report and waits for the answer; throws EDriverError when none
// comes within TimeoutMs (the window is not one of our forms, or its program hangs)
// or the answer is not a report.
std::vector<TTextItem> ReadTexts(HWND Form, DWORD TimeoutMs = DriverWaitMs);

// Which item: an empty field matches anything.
struct TItemQuery {
    TItemQuery(std::string AKind = "", std::string AName = "", std::string AText = "", bool AVisibleOnly = true)
        : Kind(std::move(AKind)), Name(std::move(AName)), Text(std::move(AText)), VisibleOnly(AVisibleOnly)
    {
    }
    std::string Kind; // "TLabel", "TButton", ...
    std::string Name;
    std::string Text;
    bool VisibleOnly = true;
};

// The first match, or null.
const TTextItem* FindItem(const std::vector<TTextItem>& Items, const TItemQuery& Query);
// The first match; throws EDriverError listing the items when there is none.
const TTextItem& ItemOf(const std::vector<TTextItem>& Items, const TItemQuery& Query);
// Reads the texts again until an item matches.
TTextItem WaitItem(HWND Form, const TItemQuery& Query, DWORD TimeoutMs = DriverWaitMs);

// Clicks an item: a button's own window gets BM_CLICK, anything else a posted left
// click at the centre of its bounds.
void ClickItem(HWND Form, const TTextItem& Item);

// One line per item, for failure messages.
std::string ListItems(const std::vector<TTextItem>& Items);
