// The driver on a program of our own run as a separate process: driven_form.exe is
// started, its windows found, its texts read through the text report, clicked,
// typed into, its dialogs answered, photographed and ended with its exit code.
#include "driver.h"
#include "gui_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string DrivenForm() { return BesideThisProgram("driven_form.exe"); }

class DriverTest : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& Args = {}, const std::string& Dir = "",
               const std::vector<std::pair<std::string, std::string>>& Environment = {})
    {
        Process = std::make_unique<TDrivenProcess>(
            TDrivenProcess::Start({DrivenForm(), Args, Dir, Environment, ""}));
        Main = WaitTopWindow(Process->Id(), {"", "Driven form"});
        // The form answers once its loop runs.
        WaitItem(Main, {"TLabel", "Status", "Ready"});
    }

    std::string Status() { return ItemOf(ReadTexts(Main), {"TLabel", "Status"}).Text; }
    void WaitStatus(const std::string& Text) { WaitItem(Main, {"TLabel", "Status", Text}); }
    HWND Window(const std::string& Name)
    {
        const TTextItem& I = ItemOf(ReadTexts(Main), {"", Name});
        return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(I.Window));
    }

    std::unique_ptr<TDrivenProcess> Process;
    HWND Main = nullptr;
};

} // namespace

TEST_F(DriverTest, StartsWithArgumentsDirectoryAndEnvironmentAndReadsTheExitCode)
{
    const std::string Dir = ScratchDir();
    Start({"plain", "with blank", "quote\"inside", "ends\\", "", "--exit-code", "7"}, Dir, {{"BRINDLO_DRIVEN", "from the test"}});
    const std::vector<TTextItem> Items = ReadTexts(Main);
    EXPECT_EQ(ItemOf(Items, {"TLabel", "Args"}).Text, "Args: plain|with blank|quote\"inside|ends\\|");
    EXPECT_EQ(ItemOf(Items, {"TLabel", "Dir"}).Text, "Dir: " + Dir);
    EXPECT_EQ(ItemOf(Items, {"TLabel", "Env"}).Text, "Env: from the test");
    EXPECT_TRUE(Process->Running());
    PostClose(Main);
    EXPECT_EQ(Process->WaitExit(), 7u);
    EXPECT_FALSE(Process->Running());
}

TEST_F(DriverTest, ReadsEveryTextOfTheFormWindowlessOnesIncluded)
{
    Start();
    const std::vector<TTextItem> Items = ReadTexts(Main);
    ASSERT_FALSE(Items.empty());
    // The form first, with its caption and client area.
    EXPECT_EQ(Items[0].Kind, "TForm");
    EXPECT_EQ(Items[0].Name, "DrivenForm");
    EXPECT_EQ(Items[0].Text, "Driven form");
    EXPECT_EQ(Items[0].Window, reinterpret_cast<std::uintptr_t>(Main));
    EXPECT_EQ(Items[0].Width, 420);
    EXPECT_EQ(Items[0].Height, 260);
    // A label has no window of its own, yet it is there with its bounds.
    const TTextItem& Status = ItemOf(Items, {"TLabel", "Status"});
    EXPECT_EQ(Status.Window, 0u);
    EXPECT_EQ(Status.Left, 10);
    EXPECT_EQ(Status.Top, 10);
    EXPECT_GT(Status.Width, 0);
    const TTextItem& Greet = ItemOf(Items, {"TButton", "GreetButton"});
    EXPECT_EQ(Greet.Text, "Greet");
    EXPECT_NE(Greet.Window, 0u);
    EXPECT_TRUE(Greet.Enabled);
    EXPECT_FALSE(ItemOf(Items, {"TButton", "DisabledButton"}).Enabled);
    // A custom-painted control with its caption, and the items it draws itself in
    // the form's coordinates.
    const TTextItem& Tile = ItemOf(Items, {"TTile", "Tile", "Tile"});
    EXPECT_EQ(Tile.Left, 10);
    EXPECT_EQ(Tile.Top, 125);
    const TTextItem& Right = ItemOf(Items, {"TTileHalf", "Right"});
    EXPECT_EQ(Right.Text, "Right 0");
    EXPECT_EQ(Right.Left, 110);
    EXPECT_EQ(Right.Top, 125);
    EXPECT_EQ(Right.Width, 100);
    EXPECT_EQ(Right.Window, 0u);
    // The edit's text comes from its window.
    EXPECT_EQ(ItemOf(Items, {"TDrivenEdit", "NameEdit"}).Text, "");
    EXPECT_EQ(ClassNameOf(Window("NameEdit")), "Edit");
}

