#include "ui_shortcut.h"

std::string ShortCutToText(TShortCut ShortCut)
{
    const unsigned Key = ShortCut & 0xFFFF;
    const TShiftState Shift = ShortCut >> 16;
    std::string Name;
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z'))
        Name = std::string(1, static_cast<char>(Key));
    else if (Key >= 0x70 && Key <= 0x87) // F1 to F24
        Name = "F" + std::to_string(Key - 0x70 + 1);
    else if (Key == 0x2D)
        Name = "Ins";
    else if (Key == 0x2E)
        Name = "Del";
    else if (Key == 0)
        return "";
    else
        Name = "#" + std::to_string(Key);
    std::string Text;
    if (Shift & ssShift)
        Text += "Shift+";
    if (Shift & ssCtrl)
        Text += "Ctrl+";
    if (Shift & ssAlt)
        Text += "Alt+";
    return Text + Name;
}
