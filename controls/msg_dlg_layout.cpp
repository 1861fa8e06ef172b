#include "msg_dlg_layout.h"

TMsgDlgHorizontal MsgDlgHorizontal(int DlgFormWidth, int Margin, int LabelWidth, bool ImageVisible, int ImageWidth,
                                   int ButtonRowWidth)
{
    TMsgDlgHorizontal H;
    H.TextLeft = ImageVisible ? 2 * Margin + ImageWidth : Margin;
    H.WindowWidth = DlgFormWidth;
    // The label's width minus TextLeft is what is compared: a text up to 2 x TextLeft
    // wider than the wrapping width keeps its lines.
    if (DlgFormWidth - Margin > LabelWidth - H.TextLeft) {
        H.WindowWidth = LabelWidth + 2 * H.TextLeft + Margin;
    } else {
        H.Wrap = true;
        H.WrapWidth = DlgFormWidth - Margin - H.TextLeft;
    }
    if (H.WindowWidth - 2 * Margin <= ButtonRowWidth)
        H.WindowWidth = 2 * Margin + ButtonRowWidth;
    return H;
}

TMsgDlgVertical MsgDlgVertical(int Margin, int LabelHeight, bool ImageVisible, int ImageHeight, int ButtonHeight)
{
    TMsgDlgVertical V;
    V.ContentHeight = LabelHeight;
    if (ImageVisible && ImageHeight > LabelHeight)
        V.ContentHeight = ImageHeight;
    V.WindowHeight = ButtonHeight + V.ContentHeight + 5 * Margin;
    V.ButtonTop = V.ContentHeight + 2 * Margin;
    return V;
}

int CentredOrigin(int Outer, int Size) { return (Outer - Size) / 2; }