TEST_F(DriverTest, ClicksButtonsAndPaintedItemsAndTypes)
{
    Start();
    const HWND Edit = Window("NameEdit");
    PostChars(Edit, "Ann Lex");
    WaitItem(Main, {"TDrivenEdit", "NameEdit", "Ann Lex"});
    // Posted keys are translated by the program's own loop: Back and a letter.
    PostKey(Edit, VK_BACK);
    PostKey(Edit, 'E');
    WaitItem(Main, {"TDrivenEdit", "NameEdit", "Ann Lee"});
    ClickItem(Main, ItemOf(ReadTexts(Main), {"TButton", "", "Greet"}));
    WaitStatus("Hello, Ann Lee");

    // A posted click at the centre of an item the tile draws itself.
    ClickItem(Main, ItemOf(ReadTexts(Main), {"TTileHalf", "Right"}));
    WaitStatus("Right clicked");
    EXPECT_EQ(ItemOf(ReadTexts(Main), {"TTileHalf", "Right"}).Text, "Right 1");
    EXPECT_EQ(ItemOf(ReadTexts(Main), {"TTileHalf", "Left"}).Text, "Left 0");

    // A key through the program's own key pipeline (the form's key preview).
    PostKey(Edit, VK_F5);
    WaitStatus("F5 pressed");
    // Ctrl+S needs the keyboard state: the real keyboard.
    PressKeys(Main, {VK_CONTROL, 'S'});
    WaitStatus("Ctrl+S pressed");

    // The real keyboard into the edit, capitals included, after a click into it.
    SetEditText(Edit, "");
    const TTextItem& EditItem = ItemOf(ReadTexts(Main), {"TDrivenEdit", "NameEdit"});
    ClickAt(Main, EditItem.Left + 5, EditItem.Top + 5);
    WaitFor([&] { return ItemOf(ReadTexts(Main), {"TDrivenEdit", "NameEdit"}).Focused; }, DriverWaitMs,
            "the edit to take the focus");
    TypeOnKeyboard(Main, "Mixed Case!");
    WaitItem(Main, {"TDrivenEdit", "NameEdit", "Mixed Case!"});
    PostClose(Main);
    EXPECT_EQ(Process->WaitExit(), 0u);
}

TEST_F(DriverTest, ReadsAndAnswersOurMessageDialog)
{
    Start();
    ClickItem(Main, ItemOf(ReadTexts(Main), {"", "AskButton"}));
    const HWND Box = WaitTopWindow(Process->Id(), {"", "Question", true, {Main}});
    const std::vector<TTextItem> Items = ReadTexts(Box);
    EXPECT_EQ(ItemOf(Items, {"TForm", "MsgDlg"}).Text, "Question");
    EXPECT_EQ(ItemOf(Items, {"TLabel", "TextLabel"}).Text, "Shall we go on?");
    EXPECT_EQ(FindItem(Items, {"TLabel", "ShadowLabel"}), nullptr) << "the shadow is hidden";
    EXPECT_EQ(ItemOf(Items, {"TQelButton", "Button0"}).Text, "Yes");
    EXPECT_EQ(ItemOf(Items, {"TQelButton", "Button1"}).Text, "No");
    PhotographWindow(Box, ScreenshotPath("driver_message_dialog.png"));
    // The main form waits behind the dialog, disabled, and still answers.
    EXPECT_FALSE(IsWindowEnabled(Main));
    EXPECT_EQ(Status(), "Ready");
    ClickItem(Box, ItemOf(Items, {"", "", "No"}));
    WaitWindowGone(Box);
    WaitStatus("Answer 1");
}

