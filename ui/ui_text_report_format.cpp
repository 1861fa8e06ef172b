#include "ui_text_report_format.h"

#include "convert.h"
#include "exceptions.h"

namespace {

const char* const HexDigits = "0123456789ABCDEF";

void AppendEscaped(std::string& Out, const std::string& S)
{
    for (const char Ch : S) {
        const auto B = static_cast<unsigned char>(Ch);
        switch (B) {
        case '\\':
            Out += "\\\\";
            break;
        case '\t':
            Out += "\\t";
            break;
        case '\n':
            Out += "\\n";
            break;
        case '\r':
            Out += "\\r";
            break;
        default:
            if (B < 32 || B == 127) {
                Out += "\\x";
                Out += HexDigits[B >> 4];
                Out += HexDigits[B & 15];
            } else {
                Out += Ch;
            }
        }
    }
}

int HexValue(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    if (C >= 'A' && C <= 'F')
        return C - 'A' + 10;
    if (C >= 'a' && C <= 'f')
        return C - 'a' + 10;
    return -1;
}

class TLineError {
public:
    explicit TLineError(std::size_t Line) : FLine(Line) {}
    [[noreturn]] void operator()(const std::string& Why) const
    {
        throw Exception("Text report line " + IntToStr(static_cast<std::int64_t>(FLine)) + ": " + Why);
    }

private:
    std::size_t FLine;
};

std::string Unescaped(const std::string& S, const TLineError& Fail)
{
    std::string Out;
    Out.reserve(S.size());
    for (std::size_t I = 0; I < S.size(); ++I) {
        if (S[I] != '\\') {
            Out += S[I];
            continue;
        }
        if (++I == S.size())
            Fail("an escape is cut short");
        switch (S[I]) {
        case '\\':
            Out += '\\';
            break;
        case 't':
            Out += '\t';
            break;
        case 'n':
            Out += '\n';
            break;
        case 'r':
            Out += '\r';
            break;
        case 'x': {
            const int High = I + 1 < S.size() ? HexValue(S[I + 1]) : -1;
            const int Low = I + 2 < S.size() ? HexValue(S[I + 2]) : -1;
            if (High < 0 || Low < 0)
                Fail("\\x needs two hex digits");
            Out += static_cast<char>(High * 16 + Low);
            I += 2;
            break;
        }
        default:
            Fail(std::string("unknown escape \\") + S[I]);
        }
    }
    return Out;
}

int Decimal(const std::string& S, const TLineError& Fail)
{
    std::int32_t V = 0;
    const bool Digits = !S.empty() && S.find_first_not_of("-0123456789") == std::string::npos;
    if (!Digits || !TryStrToInt(S, V))
        Fail("\"" + S + "\" is not a decimal number");
    return V;
}

std::uint64_t Handle(const std::string& S, const TLineError& Fail)
{
    if (S.empty() || S.size() > 16)
        Fail("\"" + S + "\" is not a window handle");
    std::uint64_t V = 0;
    for (const char C : S) {
        const int D = HexValue(C);
        if (D < 0)
            Fail("\"" + S + "\" is not a window handle");
        V = V * 16 + static_cast<std::uint64_t>(D);
    }
    return V;
}

std::string HandleText(std::uint64_t V)
{
    std::string Out;
    do {
        Out.insert(Out.begin(), "0123456789abcdef"[V & 15]);
        V >>= 4;
    } while (V != 0);
    return Out;
}

} // namespace

std::string EncodeTextReport(const std::vector<TTextItem>& Items)
{
    std::string Out = TextReportHeader;
    Out += '\n';
    for (const TTextItem& I : Items) {
        AppendEscaped(Out, I.Kind);
        Out += '\t';
        AppendEscaped(Out, I.Name);
        Out += '\t';
        Out += HandleText(I.Window);
        Out += '\t';
        std::string Flags;
        if (I.Visible)
            Flags += 'V';
        if (I.Enabled)
            Flags += 'E';
        if (I.Focused)
            Flags += 'F';
        Out += Flags.empty() ? "-" : Flags;
        for (const int V : {I.Left, I.Top, I.Width, I.Height}) {
            Out += '\t';
            Out += IntToStr(V);
        }
        Out += '\t';
        AppendEscaped(Out, I.Text);
        Out += '\n';
    }
    return Out;
}

std::vector<TTextItem> DecodeTextReport(const std::string& Report)
{
    std::vector<TTextItem> Items;
    std::size_t Pos = 0;
    for (std::size_t Line = 1; Pos < Report.size(); ++Line) {
        const TLineError Fail(Line);
        const std::size_t End = Report.find('\n', Pos);
        if (End == std::string::npos)
            Fail("the line has no end");
        const std::string Text = Report.substr(Pos, End - Pos);
        Pos = End + 1;
        if (Line == 1) {
            if (Text != TextReportHeader)
                Fail("not a text report (\"" + Text.substr(0, 40) + "\")");
            continue;
        }
        std::vector<std::string> Fields;
        std::size_t From = 0;
        for (;;) {
            const std::size_t Tab = Text.find('\t', From);
            Fields.push_back(Text.substr(From, Tab == std::string::npos ? std::string::npos : Tab - From));
            if (Tab == std::string::npos)
                break;
            From = Tab + 1;
        }
        if (Fields.size() != 9)
            Fail("9 fields expected, " + IntToStr(static_cast<std::int64_t>(Fields.size())) + " found");
        TTextItem I;
        I.Kind = Unescaped(Fields[0], Fail);
        I.Name = Unescaped(Fields[1], Fail);
        I.Window = Handle(Fields[2], Fail);
        const std::string& Flags = Fields[3];
        if (Flags.empty() || (Flags != "-" && Flags.find_first_not_of("VEF") != std::string::npos))
            Fail("bad flags \"" + Flags + "\"");
        I.Visible = Flags.find('V') != std::string::npos;
        I.Enabled = Flags.find('E') != std::string::npos;
        I.Focused = Flags.find('F') != std::string::npos;
        I.Left = Decimal(Fields[4], Fail);
        I.Top = Decimal(Fields[5], Fail);
        I.Width = Decimal(Fields[6], Fail);
        I.Height = Decimal(Fields[7], Fail);
        I.Text = Unescaped(Fields[8], Fail);
        Items.push_back(std::move(I));
    }
    if (Items.empty() && Pos == 0)
        throw Exception("Text report line 1: the report is empty");
    return Items;
}
