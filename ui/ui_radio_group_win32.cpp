#include "ui_radio_group.h"

#include <algorithm>

// One radio button of the group; the group places and colours it.
class TRadioGroup::TRadioItem : public TWinControl {
public:
    TRadioItem(TRadioGroup& Group, const std::string& Text) : TWinControl(nullptr), FGroup(Group)
    {
        SetCaption(Text);
        TabStop = true;
    }
    bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM, LRESULT& Result) override
    {
        if (Msg == WM_CTLCOLORSTATIC || Msg == WM_CTLCOLORBTN) {
            Result = FBrush.Answer(reinterpret_cast<HDC>(WParam), FGroup.Color(), FGroup.Font().Color());
            return true;
        }
        return false;
    }

    bool Checked = false;
    void SetChecked(bool Value)
    {
        Checked = Value;
        // Only a window that exists: making one here would make its parents too early.
        if (HandleAllocated())
            SendMessageA(Handle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    }

protected:
    void HandleCreated() override { SendMessageA(Handle(), BM_SETCHECK, Checked ? BST_CHECKED : BST_UNCHECKED, 0); }
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        Params.ClassName = "BUTTON";
        Params.Style |= BS_RADIOBUTTON;
        Params.Style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    }

private:
    TRadioGroup& FGroup;
    TCtlColorBrush FBrush;
};

TRadioGroup::TRadioGroup(TComponent* AOwner) : TCustomControl(AOwner)
{
    FWidth = 185;
    FHeight = 105;
}

TRadioGroup::~TRadioGroup()
{
    for (TRadioItem* B : FButtons)
        delete B;
}

void TRadioGroup::SetItems(const std::vector<std::string>& Items)
{
    for (TRadioItem* B : FButtons)
        delete B;
    FButtons.clear();
    for (const std::string& Text : Items) {
        auto* B = new TRadioItem(*this, Text);
        B->Font().Assign(Font());
        B->SetParent(this);
        FButtons.push_back(B);
    }
    FItemIndex = -1;
    PlaceButtons();
}

void TRadioGroup::PlaceButtons()
{
    if (FButtons.empty())
        return;
    const int Top = 16, Bottom = 4;
    const int Step = std::max(1, (Height() - Top - Bottom) / static_cast<int>(FButtons.size()));
    for (std::size_t I = 0; I < FButtons.size(); ++I)
        FButtons[I]->SetBounds(8, Top + static_cast<int>(I) * Step + (Step - 17) / 2, std::max(0, Width() - 16), 17);
}

void TRadioGroup::Resize() { PlaceButtons(); }

void TRadioGroup::ColorChanged()
{
    TCustomControl::ColorChanged();
    for (TRadioItem* B : FButtons)
        B->Invalidate();
}

void TRadioGroup::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= ItemCount())
        Value = -1;
    FItemIndex = Value;
    for (std::size_t I = 0; I < FButtons.size(); ++I)
        FButtons[I]->SetChecked(static_cast<int>(I) == Value);
}

HWND TRadioGroup::ButtonHandle(int Index) { return FButtons.at(static_cast<std::size_t>(Index))->Handle(); }

bool TRadioGroup::HandleReflected(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT TRadioGroup::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_COMMAND && (HIWORD(WParam) == BN_CLICKED || HIWORD(WParam) == BN_DOUBLECLICKED)) {
        const HWND From = reinterpret_cast<HWND>(LParam);
        for (std::size_t I = 0; I < FButtons.size(); ++I)
            if (FButtons[I]->HandleAllocated() && FButtons[I]->Handle() == From) {
                SetItemIndex(static_cast<int>(I));
                Click();
                return 0;
            }
    }
    return TCustomControl::WndProc(Msg, WParam, LParam);
}

void TRadioGroup::Paint(TCanvas& Canvas)
{
    Canvas.BrushStyle = bsSolid;
    Canvas.BrushColor = Color();
    Canvas.FillRect(ClientRect());
    Canvas.Font.Assign(Font());
    const SIZE Text = Canvas.TextExtent(Caption().empty() ? std::string("X") : Caption());
    RECT Frame = {0, Text.cy / 2, Width(), Height()};
    Canvas.DrawEdge(Frame, EDGE_ETCHED, BF_RECT);
    if (!Caption().empty())
        Canvas.TextOutAt(8, 0, Caption());
}