TEST_F(DriverTest, AnswersTheSystemsDialogs)
{
    const std::string Dir = ScratchDir();
    WriteWholeFile(Dir + "\\notes.txt", "some notes");
    Start({}, Dir);

    ClickItem(Main, ItemOf(ReadTexts(Main), {"", "BoxButton"}));
    HWND Box = WaitTopWindow(Process->Id(), {"#32770", "System", true, {Main}});
    const std::vector<std::string> Texts = DialogTexts(Box);
    EXPECT_NE(std::find(Texts.begin(), Texts.end(), "Plain system message"), Texts.end()) << ::testing::PrintToString(Texts);
    PhotographWindow(Box, ScreenshotPath("driver_system_message_box.png"));
    ClickDialogButton(Box, "Cancel");
    WaitWindowGone(Box);
    WaitStatus("Box Cancel");

    ClickItem(Main, ItemOf(ReadTexts(Main), {"", "OpenButton"}));
    const HWND Chooser = WaitTopWindow(Process->Id(), {"#32770", "", true, {Main}});
    PhotographWindow(Chooser, ScreenshotPath("driver_system_open_dialog.png"));
    AnswerFileDialog(Chooser, "notes.txt");
    WaitWindowGone(Chooser);
    WaitStatus("Opened " + Dir + "\\notes.txt");
}

TEST_F(DriverTest, PhotographsTheWindowOfAnotherProcess)
{
    Start();
    ClickItem(Main, ItemOf(ReadTexts(Main), {"TTileHalf", "Left"}));
    WaitStatus("Left clicked");
    WaitItem(Main, {"TTileHalf", "Left", "Left 1"});
    const std::string Path = ScreenshotPath("driver_driven_form.png");
    std::filesystem::remove(Path);
    const TScreenshot Shot = PhotographWindow(
        Main, Path, [&](const TScreenshot& S) { return ShotPixel(S, Main, 15, 130) == 0x008000u; },
        "the clicked half green");
    RECT Outer;
    GetWindowRect(Main, &Outer);
    EXPECT_EQ(Shot.Width, Outer.right - Outer.left);
    EXPECT_EQ(Shot.Height, Outer.bottom - Outer.top);
    // The clicked half green, the other still red, the form's face around them.
    EXPECT_EQ(ShotPixel(Shot, Main, 15, 130), 0x008000u);
    EXPECT_EQ(ShotPixel(Shot, Main, 205, 180), 0x0000FFu);
    const COLORREF Face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ShotPixel(Shot, Main, 415, 255), static_cast<std::uint32_t>(Face));
    EXPECT_EQ(ReadWholeFile(Path).substr(0, 8), "\x89PNG\r\n\x1a\n");
}

TEST_F(DriverTest, EveryWaitHasALimitAndFailsClearly)
{
    Start();
    const auto ThrowsSaying = [](const std::function<void()>& Step, const std::string& Part) {
        try {
            Step();
        } catch (const EDriverError& E) {
            EXPECT_NE(std::string(E.what()).find(Part), std::string::npos) << E.what();
            return;
        }
        ADD_FAILURE() << "no EDriverError saying " << Part;
    };
    ThrowsSaying([&] { WaitTopWindow(Process->Id(), {"", "No such window"}, 200); },
                 "Timed out after 200 ms waiting for a window captioned \"No such window\"");
    ThrowsSaying([&] { WaitItem(Main, {"TLabel", "Status", "Never"}, 200); }, "saying \"Never\"");
    ThrowsSaying([&] { (void)ItemOf(ReadTexts(Main), {"", "NoSuchControl"}); }, "TLabel Status");
    // A window that is not one of our forms does not answer.
    ThrowsSaying([&] { ReadTexts(Window("NameEdit"), 300); }, "is it one of our forms?");
    ThrowsSaying([&] { Process->WaitExit(200); }, "driven_form.exe to end");
    ThrowsSaying([&] { ClickItem(Main, ItemOf(ReadTexts(Main), {"", "DisabledButton"})); }, "is disabled");
    ThrowsSaying([&] { TDrivenProcess::Start({DrivenForm() + ".missing", {}, "", {}, ""}); }, "Cannot start");

    // A program still running when its object goes is ended.
    const DWORD Id = Process->Id();
    Process.reset();
    HANDLE Gone = OpenProcess(SYNCHRONIZE, FALSE, Id);
    if (Gone) {
        EXPECT_EQ(WaitForSingleObject(Gone, 0), WAIT_OBJECT_0);
        CloseHandle(Gone);
    }
}

