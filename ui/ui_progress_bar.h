#pragma once

#include "ui_control.h"

// The system progress bar (msctls_progress32).
class TProgressBar : public TWinControl {
public:
    explicit TProgressBar(TComponent* AOwner);
    int Min() const { return FMin; }
    int Max() const { return FMax; }
    void SetRange(int AMin, int AMax);
    int Position() const { return FPosition; }
    void SetPosition(int Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void HandleCreated() override;

private:
    int FMin = 0, FMax = 100, FPosition = 0;
};
