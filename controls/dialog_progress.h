#pragma once

#include "ui_form.h"
#include "ui_label.h"
#include "ui_panel.h"
#include "ui_progress_bar.h"

#include <string>

// The one progress window: a borderless strip with a line of text and a bar, shown
// without activation while work runs on the user-interface thread. Every step paints
// it on the spot, since no messages are handled until the work ends.
class CDialogProgress : public TForm {
public:
    explicit CDialogProgress(TComponent* AOwner);

    TProgressBar* ProgressBar = nullptr;
    TLabel* TextLabel = nullptr;
    TPanel* OuterPanel = nullptr;
    TPanel* BarPanel = nullptr;

    void Start(const std::string& Text);
    void SetPosition(int Percent);
    // The ground of the text and of the bar's panel.
    void SetColor(TColor Color);
    void Finish();

private:
    void PaintNow();
};
