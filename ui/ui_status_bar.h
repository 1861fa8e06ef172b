#pragma once

#include "ui_control.h"

// The system status bar with one simple panel.
class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* AOwner);
    void SetSimpleText(const std::string& Text);

protected:
    void CreateParams(TCreateParams& Params) override;
};
