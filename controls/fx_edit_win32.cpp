#include "fx_edit.h"

#include "choosers.h"
#include "clock.h"
#include "file_system.h"
#include "dialog_select_dir.h"
#include "exceptions.h"
#include "input_memo.h"
#include "set_rect_dialog.h"
#include "ui_application.h"
#include "ui_form.h"

#include <algorithm>

namespace {

std::string ShortDatePattern()
{
    char Buffer[80] = {};
    const int N = GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, Buffer, sizeof Buffer);
    return N > 0 ? std::string(Buffer) : std::string("M/d/yyyy");
}

TWinControl* FormOf(TWinControl* C)
{
    TWinControl* Top = C;
    for (TWinControl* P = C; P; P = P->Parent()) {
        Top = P;
        if (dynamic_cast<TForm*>(P))
            break;
    }
    return Top;
}

} // namespace

std::string DateToText(const SYSTEMTIME& Date)
{
    char Buffer[80] = {};
    const int N = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &Date, nullptr, Buffer, sizeof Buffer);
    return N > 0 ? std::string(Buffer) : std::string();
}

SYSTEMTIME TextToDate(const std::string& Text)
{
    SYSTEMTIME Now;
    GetLocalTime(&Now);
    TDateParts Parts;
    if (!ParseShortDate(Text, ShortDatePattern(), Now.wYear, Parts))
        throw EConvertError("'" + Text + "' is not a valid date");
    SYSTEMTIME T = {};
    T.wYear = static_cast<WORD>(Parts.Year);
    T.wMonth = static_cast<WORD>(Parts.Month);
    T.wDay = static_cast<WORD>(Parts.Day);
    return T;
}

CFxEdit::CFxEdit(TComponent* AOwner) : TEdit(AOwner)
{
    FBlocked = DefaultBlockedChars();
    FStyle = ES_Date; // so that the writer below sees a change and applies the row
    SetStyle(ES_String);
    Edited = false;
    OnDblClick = [this](TObject*) { Browse(); };
}

CFxEdit::~CFxEdit()
{
    // The box owns its calendar; when the calendar's window went first (its parent was
    // freed), it has left the box's components already.
    const auto& Owned = Components();
    if (FCalendar && std::find(Owned.begin(), Owned.end(), FCalendar) != Owned.end()) {
        FCalendar->OnExit = nullptr;
        FCalendar->OnKeyDown = nullptr;
    }
    FCalendar = nullptr;
}

void CFxEdit::SetStyle(TEditStyle Value)
{
    Edited = Edited || Value != FStyle;
    FStyle = Value;
    ExData.clear();
    const TEditStyleRow Row = EditStyleRow(Value);
    SetAChars(Row.AChars);
    switch (Row.Text) {
    case estCurrentTime:
        SetText(LongTimeText(CurrentTime()));
        break;
    case estCurrentDir:
        SetText(CurrentDirectory());
        break;
    case estEmpty:
        SetText("");
        break;
    case estZeroRect:
        SetText("0,0,0,0");
        break;
    case estKeep:
        break;
    }
    if (Row.MaxLength >= 0)
        SetMaxLength(Row.MaxLength);
    if (Row.BlockSC >= 0)
        BlockSC = Row.BlockSC != 0;
    NoContextMenu = Value != ES_AllChars;
}

void CFxEdit::SetAChars(TEditAChars Value)
{
    FAChars = Value;
    FAllowed = EditAllowedSet(Value);
}

void CFxEdit::PasteFiltered()
{
    if (!OpenClipboard(Handle()))
        return;
    std::string Text;
    if (HANDLE Data = GetClipboardData(CF_TEXT)) {
        if (const char* P = static_cast<const char*>(GlobalLock(Data))) {
            Text = P;
            GlobalUnlock(Data);
        }
    }
    CloseClipboard();
    const std::string Kept = EditFilterPaste(Text, FAllowed, FBlocked, BlockSC);
    if (Kept.empty())
        return;
    ReplaceSelection(Kept);
    Edited = true;
}

