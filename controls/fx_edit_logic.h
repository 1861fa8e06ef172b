#pragma once

#include "string_helpers.h"

#include <string>
#include <vector>

// The filtered edit box's rules apart from any window: its styles, character classes,
// the typed-character and key filters, and where its calendar goes.

enum TEditStyle { ES_Date, ES_Time, ES_String, ES_Dir, ES_File, ES_Integer, ES_Rect, ES_Memo, ES_AllChars, ES_None,
                  ES_DirND };

enum TEditAChar { EAC_Numbers, EAC_LCLetters, EAC_UCLetters, EAC_Signs, EAC_Controls, EAC_DirND };
// A set of TEditAChar, bit n for member n.
using TEditAChars = unsigned;
constexpr TEditAChars EditAChar(TEditAChar C) { return 1u << C; }

// The characters of the classes in AChars.
TCharSet EditAllowedSet(TEditAChars AChars);
// "-" and ".", what a new box blocks.
TCharSet DefaultBlockedChars();

// What the writer of Style sets besides the style itself.
enum TEditStyleText { estKeep, estCurrentTime, estCurrentDir, estEmpty, estZeroRect };
struct TEditStyleRow {
    TEditAChars AChars;
    TEditStyleText Text;
    int MaxLength;   // -1: kept
    int BlockSC;     // -1: kept, else 0 or 1
};
TEditStyleRow EditStyleRow(TEditStyle Style);

// The chooser a style's browse opens.
enum TEditBrowse { ebNone, ebCalendar, ebSelectDir, ebOpenFile, ebSetRect, ebMemo };
TEditBrowse EditBrowseKind(TEditStyle Style);

// A typed character reaches the text: not blocked (while BlockSC) and allowed.
bool EditAcceptsChar(const TCharSet& Allowed, const TCharSet& Blocked, bool BlockSC, unsigned char C);
// A key reaches the box when its virtual-key code, taken as a character, is allowed.
bool EditAcceptsKey(const TCharSet& Allowed, unsigned Key);
// The characters of a pasted text that typing would let through; control codes never.
std::string EditFilterPaste(const std::string& Text, const TCharSet& Allowed, const TCharSet& Blocked, bool BlockSC);

// The calendar's top-left corner: below the box, pulled back 30 pixels inside a
// parent too small to hold it.
struct TCalendarPlace {
    int Left, Top;
};
TCalendarPlace PlaceCalendar(int BoxLeft, int BoxTop, int BoxHeight, int ParentWidth, int ParentHeight,
                             int CalendarWidth, int CalendarHeight);

// A date typed as the short date Pattern orders it ("M/d/yyyy", "dd.MM.yyyy", ...): two
// or three numbers split by anything but digits; without a year the current one; a
// two-digit year lies within 50 years of CurrentYear. False for anything that is no
// real calendar day.
struct TDateParts {
    int Year = 0, Month = 0, Day = 0;
};
bool ParseShortDate(const std::string& Text, const std::string& Pattern, int CurrentYear, TDateParts& Date);
