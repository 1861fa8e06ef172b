#pragma once

#include "color.h"

// The value types the windows share.

constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor clNone = 0x1FFFFFFFu;
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clOlive = 0x008080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clGreen = 0x008000;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32;

// The order gives the codes 3 (left), 4 (right) and 5 (client) that drawing routines take.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TAnchors = unsigned;
constexpr TAnchors akLeft = 1, akTop = 2, akRight = 4, akBottom = 8;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8;
