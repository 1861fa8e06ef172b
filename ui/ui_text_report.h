#pragma once

#include "ui_text_report_format.h"

#include <windows.h>

#include <string>
#include <vector>

class TControl;
class TWinControl;

// The items of one form for the outside request of ui_text_report_format.h. Every
// control adds its own through TControl::DescribeTexts; a control that draws texts
// of its own (rows, cells) adds them as items of its own with AddItem.
class TTextReport {
public:
    explicit TTextReport(TWinControl& Form);

    // The control's own item: its class, Name, window, flags and bounds, and Text.
    void AddControl(TControl& Control, const std::string& Text);
    // An item drawn inside Within: Item's Left and Top are in Within's client
    // coordinates, its Visible is its own (the report adds whether Within is shown).
    void AddItem(TControl& Within, TTextItem Item);

    // The form and all its controls, parents before their children.
    void DescribeAll();
    const std::vector<TTextItem>& Items() const { return FItems; }

private:
    void DescribeChildren(TWinControl& Parent);
    POINT ClientOrigin(TControl& Control);
    bool Shown(TControl& Control);

    TWinControl& FForm;
    std::vector<TTextItem> FItems;
};

// The registered message of the request.
UINT TextReportMessage();

// Sends the report of Form to the window Asker with Number as dwData. False when
// there is nobody to answer or the answer could not be made or delivered.
bool AnswerTextRequest(TWinControl& Form, WPARAM Asker, LPARAM Number);
