// The text report's format, natively: what a form sends to an outside reader.
#include "exceptions.h"
#include "ui_text_report_format.h"

#include <gtest/gtest.h>

namespace {

TTextItem Item(std::string Kind, std::string Name, std::uint64_t Window, bool V, bool E, bool F, int L, int T, int W,
               int H, std::string Text)
{
    TTextItem I;
    I.Kind = std::move(Kind);
    I.Name = std::move(Name);
    I.Window = Window;
    I.Visible = V;
    I.Enabled = E;
    I.Focused = F;
    I.Left = L;
    I.Top = T;
    I.Width = W;
    I.Height = H;
    I.Text = std::move(Text);
    return I;
}

} // namespace

TEST(TextReportFormat, WritesOneEscapedLinePerItemAfterTheHeader)
{
    const std::vector<TTextItem> Items = {
        Item("TForm", "Main", 0x1a2b, true, true, false, 0, 0, 400, 300, "Setup"),
        Item("TLabel", "", 0, false, true, false, -5, 12, 80, 17, "Tab\there\r\nnext \\ line\x01\x7f \xe9"),
        Item("TButton", "Ok", 0xffffffffffffffffull, true, false, true, 1, 2, 3, 4, ""),
        Item("TRow", "", 0, false, false, false, 0, 0, 0, 0, "a\nb"),
    };
    const std::string Report = EncodeTextReport(Items);
    EXPECT_EQ(Report, "BrindloTexts 1\n"
                      "TForm\tMain\t1a2b\tVE\t0\t0\t400\t300\tSetup\n"
                      "TLabel\t\t0\tE\t-5\t12\t80\t17\tTab\\there\\r\\nnext \\\\ line\\x01\\x7F \xe9\n"
                      "TButton\tOk\tffffffffffffffff\tVF\t1\t2\t3\t4\t\n"
                      "TRow\t\t0\t-\t0\t0\t0\t0\ta\\nb\n");
    const std::vector<TTextItem> Back = DecodeTextReport(Report);
    ASSERT_EQ(Back.size(), Items.size());
    for (std::size_t I = 0; I < Items.size(); ++I) {
        EXPECT_EQ(Back[I].Kind, Items[I].Kind);
        EXPECT_EQ(Back[I].Name, Items[I].Name);
        EXPECT_EQ(Back[I].Window, Items[I].Window);
        EXPECT_EQ(Back[I].Visible, Items[I].Visible);
        EXPECT_EQ(Back[I].Enabled, Items[I].Enabled);
        EXPECT_EQ(Back[I].Focused, Items[I].Focused);
        EXPECT_EQ(Back[I].Left, Items[I].Left);
        EXPECT_EQ(Back[I].Top, Items[I].Top);
        EXPECT_EQ(Back[I].Width, Items[I].Width);
        EXPECT_EQ(Back[I].Height, Items[I].Height);
        EXPECT_EQ(Back[I].Text, Items[I].Text);
    }
    EXPECT_TRUE(DecodeTextReport("BrindloTexts 1\n").empty());
}

TEST(TextReportFormat, RefusesWhatIsNotAReportNamingTheLine)
{
    const std::string Good = "TLabel\tn\t0\tV\t1\t2\t3\t4\ttext\n";
    const struct {
        std::string Report;
        const char* Says;
    } Cases[] = {
        {"", "line 1: the report is empty"},
        {"BrindloTexts 2\n" + Good, "line 1: not a text report"},
        {"BrindloTexts 1", "line 1: the line has no end"},
        {"BrindloTexts 1\n" + Good + "TLabel\tn\t0\tV\t1\t2\t3\t4\ttext", "line 3: the line has no end"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t2\t3\t4\n", "line 2: 9 fields expected, 8 found"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t2\t3\t4\ta\tb\n", "line 2: 9 fields expected, 10 found"},
        {"BrindloTexts 1\nTLabel\tn\t0\tVX\t1\t2\t3\t4\tt\n", "line 2: bad flags \"VX\""},
        {"BrindloTexts 1\nTLabel\tn\t0\t\t1\t2\t3\t4\tt\n", "line 2: bad flags \"\""},
        {"BrindloTexts 1\nTLabel\tn\t0x10\tV\t1\t2\t3\t4\tt\n", "line 2: \"0x10\" is not a window handle"},
        {"BrindloTexts 1\nTLabel\tn\t11112222333344445\tV\t1\t2\t3\t4\tt\n", "is not a window handle"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t 2\t3\t4\tt\n", "line 2: \" 2\" is not a decimal number"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t2\t99999999999\t4\tt\n", "\"99999999999\" is not a decimal number"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t2\t3\t$4\tt\n", "\"$4\" is not a decimal number"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t2\t3\t4\tbad \\q\n", "line 2: unknown escape \\q"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t2\t3\t4\tcut \\\n", "line 2: an escape is cut short"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t2\t3\t4\t\\x4\n", "line 2: \\x needs two hex digits"},
        {"BrindloTexts 1\nTLabel\tn\t0\tV\t1\t2\t3\t4\t\\xG0\n", "line 2: \\x needs two hex digits"},
    };
    for (const auto& C : Cases) {
        try {
            DecodeTextReport(C.Report);
            ADD_FAILURE() << "accepted: " << C.Report;
        } catch (const Exception& E) {
            EXPECT_NE(std::string(E.what()).find(C.Says), std::string::npos) << E.what();
        }
    }
}
