// The class layer on real windows under Wine: exceptions stopped at the window
// procedure, reflected notices, the modal loop with its hook and watchdog, layout.
#include "exceptions.h"
#include "gui_support.h"
#include "ui_button.h"
#include "ui_form.h"
#include "ui_input_box.h"
#include "ui_label.h"
#include "ui_panel.h"

#include <memory>
#include <stdexcept>

namespace {

class TThrowingPanel : public TPanel {
public:
    using TPanel::TPanel;
    int Painted = 0;

protected:
    void Paint(TCanvas&) override
    {
        ++Painted;
        throw std::runtime_error("paint failed");
    }
};

} // namespace

TEST(ClassLayer, ExceptionInWindowProcedureGoesToTheErrorBoxAndTheProgramCarriesOn)
{
    TErrorBoxCapture Errors;
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(50, 50, 200, 120);
    auto* Panel = new TThrowingPanel(Form.get());
    Panel->SetParent(Form.get());
    Panel->SetBounds(0, 0, 100, 50);
    auto* Button = new TButton(Form.get());
    Button->SetParent(Form.get());
    Button->SetBounds(10, 60, 80, 25);
    Button->OnClick = [](TObject*) { throw Exception("click failed"); };
    Form->Show();
    Panel->Repaint();
    SendMessageA(Button->Handle(), BM_CLICK, 0, 0);
    ASSERT_GE(Errors.Messages.size(), 2u);
    EXPECT_EQ(Errors.Messages.front(), "paint failed");
    EXPECT_EQ(Errors.Messages.back(), "click failed");
    // Still alive and answering.
    Button->OnClick = [&](TObject*) { Button->Tag = 7; };
    SendMessageA(Button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Button->Tag, 7);
}

TEST(ClassLayer, ModalLoopsNestRunTheHookAndGiveTheOthersBack)
{
    auto Outer = std::make_unique<TForm>(nullptr);
    Outer->SetCaption("Outer");
    Outer->SetBounds(40, 40, 300, 200);
    auto Inner = std::make_unique<TForm>(nullptr);
    Inner->SetCaption("Inner");
    Inner->SetBounds(80, 80, 200, 120);
    auto* Ok = new TButton(Inner.get());
    Ok->SetParent(Inner.get());
    Ok->SetCaption("OK");
    Ok->ModalResult = mrOk;
    std::vector<std::string> Seen;
    bool OuterDisabledDuringInner = false;
    TModalScript Script([&](HWND W) {
        Seen.push_back(WindowText(W));
        if (WindowText(W) == "Outer") {
            EXPECT_EQ(Inner->ShowModal(), mrOk);
            EXPECT_TRUE(IsWindowEnabled(Outer->Handle()));
            PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            OuterDisabledDuringInner = !IsWindowEnabled(Outer->Handle());
            SendMessageA(Ok->Handle(), BM_CLICK, 0, 0);
        }
    });
    EXPECT_EQ(Outer->ShowModal(), mrCancel);
    EXPECT_EQ(Seen, (std::vector<std::string>{"Outer", "Inner"}));
    EXPECT_TRUE(OuterDisabledDuringInner);
    EXPECT_FALSE(IsWindowVisible(Outer->Handle()));
}

TEST(ClassLayer, WatchdogClosesAForgottenDialog)
{
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetCaption("Forgotten");
    Application().WatchdogMs = 300;
    HWND Fired = nullptr;
    Application().OnWatchdog = [&](HWND W) { Fired = W; };
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    Application().WatchdogMs = 0;
    Application().OnWatchdog = nullptr;
    EXPECT_EQ(Fired, Form->Handle());
}

TEST(ClassLayer, AlignAndAnchorsFollowTheParentsSize)
{
    auto Form = std::make_unique<TForm>(nullptr);
    Form->SetClientSize(300, 200);
    auto* Top = new TPanel(Form.get());
    Top->Align = alTop;
    Top->SetHeight(20);
    Top->SetParent(Form.get());
    auto* Stretched = new TPanel(Form.get());
    Stretched->SetBounds(10, 30, 280, 100);
    Stretched->Anchors = akLeft | akTop | akRight | akBottom;
    Stretched->SetParent(Form.get());
    auto* Corner = new TButton(Form.get());
    Corner->SetBounds(215, 165, 75, 25);
    Corner->Anchors = akRight | akBottom;
    Corner->SetParent(Form.get());
    Form->Show();
    EXPECT_EQ(Top->Width(), 300);
    const int GrowW = 100, GrowH = 50;
    Form->SetBounds(Form->Left(), Form->Top(), Form->Width() + GrowW, Form->Height() + GrowH);
    EXPECT_EQ(Top->Width(), 300 + GrowW);
    EXPECT_EQ(Stretched->Width(), 280 + GrowW);
    EXPECT_EQ(Stretched->Height(), 100 + GrowH);
    EXPECT_EQ(Corner->Left(), 215 + GrowW);
    EXPECT_EQ(Corner->Top(), 165 + GrowH);
    EXPECT_EQ(Corner->Width(), 75);
}

TEST(ClassLayer, InputQueryTakesTheTypedTextOnlyWhenConfirmed)
{
    for (bool Confirm : {true, false}) {
        TModalScript Script([&](HWND W) {
            EXPECT_EQ(WindowText(W), "Enter New Directory Name");
            HWND Edit = FindWindowExA(W, nullptr, "EDIT", nullptr);
            ASSERT_NE(Edit, nullptr);
            SetWindowTextA(Edit, "Fresh");
            if (Confirm)
                PostMessageA(Edit, WM_KEYDOWN, VK_RETURN, 0);
            else
                PostMessageA(Edit, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        std::string Value = "old";
        EXPECT_EQ(InputQuery("Enter New Directory Name", "", Value), Confirm);
        EXPECT_EQ(Value, Confirm ? "Fresh" : "old");
    }
}

TEST(ClassLayer, AChildsWindowAskedForBeforeItsFormsIsMadeOnceAndPaintsOnce)
{
    TForm Form(nullptr);
    Form.SetBounds(40, 40, 200, 120);
    auto* Child = new TButton(&Form);
    Child->SetParent(&Form);
    const HWND Made = Child->Handle();
    int Buttons = 0;
    for (HWND W = FindWindowExA(Form.Handle(), nullptr, nullptr, nullptr); W; W = FindWindowExA(Form.Handle(), W, nullptr, nullptr))
        ++Buttons;
    EXPECT_EQ(Buttons, 1);
    EXPECT_EQ(GetParent(Made), Form.Handle());
    Form.Show();
    // Every paint is validated: the queue runs dry.
    MSG M;
    int Paints = 0;
    while (Paints < 50 && PeekMessageA(&M, nullptr, 0, 0, PM_REMOVE)) {
        Paints += M.message == WM_PAINT;
        DispatchMessageA(&M);
    }
    EXPECT_LT(Paints, 50);
}
