// The rules of the filtered edit box, the size-and-position dialog and the shortcut
// text, without windows.
#include "fx_edit_logic.h"
#include "set_rect_logic.h"
#include "shortcut_logic.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What typing Keys into a box of Style leaves, with the box's maximum length.
std::string Typed(TEditStyle Style, const std::string& Keys, bool BlockSC, const TCharSet& Blocked = DefaultBlockedChars())
{
    const TEditStyleRow Row = EditStyleRow(Style);
    const TCharSet Allowed = EditAllowedSet(Row.AChars);
    std::string Text;
    for (char C : Keys) {
        if (!EditAcceptsChar(Allowed, Blocked, BlockSC, static_cast<unsigned char>(C)))
            continue;
        if (C == 8) {
            if (!Text.empty())
                Text.pop_back();
        } else if (Row.MaxLength <= 0 || static_cast<int>(Text.size()) < Row.MaxLength) {
            Text += C;
        }
    }
    return Text;
}

} // namespace

TEST(FxEditLogic, IntegerBoxTakesDigitsAndItsControlCharacters)
{
    EXPECT_EQ(Typed(ES_Integer, "12-3.4x", true), "1234");
    EXPECT_EQ(Typed(ES_Integer, "1 %'2", true), "1 %'2");
    EXPECT_EQ(Typed(ES_Integer, "1234567890", true), "123456789");
    EXPECT_EQ(Typed(ES_Integer, "12\b3", true), "13");
    EXPECT_EQ(EditStyleRow(ES_Integer).BlockSC, 1);
    EXPECT_EQ(EditStyleRow(ES_String).MaxLength, -1); // kept from before
}

