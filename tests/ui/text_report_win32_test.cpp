// The text report on real windows, in one process: the registered request answered
// with WM_COPYDATA, windowless and nested controls in the form's coordinates, the
// items a control draws itself, and the driver's reader on the same form.
#include "driver_texts.h"
#include "gui_support.h"
#include "ui_button.h"
#include "ui_form.h"
#include "ui_label.h"
#include "ui_panel.h"
#include "ui_text_report.h"

#include <memory>

namespace {

// A panel that paints rows of its own, each reported as an item.
class TRowsPanel : public TPanel {
public:
    using TPanel::TPanel;
    void DescribeTexts(TTextReport& Report) override
    {
        TPanel::DescribeTexts(Report);
        for (int Row = 0; Row < 2; ++Row) {
            TTextItem I;
            I.Kind = "TRow";
            I.Left = 4;
            I.Top = 4 + Row * 20;
            I.Width = Width() - 8;
            I.Height = 18;
            I.Enabled = Row == 0;
            I.Text = Row == 0 ? "One" : "Two\tcolumns";
            Report.AddItem(*this, I);
        }
    }
};

struct TReceived {
    HWND From = nullptr;
    ULONG_PTR Number = 0;
    std::string Bytes;
    int Count = 0;
};
TReceived Received;

LRESULT CALLBACK ReceiverProc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_COPYDATA) {
        const auto* Data = reinterpret_cast<const COPYDATASTRUCT*>(LParam);
        Received.From = reinterpret_cast<HWND>(WParam);
        Received.Number = Data->dwData;
        Received.Bytes.assign(static_cast<const char*>(Data->lpData), Data->cbData);
        ++Received.Count;
        return TRUE;
    }
    return DefWindowProcA(W, Msg, WParam, LParam);
}

class TReceiver {
public:
    TReceiver()
    {
        WNDCLASSA Class = {};
        Class.lpfnWndProc = ReceiverProc;
        Class.hInstance = GetModuleHandleA(nullptr);
        Class.lpszClassName = "TextReportReceiver";
        RegisterClassA(&Class);
        FWindow = CreateWindowExA(0, Class.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, Class.hInstance,
                                  nullptr);
        Received = TReceived();
    }
    ~TReceiver() { DestroyWindow(FWindow); }
    TReceiver(const TReceiver&) = delete;
    TReceiver& operator=(const TReceiver&) = delete;
    HWND Window() const { return FWindow; }

private:
    HWND FWindow;
};

template <class T>
T* Put(TWinControl* Parent, TComponent* Owner, const char* Name, const char* Caption, int L, int Tp, int W, int H)
{
    auto* C = new T(Owner);
    C->Name = Name;
    C->SetCaption(Caption);
    C->SetParent(Parent);
    C->SetBounds(L, Tp, W, H);
    return C;
}

class TextReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Form = std::make_unique<TForm>(nullptr);
        Form->Name = "Main";
        Form->SetCaption("Reported");
        Form->SetBounds(40, 40, 100, 100);
        Form->SetClientSize(300, 200);
        TForm* F = Form.get();
        Title = Put<TLabel>(F, F, "Title", "Line one\nLine two", 10, 10, 80, 30);
        Title->SetAutoSize(false);
        Put<TLabel>(F, F, "Hidden", "Not shown", 10, 40, 80, 17)->SetVisible(false);
        Put<TButton>(F, F, "Off", "Off", 200, 10, 75, 25)->SetEnabled(false);
        Focus = Put<TButton>(F, F, "Focus", "&Focus", 200, 40, 75, 25);
        Box = Put<TPanel>(F, F, "Box", "Panel text", 20, 70, 250, 110);
        Put<TLabel>(Box, F, "Inner", "Inside", 5, 70, 60, 17)->SetAutoSize(false);
        Rows = Put<TRowsPanel>(Box, F, "Rows", "", 100, 5, 90, 50);
        Form->Show();
        Focus->SetFocus();
        PumpMessages();
    }

    std::vector<TTextItem> Ask(LPARAM Number)
    {
        EXPECT_EQ(SendMessageA(Form->Handle(), Message, reinterpret_cast<WPARAM>(Receiver.Window()), Number), 1);
        EXPECT_EQ(Received.From, Form->Handle());
        EXPECT_EQ(Received.Number, static_cast<ULONG_PTR>(Number));
        return DecodeTextReport(Received.Bytes);
    }

    const UINT Message = RegisterWindowMessageA("BrindloTextReport");
    TReceiver Receiver;
    std::unique_ptr<TForm> Form;
    TLabel* Title = nullptr;
    TButton* Focus = nullptr;
    TPanel* Box = nullptr;
    TRowsPanel* Rows = nullptr;
};

