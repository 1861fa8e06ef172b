#include "dialog_progress.h"

CDialogProgress::CDialogProgress(TComponent* AOwner) : TForm(AOwner)
{
    BorderStyle = bsNoBorder;
    Position = poScreenCenter;
    TControl::SetColor(clWhite);
    SetBounds(0, 0, 200, 33);
    ProgressBar = new TProgressBar(this);
    TextLabel = new TLabel(this);
    OuterPanel = new TPanel(this);
    BarPanel = new TPanel(this);

    OuterPanel->SetParent(this);
    OuterPanel->SetBounds(0, 0, 200, 35);
    OuterPanel->TControl::SetColor(clBlack);

    TextLabel->SetAutoSize(false);
    TextLabel->SetParent(OuterPanel);
    TextLabel->SetBounds(2, 2, 195, 16);
    TextLabel->SetAlignment(taCenter);
    TextLabel->Font().SetColor(clBlack);
    TextLabel->TControl::SetColor(clWhite);
    TextLabel->SetCaption("Task in progress...");

    BarPanel->SetParent(OuterPanel);
    BarPanel->SetBounds(2, 15, 195, 15);
    BarPanel->TControl::SetColor(clWhite);

    ProgressBar->SetParent(BarPanel);
    ProgressBar->SetBounds(0, 0, 200, 15);
    ProgressBar->SetRange(0, 100);
    ProgressBar->SetPosition(0);
}

void CDialogProgress::PaintNow()
{
    if (HandleAllocated() && IsWindowVisible(Handle()))
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CDialogProgress::Start(const std::string& Text)
{
    TextLabel->SetCaption(Text);
    TextLabel->Repaint();
    ShowNoActivate();
    PaintNow();
}

void CDialogProgress::SetPosition(int Percent)
{
    ProgressBar->SetPosition(Percent);
    TextLabel->Repaint();
    // The bar too: nothing else would paint it before the work ends.
    PaintNow();
}

void CDialogProgress::SetColor(TColor Color)
{
    TextLabel->TControl::SetColor(Color);
    BarPanel->TControl::SetColor(Color);
}

void CDialogProgress::Finish()
{
    ProgressBar->SetPosition(0);
    Close();
}
