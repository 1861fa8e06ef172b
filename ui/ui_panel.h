#pragma once

#include "ui_control.h"

// A coloured area with a one-pixel bevel and an optional centred caption.
class TPanel : public TCustomControl {
public:
    explicit TPanel(TComponent* AOwner);
    TBevelCut BevelOuter = bvRaised;

protected:
    void Paint(TCanvas& Canvas) override;
};