std::string Line(const TTextItem& I)
{
    return I.Kind + "|" + I.Name + "|" + (I.Visible ? "V" : "") + (I.Enabled ? "E" : "") + (I.Focused ? "F" : "") +
           "|" + std::to_string(I.Left) + "," + std::to_string(I.Top) + "," + std::to_string(I.Width) + "," +
           std::to_string(I.Height) + "|" + I.Text;
}

} // namespace

TEST_F(TextReportTest, AnswersWithEveryControlParentsFirstInFormCoordinates)
{
    EXPECT_EQ(Message, TextReportMessage());
    const std::vector<TTextItem> Items = Ask(42);
    std::vector<std::string> Lines;
    for (const TTextItem& I : Items)
        Lines.push_back(Line(I));
    const std::vector<std::string> Expected = {
        "TForm|Main|VE|0,0,300,200|Reported",
        "TLabel|Title|VE|10,10,80,30|Line one\nLine two",
        "TLabel|Hidden|E|10,40,80,17|Not shown",
        "TButton|Off|V|200,10,75,25|Off",
        "TButton|Focus|VEF|200,40,75,25|&Focus",
        "TPanel|Box|VE|20,70,250,110|Panel text",
        "TLabel|Inner|VE|25,140,60,17|Inside",
        "TRowsPanel|Rows|VE|120,75,90,50|",
        "TRow||VE|124,79,82,18|One",
        "TRow||V|124,99,82,18|Two\tcolumns",
    };
    EXPECT_EQ(Lines, Expected);
    // Windowed items carry their own window, windowless ones none.
    EXPECT_EQ(Items[0].Window, reinterpret_cast<std::uintptr_t>(Form->Handle()));
    EXPECT_EQ(Items[4].Window, reinterpret_cast<std::uintptr_t>(Focus->Handle()));
    EXPECT_EQ(Items[5].Window, reinterpret_cast<std::uintptr_t>(Box->Handle()));
    EXPECT_EQ(Items[1].Window, 0u);
    EXPECT_EQ(Items[8].Window, 0u);

    // What is inside a hidden parent is not shown either; a caption change is seen.
    Box->SetVisible(false);
    Title->SetCaption("Changed");
    const std::vector<TTextItem> After = Ask(43);
    ASSERT_EQ(After.size(), Items.size());
    EXPECT_EQ(After[1].Text, "Changed");
    for (std::size_t I = 5; I < After.size(); ++I)
        EXPECT_FALSE(After[I].Visible) << Line(After[I]);
    EXPECT_EQ(Received.Count, 2);
}

TEST_F(TextReportTest, ARequestWithNobodyToAnswerIsIgnoredAndOnlyFormsAnswer)
{
    // A handle that was a window and is none now: any other number may be another process's live window.
    HWND Gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(Gone, nullptr);
    ASSERT_TRUE(DestroyWindow(Gone));
    ASSERT_FALSE(IsWindow(Gone));
    EXPECT_EQ(SendMessageA(Form->Handle(), Message, 0, 1), 0);
    EXPECT_EQ(SendMessageA(Form->Handle(), Message, reinterpret_cast<WPARAM>(Gone), 1), 0);
    EXPECT_EQ(SendMessageA(Focus->Handle(), Message, reinterpret_cast<WPARAM>(Receiver.Window()), 1), 0);
    EXPECT_EQ(SendMessageA(Box->Handle(), Message, reinterpret_cast<WPARAM>(Receiver.Window()), 1), 0);
    PumpMessages();
    EXPECT_EQ(Received.Count, 0);
}

TEST_F(TextReportTest, TheDriverReadsThePostedRequestsAnswer)
{
    const std::vector<TTextItem> Items = ReadTexts(Form->Handle(), 5000);
    const std::vector<TTextItem> Direct = Ask(7);
    ASSERT_EQ(Items.size(), Direct.size());
    for (std::size_t I = 0; I < Items.size(); ++I)
        EXPECT_EQ(Line(Items[I]), Line(Direct[I]));
    EXPECT_EQ(ItemOf(Items, {"TRow", "", "One"}).Left, 124);
    EXPECT_EQ(FindItem(Items, {"TLabel", "Hidden"}), nullptr);
    EXPECT_NE(FindItem(Items, {"TLabel", "Hidden", "", false}), nullptr);
}