TEST(FxEditLogic, CharacterClassesOfTheStyles)
{
    struct {
        TEditStyle Style;
        bool BlockSC;
        const char* Keys;
        const char* Kept;
    } const Cases[] = {
        {ES_String, true, "Ab c'%-.9", "Ab c'%"},
        {ES_String, false, "a-b.c", "a-b.c"},
        {ES_AllChars, true, "\":=\\`a!|-.", "a!|"},
        {ES_AllChars, false, "x-.", "x-."},
        {ES_DirND, false, "C:\\My Dir 2-.", "C:\\My Dir 2-."},
        {ES_File, true, "abc", ""},
        {ES_None, false, "abc", ""},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(Typed(C.Style, C.Keys, C.BlockSC), C.Kept) << C.Keys;
    // Characters above 127 are in no class.
    EXPECT_FALSE(EditAllowedSet(0x3F).test(200));
}

TEST(FxEditLogic, KeysPassByTheirCodeTakenAsACharacter)
{
    const TCharSet Integer = EditAllowedSet(EditStyleRow(ES_Integer).AChars);
    EXPECT_TRUE(EditAcceptsKey(Integer, 37));  // Left, as '%'
    EXPECT_TRUE(EditAcceptsKey(Integer, 46));  // Delete, as '.'
    EXPECT_FALSE(EditAcceptsKey(Integer, 36)); // Home, as '$'
    EXPECT_FALSE(EditAcceptsKey(Integer, 'A'));
    EXPECT_TRUE(EditAcceptsKey(EditAllowedSet(EditStyleRow(ES_AllChars).AChars), 36));
    EXPECT_FALSE(EditAcceptsKey(Integer, 300));
}

TEST(FxEditLogic, PastedTextKeepsOnlyWhatTypingWouldLetThrough)
{
    const TCharSet Allowed = EditAllowedSet(EditStyleRow(ES_Integer).AChars);
    EXPECT_EQ(EditFilterPaste("12-ab.3\r\n4", Allowed, DefaultBlockedChars(), true), "1234");
    EXPECT_EQ(EditFilterPaste("12-3", Allowed, DefaultBlockedChars(), false), "12-3");
    const TCharSet Name = EditAllowedSet(EditAChar(EAC_LCLetters) | EditAChar(EAC_UCLetters) | EditAChar(EAC_Controls));
    EXPECT_EQ(EditFilterPaste("My|App 2", Name, DefaultBlockedChars(), true), "MyApp ");
}

TEST(FxEditLogic, StyleRowsAndChoosers)
{
    EXPECT_EQ(EditStyleRow(ES_Rect).Text, estZeroRect);
    EXPECT_EQ(EditStyleRow(ES_Dir).Text, estCurrentDir);
    EXPECT_EQ(EditStyleRow(ES_Time).Text, estCurrentTime);
    EXPECT_EQ(EditStyleRow(ES_None).MaxLength, 255);
    EXPECT_EQ(EditStyleRow(ES_None).BlockSC, 0);
    EXPECT_EQ(EditBrowseKind(ES_Date), ebCalendar);
    EXPECT_EQ(EditBrowseKind(ES_Memo), ebMemo);
    EXPECT_EQ(EditBrowseKind(ES_Rect), ebSetRect);
    EXPECT_EQ(EditBrowseKind(ES_Integer), ebNone);
}

TEST(FxEditLogic, CalendarGoesBelowTheBoxOrBackInsideTheParent)
{
    const TCalendarPlace Below = PlaceCalendar(10, 20, 21, 500, 500, 190, 150);
    EXPECT_EQ(Below.Left, 10);
    EXPECT_EQ(Below.Top, 43);
    const TCalendarPlace Pulled = PlaceCalendar(400, 400, 21, 500, 500, 190, 150);
    EXPECT_EQ(Pulled.Left, 500 - 190 - 30);
    EXPECT_EQ(Pulled.Top, 500 - 150 - 30);
}

TEST(FxEditLogic, ShortDatesByThePatternsOrder)
{
    TDateParts D;
    ASSERT_TRUE(ParseShortDate("5/1/2024", "M/d/yyyy", 2026, D));
    EXPECT_EQ(D.Month, 5);
    EXPECT_EQ(D.Day, 1);
    ASSERT_TRUE(ParseShortDate("29.02.24", "dd.MM.yy", 2026, D));
    EXPECT_EQ(D.Year, 2024);
    ASSERT_TRUE(ParseShortDate("3/4", "M/d/yyyy", 2026, D));
    EXPECT_EQ(D.Year, 2026);
    for (const char* Bad : {"", "13/1/2024", "2/30/2024", "1//2024", "abc", "1/2/3/4", "99999/1/1"})
        EXPECT_FALSE(ParseShortDate(Bad, "M/d/yyyy", 2026, D)) << Bad;
}

TEST(SetRectLogic, TextToFieldsAndBack)
{
    const TRectFields Default = LoadRectFields("-1,-1,490,330");
    EXPECT_TRUE(Default.LeftCenter);
    EXPECT_TRUE(Default.TopCenter);
    EXPECT_EQ(Default.Left, "0");
    EXPECT_EQ(Default.Width, "490");
    EXPECT_FALSE(Default.WidthPercent);
    EXPECT_EQ(RectFieldsText(Default), "-1,-1,490,330");
    struct {
        const char* In;
        const char* Out;
    } const Cases[] = {
        {"10,20,50%,80%", "10,20,50%,80%"},
        {"10,20,%50,8%0", "10,20,50%,80%"}, // "%" anywhere in a size
        {"", "0,0,0,0"},
        {"x,-5,abc,12", "0,0,0,12"},        // lenient: not all digits is 0
        {"1,2", "1,2,0,0"},
        {"1,2,3,4,5", "1,2,3,4"},
        {"99999999999,1,1,1", "2147483647,1,1,1"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(RectFieldsText(LoadRectFields(C.In)), C.Out) << C.In;
    EXPECT_EQ(LenientNumber(""), 0);
    EXPECT_EQ(LenientDigits(""), "");
}

TEST(SetRectLogic, PreviewScalesFitsAndClips)
{
    const TRectPreview Half = ComputeRectPreview("0,0,50%,100%", 1024, 768);
    EXPECT_EQ(Half.Screen.Right, 254);
    EXPECT_EQ(Half.Screen.Bottom, 190); // 768 * 254 / 1024 = 190.5, halves to even
    EXPECT_EQ(Half.Window.Right, 127);
    EXPECT_EQ(Half.Fill, 0x8000u);
    const TRectPreview Wide = ComputeRectPreview("-1,-1,1100,700", 1024, 768);
    EXPECT_EQ(Wide.Fill, 0xFFu);
    EXPECT_EQ(Wide.Window.Left, 0);
    EXPECT_EQ(Wide.Window.Right, Wide.Screen.Right);
    EXPECT_EQ(ComputeRectPreview("-1,-1,1000,700", 1024, 768).Fill, 0x8000u);
    const TRectPreview Off = ComputeRectPreview("5000,5000,10,10", 640, 480);
    EXPECT_LE(Off.Window.Left, Off.Window.Right);
    for (const char* S : {"1024x768", "800x600", "640x480"}) {
        std::string Size = S;
        const int W = std::stoi(Size), H = std::stoi(Size.substr(Size.find('x') + 1));
        const TRectPreview P = ComputeRectPreview("0,0,1,1", W, H);
        EXPECT_EQ(P.Screen.Right, 254) << S;
        EXPECT_EQ(P.Screen.Bottom, 190) << S;
    }
}

TEST(ShortcutLogic, FieldsWithThreeFiveAndSevenParts)
{
    const TArrayOfString Three = SplitShortcut("App|SCut to file|C:\\a.exe");
    ASSERT_EQ(Three.size(), 5u);
    EXPECT_EQ(Three[sfFile], "C:\\a.exe");
    EXPECT_EQ(Three[sfGroup], "");
    EXPECT_EQ(JoinShortcut(Three), "App|SCut to file|C:\\a.exe||");
    const std::string Five = "App|SCut to file|C:\\a.exe|Program files|Tools";
    EXPECT_EQ(JoinShortcut(SplitShortcut(Five)), Five);
    EXPECT_EQ(JoinShortcut(SplitShortcut(Five + "|x|y")), Five);
    EXPECT_EQ(NewPCShortcut("App"), "App||||");
    EXPECT_EQ(NewPocketPCShortcut("App"), "App|SCut to file||Start Menu|");
    EXPECT_EQ(ShortcutTypes(1), (std::vector<std::string>{"SCut to file"}));
    EXPECT_EQ(ShortcutDestinations(-1).size(), 3u);
}

TEST(ShortcutLogic, MarksAndTheFieldThatTakesTheFocus)
{
    TShortcutMarks M = ShortcutMarks("", "App", "", "", "");
    EXPECT_TRUE(M.Type);
    EXPECT_TRUE(M.Destination);
    EXPECT_FALSE(M.FileEnabled);
    EXPECT_EQ(FirstMarkedField(M), sfType);
    M = ShortcutMarks("SCut to file", "", "", "Program files", "");
    EXPECT_EQ(FirstMarkedField(M), sfName);
    EXPECT_TRUE(M.File);
    EXPECT_TRUE(M.Group);
    M = ShortcutMarks("SCut to uninstall", "", "", "Desktop", "");
    EXPECT_EQ(FirstMarkedField(M), -1);
    EXPECT_FALSE(M.GroupEnabled);
}

TEST(ShortcutLogic, HelpLinesAndTheShortenedFileLine)
{
    EXPECT_EQ(ShortcutHelpLines("App|SCut to file|C:\\a.exe|Desktop|"),
              (std::vector<std::string>{"Shotcut:", "Name: App", "Type: File", "File: C:\\a.exe", "Destination:Desktop"}));
    EXPECT_EQ(ShortcutHelpLines("U|SCut to uninstall||Program files|G").back(), "Programs/Group Name: G");
    const auto Width = [](const std::string& S) { return static_cast<int>(S.size()) * 5; };
    EXPECT_EQ(ShortcutFileLine("C:\\a.exe", 100, Width), "File: C:\\a.exe");
    // 40 characters in 100 of 200 pixels: k = 20 - 11 = 9, the last 10 characters.
    const std::string Long = "C:\\Program Files\\Company\\app.exe12";
    EXPECT_EQ(ShortcutFileLine(Long, 100, Width), "File: ..." + Long.substr(Long.size() - 10));
    EXPECT_EQ(ShortcutFileLine(Long, 10, Width), "File: ...");
}
