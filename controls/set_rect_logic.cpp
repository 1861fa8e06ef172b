#include "set_rect_logic.h"

#include "convert.h"
#include "string_helpers.h"

namespace {

bool AllDigits(const std::string& S)
{
    if (S.empty())
        return false;
    for (char C : S)
        if (C < '0' || C > '9')
            return false;
    return true;
}

void SizeField(std::string Token, std::string& Edit, bool& Percent)
{
    const std::size_t P = Token.find('%');
    Percent = P != std::string::npos;
    if (Percent)
        Token.erase(P, 1);
    Edit = LenientDigits(Token);
}

std::int32_t Scaled(double V, double S) { return ClampToInt32(RoundHalfEven(V * S)); }

} // namespace

std::string LenientDigits(const std::string& Text)
{
    if (Text.empty())
        return Text;
    return AllDigits(Text) ? Text : "0";
}

std::int32_t LenientNumber(const std::string& Text)
{
    if (!AllDigits(Text))
        return 0;
    std::int64_t V = 0;
    for (char C : Text) {
        V = V * 10 + (C - '0');
        if (V > INT32_MAX)
            return INT32_MAX;
    }
    return static_cast<std::int32_t>(V);
}

TRectFields LoadRectFields(const std::string& RectText)
{
    std::string Work = RectText, Token;
    TRectFields F;
    CutToken(Work, ",", true, Token);
    F.LeftCenter = Token == "-1";
    F.Left = F.LeftCenter ? "0" : LenientDigits(Token);
    CutToken(Work, ",", true, Token);
    F.TopCenter = Token == "-1";
    F.Top = F.TopCenter ? "0" : LenientDigits(Token);
    CutToken(Work, ",", true, Token);
    SizeField(Token, F.Width, F.WidthPercent);
    CutToken(Work, ",", true, Token);
    SizeField(Token, F.Height, F.HeightPercent);
    return F;
}

std::string RectFieldsText(const TRectFields& F)
{
    std::string S = F.LeftCenter ? "-1" : IntToStr(LenientNumber(F.Left));
    S += "," + (F.TopCenter ? std::string("-1") : IntToStr(LenientNumber(F.Top)));
    S += "," + IntToStr(LenientNumber(F.Width)) + (F.WidthPercent ? "%" : "");
    S += "," + IntToStr(LenientNumber(F.Height)) + (F.HeightPercent ? "%" : "");
    return S;
}

TRectPreview ComputeRectPreview(const std::string& RectText, std::int32_t ScreenWidth, std::int32_t ScreenHeight)
{
    TRectPreview P;
    const double W = ScreenWidth > 0 ? ScreenWidth : 1, H = ScreenHeight > 0 ? ScreenHeight : 1;
    const double S = H > W ? 180.0 / H : 254.0 / W;
    P.Screen = TRect{0, 0, Scaled(W, S), Scaled(H, S)};
    TRect R;
    // The text comes from the dialog's own fields: always four numbers.
    StrToRect(RectFieldsText(LoadRectFields(RectText)), ScreenWidth, ScreenHeight, true, R);
    TRect Win{Scaled(R.Left, S), Scaled(R.Top, S), Scaled(R.Right, S), Scaled(R.Bottom, S)};
    P.Fill = RectInRect(Win, P.Screen) ? 0x8000u : 0xFFu;
    P.Window = TRect{Win.Left < 0 ? 0 : Win.Left, Win.Top < 0 ? 0 : Win.Top,
                     Win.Right > P.Screen.Right ? P.Screen.Right : Win.Right,
                     Win.Bottom > P.Screen.Bottom ? P.Screen.Bottom : Win.Bottom};
    // A window wholly off the screen leaves nothing to draw, not a turned-over box.
    if (P.Window.Right < P.Window.Left)
        P.Window.Right = P.Window.Left;
    if (P.Window.Bottom < P.Window.Top)
        P.Window.Bottom = P.Window.Top;
    return P;
}
