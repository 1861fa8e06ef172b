#pragma once

#include "object.h"
#include "ui_canvas.h"
#include "ui_font.h"
#include "ui_types.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TTextReport;
class TWinControl;

// Who deletes a control: its owner, and only its owner. A component frees the
// components created with it as owner, last first, when it goes. A parent (the
// windowed control a control is placed on) never deletes its children: when it
// goes it only detaches them (their windows go with its window). A control held as
// a member or in a unique_ptr is created without owner and may be parented freely;
// one made with new for a window is owned by that window (or by the form).
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::vector<TComponent*>& Components() const { return FComponents; }
    int Tag = 0;
    std::string Name;

private:
    TComponent* FOwner;
    std::vector<TComponent*> FComponents;
};

using TKeyEvent = std::function<void(TObject* Sender, WORD& Key, TShiftState Shift)>;

// Anything placed on a window: bounds in the parent's client coordinates, visibility,
// enabled state, caption, colour and font, Align and Anchors.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    void SetLeft(int V) { SetBounds(V, FTop, FWidth, FHeight); }
    void SetTop(int V) { SetBounds(FLeft, V, FWidth, FHeight); }
    void SetWidth(int V) { SetBounds(FLeft, FTop, V, FHeight); }
    void SetHeight(int V) { SetBounds(FLeft, FTop, FWidth, V); }
    RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    RECT ClientRect() const { return RECT{0, 0, FWidth, FHeight}; }

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    TFont& Font() { return FFont; }

    TAlign Align = alNone;
    TAnchors Anchors = akLeft | akTop;
    // The help topic of the control; 0: none (its parent's counts).
    int HelpContext = 0;

    TNotifyEvent OnClick;
    virtual void Click();

    virtual void Invalidate() = 0;
    // Paints at once, without waiting for the message loop.
    virtual void Repaint() = 0;

    // Adds what the control shows to the report an outside reader asked for: its
    // caption by default. A control that draws texts of its own adds them as items.
    virtual void DescribeTexts(TTextReport& Report);

protected:
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    virtual void EnabledChanged() {}
    virtual void TextChanged() {}
    virtual void ColorChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;

private:
    friend class TWinControl;

    TWinControl* FParent = nullptr;
    bool FVisible = true;
    bool FEnabled = true;
    std::string FCaption;
    TColor FColor = clBtnFace;
    TFont FFont;
};

// A windowless control: its parent paints it after its own background.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
    virtual void Paint(TCanvas& Canvas) = 0;
    void Invalidate() override;
    void Repaint() override;

protected:
    void BoundsChanged() override { Invalidate(); }
    void VisibleChanged() override;
    void TextChanged() override { Invalidate(); }
};

// A control with a window: our own class (one window procedure for all) or a standard
// control subclassed onto the same procedure. The handle is made when first needed.
// Destroying it detaches its children, which stay alive without a parent or window.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }

    const std::vector<TControl*>& Controls() const { return FControls; }
    void InsertControl(TControl* C);
    void RemoveControl(TControl* C);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void Invalidate() override;
    void Repaint() override;

    bool Focused() const;
    void SetFocus();
    bool TabStop = false;
    TKeyEvent OnKeyDown;
    // Key releases; a form with KeyPreview sees them before its controls.
    TKeyEvent OnKeyUp;

    // The message procedure of the object; DefaultHandler is what Windows would do.
    virtual LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
    LRESULT DefaultHandler(UINT Msg, WPARAM WParam, LPARAM LParam);
    // A message the parent passes on to the control that sent it.
    virtual bool HandleReflected(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT& Result);

    // Paints the background, Paint and the windowless children into DC.
    void PaintTo(HDC DC);

    // A standard control's text as its window holds it (an edit's typed text).
    void DescribeTexts(TTextReport& Report) override;

protected:
    struct TCreateParams {
        std::string ClassName; // empty: our own class
        DWORD Style = 0;
        DWORD ExStyle = 0;
        HWND Parent = nullptr;
    };
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void HandleCreated() {}
    virtual void Paint(TCanvas&) {}
    virtual void Resize() {}
    void AlignControls(int DeltaWidth, int DeltaHeight);
    void UpdateStyle(DWORD Bit, bool On);
    // Puts Items into a system list (a list box's or combo box's, by the messages
    // given) and selects Index; nothing before the window exists.
    void FillList(const std::vector<std::string>& Items, int Index, UINT ResetMsg, UINT AddMsg, UINT SelectMsg);
    // Makes the window again (a style that only creation takes), children included.
    void RecreateWnd();

    void VisibleChanged() override;
    void EnabledChanged() override;
    void TextChanged() override;
    void FontChanged() override;

    TCanvas FCanvas;
    bool FOwnClass = false;

private:
    friend LRESULT CALLBACK BaseWndProc(HWND, UINT, WPARAM, LPARAM);
    void DestroyHandle();
    void Realign();

    HWND FHandle = nullptr;
    WNDPROC FDefWndProc = nullptr;
    std::vector<TControl*> FControls;
    int FClientWidth = 0, FClientHeight = 0;
    bool FInPaint = false;
};

// The whole text of a window, however long.
std::string WindowTextOf(HWND Window);

// The object behind a window of the layer, or null.
TWinControl* FindControl(HWND Window);

LRESULT CALLBACK BaseWndProc(HWND W, UINT Msg, WPARAM WParam, LPARAM LParam);

// A windowed control that paints itself on its canvas and sees the mouse: every press
// counts (no double clicks), enter and leave are reported, a lost capture cancels.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* AOwner);
    TCanvas& Canvas() { return FCanvas; }
    LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) override;

protected:
    virtual void MouseDown(TMouseButton, TShiftState, int, int) {}
    virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
    virtual void MouseMove(TShiftState, int, int) {}
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    // Delta in the system's units (120 a notch, positive away from the user); true when used.
    virtual bool MouseWheel(int, TShiftState) { return false; }
    virtual void CaptureLost() {}
    bool MouseInside() const { return FMouseInside; }

private:
    bool FMouseInside = false;
};

// Shift state of a mouse message's WPARAM.
TShiftState MouseShift(WPARAM WParam);
