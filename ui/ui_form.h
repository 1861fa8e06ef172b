#pragma once

#include "ui_control.h"

#include <functional>

enum TFormBorderStyle { bsNoBorder, bsSingle, bsSizeable, bsDialog };
enum TPosition { poDesigned, poScreenCenter };

class TButton;

// A top-level window, owned by the application's hidden window, with its own modal
// loop: the other windows of the thread are disabled, keys go through the pipeline
// (preview, control, dialog keys) and the loop ends on a modal result or a close.
// A form may be destroyed while its own modal loop runs (from a handler or the modal
// hook): the loop then ends with mrCancel and touches the form no more.
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    TFormBorderStyle BorderStyle = bsSizeable;
    TPosition Position = poDesigned;
    bool KeyPreview = false;
    // Limits of the outer size; 0 is none.
    int MinWidth = 0, MinHeight = 0;
    int MaxWidth = 0, MaxHeight = 0;
    // Shown maximised at its first Show.
    bool StartMaximized = false;

    bool StayOnTop() const { return FStayOnTop; }
    void SetStayOnTop(bool Value);
    // Outer size for the given client size, by the border style.
    void SetClientSize(int ClientWidth, int ClientHeight);
    int ClientWidth();
    int ClientHeight();

    void Show();
    // Shows the window in front without taking the activation from another.
    void ShowNoActivate();
    void Hide();
    void Close();
    TModalResult ShowModal();
    bool Modal() const { return FModal; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }

    TNotifyEvent OnShow;
    // Every time the window becomes the active one.
    TNotifyEvent OnActivate;
    TNotifyEvent OnClose;
    TNotifyEvent OnResize;

    // Tab, Enter and Escape; true when the key was used.
    bool DialogKey(WORD Key, TShiftState Shift, TWinControl* Target);

    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Resize() override;
    void VisibleChanged() override;

private:
    void PlaceOnScreen();
    TButton* FindButton(bool Default, bool Cancel, TWinControl* Within);

    bool FStayOnTop = false;
    bool FModal = false;
    // Set while ShowModal runs: cleared by the destructor, so the loop knows.
    bool* FModalAlive = nullptr;
    bool FShown = false;
    bool FNoActivate = false;
    TModalResult FModalResult = mrNone;
};
