#pragma once

#include "ui_control.h"

#include <string>

// The system's one-line edit field; the caption is its text.
class TEdit : public TWinControl {
public:
    explicit TEdit(TComponent* AOwner);
    // What the user typed, read from the window.
    std::string Text();
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);

protected:
    void CreateParams(TCreateParams& Params) override;

private:
    bool FReadOnly = false;
};
