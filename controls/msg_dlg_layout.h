#pragma once

// The arithmetic of the message dialog's window, apart from any window: the text is
// measured by the caller and handed in.

struct TMsgDlgHorizontal {
    int TextLeft = 0;
    bool Wrap = false;
    int WrapWidth = 0; // the label's width when Wrap
    int WindowWidth = 0;
};

// LabelWidth is the unwrapped text's width; ButtonRowWidth is n x (button width + 4).
TMsgDlgHorizontal MsgDlgHorizontal(int DlgFormWidth, int Margin, int LabelWidth, bool ImageVisible, int ImageWidth,
                                   int ButtonRowWidth);

struct TMsgDlgVertical {
    int ContentHeight = 0;
    int WindowHeight = 0;
    int ButtonTop = 0;
};

TMsgDlgVertical MsgDlgVertical(int Margin, int LabelHeight, bool ImageVisible, int ImageHeight, int ButtonHeight);

// (Outer - Size) div 2, truncated toward zero as the centring always was.
int CentredOrigin(int Outer, int Size);
