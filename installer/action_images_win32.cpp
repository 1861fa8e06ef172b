#include "action_images.h"

#include "ui_bitmap.h"

#include <functional>
#include <vector>

namespace {

constexpr TColor Ink = 0x202020;
constexpr TColor Paper = 0xF0F0F0;
constexpr TColor Blue = 0xC06020;
constexpr TColor Green = 0x30A030;
constexpr TColor Red = 0x2020D0;

void Line(TCanvas& C, TColor Color, int X1, int Y1, int X2, int Y2)
{
    C.PenColor = Color;
    C.MoveTo(X1, Y1);
    C.LineTo(X2, Y2);
}

// Two interlocked rings lying across the picture.
void ChainLink(TCanvas& C, int X, int Y)
{
    C.BrushStyle = bsClear;
    C.PenColor = Ink;
    C.Ellipse(X, Y, X + 10, Y + 7);
    C.Ellipse(X + 6, Y + 3, X + 16, Y + 10);
    C.BrushStyle = bsSolid;
}

void Arrow(TCanvas& C, TColor Color, int X, int Y, int Length)
{
    C.PenColor = Color;
    C.BrushColor = Color;
    C.Rectangle(X, Y - 1, X + Length, Y + 2);
    C.Polygon({POINT{X + Length, Y - 4}, POINT{X + Length + 5, Y}, POINT{X + Length, Y + 4}});
}

const std::vector<std::function<void(TCanvas&)>>& Pictures()
{
    static const std::vector<std::function<void(TCanvas&)>> P = {
        [](TCanvas& C) { // information
            C.PenColor = Blue;
            C.BrushColor = Blue;
            C.Ellipse(7, 1, 25, 19);
            C.PenColor = Paper;
            C.BrushColor = Paper;
            C.Rectangle(15, 4, 18, 7);
            C.Rectangle(15, 8, 18, 16);
        },
        [](TCanvas& C) { // link with a plus sign
            ChainLink(C, 3, 6);
            Line(C, Green, 22, 10, 29, 10);
            Line(C, Green, 25, 7, 25, 14);
        },
        [](TCanvas& C) { // arrow into a box
            C.PenColor = Ink;
            C.BrushColor = Paper;
            C.Rectangle(15, 3, 28, 17);
            Arrow(C, Green, 2, 10, 13);
        },
        [](TCanvas& C) { // arrow into a door
            C.PenColor = Ink;
            C.BrushColor = 0x3070A0;
            C.Rectangle(18, 1, 27, 19);
            C.PenColor = Paper;
            C.BrushColor = Paper;
            C.Rectangle(24, 9, 26, 11);
            Arrow(C, Green, 2, 10, 11);
        },
        [](TCanvas& C) { // home: an arrow up
            C.PenColor = Green;
            C.BrushColor = Green;
            C.Polygon({POINT{15, 1}, POINT{23, 9}, POINT{7, 9}});
            C.Rectangle(12, 9, 19, 19);
        },
        [](TCanvas& C) { // a computer with an installer
            C.PenColor = Ink;
            C.BrushColor = 0xD0C0A0;
            C.Rectangle(4, 2, 24, 14);
            C.BrushColor = Blue;
            C.Rectangle(6, 4, 22, 12);
            C.BrushColor = Paper;
            C.Rectangle(10, 14, 18, 16);
            C.Rectangle(6, 16, 22, 19);
            C.PenColor = Green;
            C.BrushColor = Green;
            C.Polygon({POINT{25, 6}, POINT{29, 6}, POINT{27, 10}});
            C.Rectangle(26, 2, 28, 6);
        },
        [](TCanvas& C) { // a globe with a link
            C.PenColor = Blue;
            C.BrushColor = 0xE0A040;
            C.Ellipse(2, 1, 20, 19);
            C.BrushStyle = bsClear;
            C.Ellipse(7, 1, 15, 19);
            Line(C, Blue, 2, 10, 20, 10);
            C.BrushStyle = bsSolid;
            ChainLink(C, 14, 9);
        },
        [](TCanvas& C) { // exit: a cross in a box
            C.PenColor = Ink;
            C.BrushColor = Paper;
            C.Rectangle(7, 2, 24, 19);
            for (int D = -1; D <= 1; ++D) {
                Line(C, Red, 10 + D, 5, 22 + D, 17);
                Line(C, Red, 21 + D, 5, 9 + D, 17);
            }
        },
    };
    return P;
}

} // namespace

void AddActionImages(TImageList& List)
{
    for (const auto& Draw : Pictures()) {
        TBitmap Picture(30, 20);
        TCanvas& C = Picture.Canvas();
        C.BrushStyle = bsSolid;
        C.BrushColor = ActionImageKey;
        C.FillRect(RECT{0, 0, 30, 20});
        Draw(C);
        GdiFlush();
        List.Add(Picture, ActionImageKey);
    }
}
