#include "fx_edit_logic.h"

namespace {

void AddRange(TCharSet& S, char From, char To)
{
    for (int C = static_cast<unsigned char>(From); C <= static_cast<unsigned char>(To); ++C)
        S.set(static_cast<std::size_t>(C));
}

void AddChars(TCharSet& S, const std::string& Chars)
{
    for (char C : Chars)
        S.set(static_cast<unsigned char>(C));
}

} // namespace

TCharSet EditAllowedSet(TEditAChars AChars)
{
    TCharSet S;
    if (AChars & EditAChar(EAC_LCLetters))
        AddRange(S, 'a', 'z');
    if (AChars & EditAChar(EAC_UCLetters))
        AddRange(S, 'A', 'Z');
    if (AChars & EditAChar(EAC_Controls)) {
        // 1 and 2 are the mouse buttons, 8 Backspace, 13 Enter; '%' ''' '-' '.' are also
        // the codes of Left, Right, Insert and Delete for the key filter.
        AddChars(S, std::string("\x01\x02\x08\x0D", 4));
        AddChars(S, " %'-.");
    }
    if (AChars & EditAChar(EAC_Numbers)) {
        S.set('.');
        AddRange(S, '0', '9');
    }
    if (AChars & EditAChar(EAC_Signs))
        AddChars(S, "!#$%&()*+,./;<>?[]^_{|}~@");
    if (AChars & EditAChar(EAC_DirND))
        AddChars(S, " :\\");
    return S;
}

TCharSet DefaultBlockedChars() { return CharSet("-."); }

TEditStyleRow EditStyleRow(TEditStyle Style)
{
    const TEditAChars N = EditAChar(EAC_Numbers), L = EditAChar(EAC_LCLetters), U = EditAChar(EAC_UCLetters),
                      S = EditAChar(EAC_Signs), C = EditAChar(EAC_Controls), D = EditAChar(EAC_DirND);
    switch (Style) {
    case ES_Date:
        return {N | C, estKeep, -1, -1};
    case ES_Time:
        return {N | C, estCurrentTime, -1, -1};
    case ES_String:
        return {L | U | C, estKeep, -1, -1};
    case ES_Dir:
        return {0, estCurrentDir, -1, -1};
    case ES_File:
        return {0, estEmpty, -1, -1};
    case ES_Integer:
        return {N | C, estKeep, 9, 1};
    case ES_Rect:
        return {0, estZeroRect, -1, -1};
    case ES_Memo:
        return {0, estEmpty, -1, -1};
    case ES_AllChars:
        return {N | L | U | S | C, estKeep, -1, -1};
    case ES_None:
        return {0, estKeep, 255, 0};
    case ES_DirND:
        return {N | L | U | C | D, estKeep, -1, -1};
    }
    return {0, estKeep, -1, -1};
}

TEditBrowse EditBrowseKind(TEditStyle Style)
{
    switch (Style) {
    case ES_Date:
        return ebCalendar;
    case ES_Dir:
        return ebSelectDir;
    case ES_File:
        return ebOpenFile;
    case ES_Rect:
        return ebSetRect;
    case ES_Memo:
        return ebMemo;
    default:
        return ebNone;
    }
}

bool EditAcceptsChar(const TCharSet& Allowed, const TCharSet& Blocked, bool BlockSC, unsigned char C)
{
    if (BlockSC && Blocked.test(C))
        return false;
    return Allowed.test(C);
}

bool EditAcceptsKey(const TCharSet& Allowed, unsigned Key) { return Key < 256 && Allowed.test(Key); }

std::string EditFilterPaste(const std::string& Text, const TCharSet& Allowed, const TCharSet& Blocked, bool BlockSC)
{
    std::string Kept;
    for (char Ch : Text) {
        const auto C = static_cast<unsigned char>(Ch);
        if (C >= 32 && EditAcceptsChar(Allowed, Blocked, BlockSC, C))
            Kept += Ch;
    }
    return Kept;
}

TCalendarPlace PlaceCalendar(int BoxLeft, int BoxTop, int BoxHeight, int ParentWidth, int ParentHeight,
                             int CalendarWidth, int CalendarHeight)
{
    TCalendarPlace P{BoxLeft, BoxTop + BoxHeight + 2};
    if (ParentWidth < P.Left + CalendarWidth)
        P.Left = ParentWidth - CalendarWidth - 30;
    if (ParentHeight < P.Top + CalendarHeight)
        P.Top = ParentHeight - CalendarHeight - 30;
    return P;
}

namespace {

bool LeapYear(int Y) { return (Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0; }

int DaysInMonth(int Y, int M)
{
    static const int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return M == 2 && LeapYear(Y) ? 29 : Days[M - 1];
}

} // namespace

bool ParseShortDate(const std::string& Text, const std::string& Pattern, int CurrentYear, TDateParts& Date)
{
    // The order of day, month and year as the pattern first names them.
    std::string Order;
    for (char C : Pattern) {
        const char K = C == 'd' ? 'd' : C == 'M' ? 'M' : C == 'y' ? 'y' : 0;
        if (K && Order.find(K) == std::string::npos)
            Order += K;
    }
    if (Order.size() != 3)
        Order = "Mdy";
    std::vector<std::string> Numbers;
    std::string Current;
    std::size_t First = Text.find_first_not_of(' '), Last = Text.find_last_not_of(' ');
    if (First == std::string::npos)
        return false;
    for (std::size_t I = First; I <= Last; ++I) {
        const char C = Text[I];
        if (C >= '0' && C <= '9') {
            Current += C;
            if (Current.size() > 4)
                return false;
            continue;
        }
        if (Current.empty())
            return false; // two separators in a row, or a leading one
        Numbers.push_back(Current);
        Current.clear();
    }
    if (Current.empty())
        return false;
    Numbers.push_back(Current);
    if (Numbers.size() < 2 || Numbers.size() > 3)
        return false;
    int Year = CurrentYear, Month = 0, Day = 0;
    bool YearTyped = false;
    std::size_t N = 0;
    for (char K : Order) {
        if (K == 'y' && Numbers.size() == 2)
            continue;
        const std::string& S = Numbers[N++];
        const int V = std::stoi(S);
        if (K == 'd')
            Day = V;
        else if (K == 'M')
            Month = V;
        else {
            Year = V;
            YearTyped = S.size() <= 2;
        }
    }
    if (YearTyped) {
        const int Century = CurrentYear - CurrentYear % 100;
        Year += Century;
        if (Year > CurrentYear + 50)
            Year -= 100;
        else if (Year <= CurrentYear - 50)
            Year += 100;
    }
    if (Year < 1 || Year > 9999 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    Date = TDateParts{Year, Month, Day};
    return true;
}
