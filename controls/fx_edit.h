#pragma once

#include "color_scheme.h"
#include "fx_edit_logic.h"
#include "choosers.h"
#include "string_list.h"
#include "ui_edit.h"
#include "ui_month_calendar.h"

#include <memory>
#include <string>

// The kit's one-line text box: a style fixes what may be typed and what the box
// holds at first; an allowed and a blocked character set filter typing, keys and
// pasting; Enter and Escape go to OnReturn and OnEscape instead of the text; Browse
// (also a double click) opens the style's chooser and puts its answer into the text.
class CFxEdit : public TEdit {
public:
    explicit CFxEdit(TComponent* AOwner);
    ~CFxEdit() override;

    TEditStyle Style() const { return FStyle; }
    void SetStyle(TEditStyle Value);
    TEditAChars AChars() const { return FAChars; }
    void SetAChars(TEditAChars Value);
    void SetBlockedChars(const TCharSet& Set) { FBlocked = Set; }
    const TCharSet& BlockedChars() const { return FBlocked; }
    const TCharSet& AllowedChars() const { return FAllowed; }
    // Replaces the style's set until the style or its classes are set again.
    void SetAllowedChars(const TCharSet& Set) { FAllowed = Set; }

    // The file filter of ES_File, the dialog caption of ES_Memo.
    std::string ExData;
    // Where the calendar goes; null: the form the box lies on. Not the program's main
    // window: a box on a modal dialog would put its calendar on a window the dialog
    // keeps disabled, and the calendar is placed from the box's own coordinates.
    TWinControl* OwnerCtrl = nullptr;
    TObject* Data = nullptr;
    bool Edited = false;
    DLG_Style DlgStyle = DLG_File;
    TNotifyEvent OnReturn;
    TNotifyEvent OnEscape;
    bool BlockSC = true;
    std::string HKey_DirFile;
    const ColorScheme* Scheme = nullptr;

    void Browse();
    // The calendar of an ES_Date box once it was first shown, else null.
    TMonthCalendar* Calendar() const { return FCalendar; }
    bool SkipNextBrowse() const { return FSkip; }

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

private:
    void PasteFiltered();
    void ShowCalendar();
    void HideCalendar();
    void CalendarExit();

    TEditStyle FStyle = ES_String;
    TEditAChars FAChars = 0;
    TCharSet FAllowed;
    TCharSet FBlocked;
    TMonthCalendar* FCalendar = nullptr;
    bool FSkip = false;
};

// The short date text of a calendar day, and a typed date read back; an unreadable
// text raises EConvertError.
std::string DateToText(const SYSTEMTIME& Date);
SYSTEMTIME TextToDate(const std::string& Text);
