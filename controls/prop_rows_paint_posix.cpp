// Without a window system there is no canvas: the rows draw nothing.
#include "prop_rows.h"

void CFxProp_b::Paint(TCanvas&, const TRect&, const TRect&, const TRect&) {}
void CFxProp_b::PaintHelp(TCanvas&, const TRect&) {}
void CFxProp_b::PaintFrame(TCanvas&, int, int, int, int, TColor) {}
void CFxProp_Group::Paint(TCanvas&, const TRect&, const TRect&, const TRect&) {}
void CFxProp_GroupPropCrea::Paint(TCanvas&, const TRect&, const TRect&, const TRect&) {}
void CFxProp_Color::Paint(TCanvas&, const TRect&, const TRect&, const TRect&) {}
void CFxProp_Color::PaintHelp(TCanvas&, const TRect&) {}
void CFxProp_CheckBox::Paint(TCanvas&, const TRect&, const TRect&, const TRect&) {}
void CFxProp_CheckBox::PaintHelp(TCanvas&, const TRect&) {}
void CFxProp_Const::Paint(TCanvas&, const TRect&, const TRect&, const TRect&) {}
void CFxProp_Action::Paint(TCanvas&, const TRect&, const TRect&, const TRect&) {}
void CFxProp_b::UseRowColors(TCanvas&) const {}
void CFxProp_b::UsePageColors(TCanvas&) const {}