TEST(DriverConsole, DrivesAProgramStepByStepForScripts)
{
    const std::string Dir = ScratchDir();
    const std::string Driver = BesideThisProgram("..\\support\\driver.exe");
    int Step = 0;
    const auto Begin = [&](const std::vector<std::string>& Args, std::string& Out) {
        Out = Dir + "\\step" + std::to_string(++Step) + ".txt";
        return TDrivenProcess::Start({Driver, Args, "", {}, Out});
    };
    const auto Finish = [&](TDrivenProcess& P, const std::string& Out, DWORD Expected) {
        EXPECT_EQ(P.WaitExit(), Expected) << ReadWholeFile(Out);
        std::string Text = ReadWholeFile(Out);
        while (!Text.empty() && (Text.back() == '\n' || Text.back() == '\r'))
            Text.pop_back();
        return Text;
    };
    const auto Run = [&](const std::vector<std::string>& Args, DWORD Expected = 0) {
        std::string Out;
        TDrivenProcess P = Begin(Args, Out);
        return Finish(P, Out, Expected);
    };
    const std::string Pid = Run({"start", "--cwd", Dir, DrivenForm(), "--exit-code", "5"});
    ASSERT_FALSE(Pid.empty());
    TDrivenProcess Started = TDrivenProcess::Open(static_cast<DWORD>(std::stoul(Pid)));
    struct TEnd {
        TDrivenProcess& P;
        ~TEnd()
        {
            try {
                P.Kill();
            } catch (...) {
                // Reported by the failing step already.
            }
        }
    } End{Started};
    const std::string Form = Run({"wait-window", Pid, "--caption", "Driven form"});
    ASSERT_EQ(Form.rfind("0x", 0), 0u) << Form;
    const std::string Report = Run({"texts", Form});
    EXPECT_EQ(Report.rfind("BrindloTexts 1\nTForm\tDrivenForm\t", 0), 0u) << Report;
    EXPECT_NE(Report.find("TLabel\tDir\t0\tVE\t"), std::string::npos) << Report;
    Run({"type", Form, "x"}); // posted to the form itself: harmless
    Run({"click", Form, "--name", "Tile"}); // the tile's centre is its right half
    EXPECT_NE(Run({"texts", Form}).find("Right 1"), std::string::npos);
    Run({"screenshot", Form, ScreenshotPath("driver_console.png")});
    EXPECT_EQ(ReadWholeFile(ScreenshotPath("driver_console.png")).substr(1, 3), "PNG");
    EXPECT_NE(Run({"click", Form, "--name", "Nothing"}, 1).find("No item named \"Nothing\""), std::string::npos);
    EXPECT_NE(Run({"frobnicate"}, 2).find("unknown command"), std::string::npos);
    // The wait is started before the step that ends the program. Which of the two the
    // system gets to first is its choice: Started's handle keeps the ended process
    // known, so the wait finds it either way.
    std::string WaitOut;
    TDrivenProcess Wait = Begin({"wait-exit", Pid}, WaitOut);
    Run({"click", Form, "--text", "Quit"});
    EXPECT_EQ(Finish(Wait, WaitOut, 0), "5");
}