LRESULT CFxEdit::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_CHAR: {
        const auto C = static_cast<unsigned char>(WParam);
        // Enter and Escape never reach the text; the handler may free the box.
        if (C == 13) {
            if (OnReturn)
                OnReturn(this);
            return 0;
        }
        if (C == 27) {
            if (OnEscape)
                OnEscape(this);
            return 0;
        }
        if (WParam > 255 || !EditAcceptsChar(FAllowed, FBlocked, BlockSC, C))
            return 0;
        Edited = true;
        break;
    }
    case WM_KEYDOWN: {
        const bool Ctrl = GetKeyState(VK_CONTROL) < 0, Shift = GetKeyState(VK_SHIFT) < 0;
        // Pasting by key goes through the filter like any other paste.
        if ((Ctrl && WParam == 'V') || (Shift && WParam == VK_INSERT)) {
            PasteFiltered();
            return 0;
        }
        if (!EditAcceptsKey(FAllowed, static_cast<unsigned>(WParam)))
            return 0;
        Edited = true;
        break;
    }
    case WM_PASTE:
        PasteFiltered();
        return 0;
    default:
        break;
    }
    return TEdit::WndProc(Msg, WParam, LParam);
}

void CFxEdit::Browse()
{
    if (FSkip) {
        FSkip = false;
        return;
    }
    switch (EditBrowseKind(FStyle)) {
    case ebCalendar:
        ShowCalendar();
        break;
    case ebSelectDir: {
        std::string Dir = Text();
        if (DialogSelectDir(Dir, "Select directory", true, HKey_DirFile, Scheme))
            SetText(Dir);
        break;
    }
    case ebOpenFile: {
        std::string Answer;
        DialogOpenFile(CurrentDirectory(), ExData, DlgStyle, HKey_DirFile, Answer);
        if (!Answer.empty()) {
            Edited = Edited || Answer != Text();
            SetText(Answer);
        }
        break;
    }
    case ebSetRect: {
        std::string Answer;
        DialogSetRect(Text(), Scheme, Answer);
        SetText(Answer);
        break;
    }
    case ebMemo: {
        std::string Answer;
        DialogInputMemo(ExData, Text(), Scheme, Answer);
        SetText(Answer);
        break;
    }
    case ebNone:
        break;
    }
}

void CFxEdit::ShowCalendar()
{
    TWinControl* Host = OwnerCtrl ? OwnerCtrl : FormOf(this);
    if (!FCalendar) {
        FCalendar = new TMonthCalendar(this);
        FCalendar->SetVisible(false);
        FCalendar->SetParent(Host);
        FCalendar->OnExit = [this](TObject*) { CalendarExit(); };
        FCalendar->OnKeyDown = [this](TObject*, WORD& Key, TShiftState) {
            HideCalendar();
            Key = 0;
        };
        const SIZE S = FCalendar->MinimumSize();
        if (S.cx > 0 && S.cy > 0)
            FCalendar->SetBounds(0, 0, S.cx, S.cy);
    }
    const int PW = Parent() ? Parent()->Width() : 0, PH = Parent() ? Parent()->Height() : 0;
    const TCalendarPlace P =
        PlaceCalendar(Left(), Top(), Height(), PW, PH, FCalendar->Width(), FCalendar->Height());
    FCalendar->SetBounds(P.Left, P.Top, FCalendar->Width(), FCalendar->Height());
    if (!Text().empty())
        FCalendar->SetDate(TextToDate(Text())); // raises before anything shows
    FCalendar->SetVisible(true);
    SetWindowPos(FCalendar->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    FCalendar->SetFocus();
}

void CFxEdit::HideCalendar()
{
    if (!FCalendar)
        return;
    const bool HadFocus = FCalendar->Focused();
    FCalendar->SetVisible(false);
    // Hiding moves the focus; when the system left it nowhere, the box takes it.
    if (HadFocus && (GetFocus() == nullptr || GetFocus() == FCalendar->Handle()))
        SetFocus();
}

void CFxEdit::CalendarExit()
{
    if (!FCalendar)
        return;
    SetText(DateToText(FCalendar->Date()));
    FCalendar->SetVisible(false);
    POINT P;
    if (HandleAllocated() && GetCursorPos(&P)) {
        RECT R;
        GetWindowRect(Handle(), &R);
        if (PtInRect(&R, P))
            FSkip = true;
    }
}
