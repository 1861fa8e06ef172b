#pragma once

#include "ui_control.h"

// A framed caption that holds controls. Drawn by the layer itself, so that the
// windowless labels on it paint like on any other container.
class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* AOwner);

protected:
    void Paint(TCanvas& Canvas) override;
};
