#pragma once

#include "color_scheme.h"
#include "prop_painter.h"
#include "hash.h"
#include "object.h"
#include "rect_helpers.h"
#include "color.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The rows of the property page: a tree of plain objects, each with a caption, a text
// value stored under a key, icons, colours and an optional link to a row it mirrors.
// The page lays them out and routes the mouse; the rows paint (through the page's
// painter), click and edit through their virtual operations.

class CFxPropPageLogic;
class CFxProp_b;

// A row kind: makes a row that is not yet initialised. Rows are made through their kind
// and then given their page and parent by Create, so that a kind's colour writers run
// on the finished object.
using TPropRowClass = CFxProp_b* (*)();
template <class Kind>
CFxProp_b* MakeRowOf()
{
    return new Kind;
}
template <class Kind>
TPropRowClass RowClass()
{
    return &MakeRowOf<Kind>;
}

// A colour argument or field that stands for "the row's own" (or "inherited").
constexpr TColor PropNoColor = 0xFFFFFFFFu;

// The columns of a line, left to right, as the mouse hits them; None for a row made
// active or closed without a click.
enum class TPropColumn { None, Expander, Icon, Caption, Value };

// The page's character message as a row receives it.
struct TPropKeyMessage {
    unsigned CharCode = 0;
    std::int32_t KeyData = 0;
};

class CFxProp_b : public TObject {
public:
    CFxProp_b() = default;
    ~CFxProp_b() override;
    CFxProp_b(const CFxProp_b&) = delete;
    CFxProp_b& operator=(const CFxProp_b&) = delete;

    std::vector<std::unique_ptr<CFxProp_b>> Children;
    CFxProp_b* Parent = nullptr;
    CFxPropPageLogic* Page = nullptr;
    std::int32_t IconIndex = -1;
    std::int32_t OpenIconIndex = -1;
    TColor TextColor = 0;
    TColor BackColor = 0;
    bool Expanded = false;
    bool Hot = false;
    std::string Value;
    std::string Caption;
    TRect ValueRect;
    TRect CaptionRect;
    std::string HelpText;
    std::string Key;
    bool AllowClose = true;
    std::int32_t Tag = 0;
    TObject* Data = nullptr;
    TPropRowClass ItemClass = nullptr;
    CFxProp_b* Link = nullptr;
    CFxProp_b* BackLink = nullptr;
    std::uint8_t LinkFlags = 1;
    bool IsGroup = false;
    TColor FrameColor = 0;
    TColor ValueBackColor = PropNoColor;
    TColor ValueTextColor = 0xFF0000;
    THash* Hash = nullptr;
    TNotifyEvent OnClick;
    const ColorScheme* Scheme = nullptr;

    // The virtual operations, in their slot order.
    virtual bool CanToggle();
    virtual void SetBackColor(TColor Color);
    virtual void SetTextColor(TColor Color);
    virtual void SetExpanded(bool Value);
    virtual void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell);
    virtual void PaintHelp(TPropPainter& Painter, const TRect& Rect);
    virtual void MouseMove(int X, int YInRow);
    virtual void ClickValue(int X, int Y);
    virtual void ClickCaption(int X, int Y);
    // Mode: the column the row was opened from; None when it is closed, or opened
    // by EndEdit with a row.
    virtual void SetActive(bool Active, TPropColumn Mode);
    virtual void PlaceEditor();
    virtual void KeyPress(const TPropKeyMessage& Message);
    virtual void SetLink(CFxProp_b* Item);
    virtual void SetBackLink(CFxProp_b* Item);
    // What a kind calls after the user changed the value: linked rows take it, then the
    // page's change event fires once, for this row.
    virtual void Changed();
    // How callers, the page and linked rows set a value: no event, no repaint.
    virtual void SetValue(const std::string& Text);
    virtual bool EditorFocused();
    virtual void SetCaptionRect(const TRect& Rect);
    virtual void FocusEditor();
    // The initialiser every kind extends (base first): page, parent, defaults, colours.
    virtual void Create(CFxPropPageLogic* APage, CFxProp_b* AParent);
    virtual void MouseLeave();
    virtual void MouseEnter();
    virtual void Assign(CFxProp_b* Item);

    CFxProp_b* AddItem(TPropRowClass Kind, const std::string& ACaption, const std::string& AValue,
                       TColor ABackColor, TColor ATextColor, std::int32_t AIconIndex);
    CFxProp_b* AddGroup(const std::string& ACaption, TColor ABackColor, TColor ATextColor, std::int32_t AIconIndex,
                        std::int32_t AOpenIconIndex);
    CFxProp_b* AddCopy(CFxProp_b* Template);
    // Out of the tree into the page's removed rows, alive until the page goes.
    void Remove();
    // Out of the tree and freed once no handler runs any more: rows deleted from inside
    // a row's own event stay valid until it returns.
    void Delete();
    void SetParent(CFxProp_b* NewParent);
    CFxProp_b* NextRow() const;
    void DoClick();
    TColor GetFrameColor() const;
    TColor GetValueTextColor() const;
    TColor GetValueBackColor() const;
    void SetValueRect(const TRect& Rect);
    void PaintFrame(TPropPainter& Painter, int Left, int Top, int Right, int Bottom, TColor Color);

    // The painter in the row's colours (brush and pen its background, text its text
    // colour), or in the page's colours as the help box uses them.
    void UseRowColors(TPropPainter& Painter) const;
    void UsePageColors(TPropPainter& Painter) const;

    // The page repaints at once.
    void Repaint();
    // This row or one above it is Row.
    bool IsWithin(const CFxProp_b* Row) const;

protected:
    // Takes the row out of its parent's children; null when it is in none.
    std::unique_ptr<CFxProp_b> Detach();
};

// A group: shows its children while expanded (it starts open) and passes colours down.
class CFxProp_Group : public CFxProp_b {
public:
    void SetBackColor(TColor Color) override;
    void SetTextColor(TColor Color) override;
    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void ClickValue(int X, int Y) override;
    void ClickCaption(int X, int Y) override;
    void Create(CFxPropPageLogic* APage, CFxProp_b* AParent) override;
};

// A list group: starts collapsed; a click on its value opens it, then adds a child of
// NewClass each time and hands it to OnClick.
class CFxProp_GroupPropCrea : public CFxProp_b {
public:
    TColor NewBackColor = 0xFFFF;
    std::int32_t NewIconIndex = -1;
    std::int32_t NewTag = -1;
    TPropRowClass NewClass = nullptr;

    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void ClickValue(int X, int Y) override;
    void ClickCaption(int X, int Y) override;
    void Create(CFxPropPageLogic* APage, CFxProp_b* AParent) override;
};

// A colour as decimal text; empty is no colour. The value click opens the colour chooser.
class CFxProp_Color : public CFxProp_b {
public:
    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void PaintHelp(TPropPainter& Painter, const TRect& Rect) override;
    void ClickValue(int X, int Y) override;
};

// "true" or "false"; anything else set or clicked becomes "false".
class CFxProp_CheckBox : public CFxProp_b {
public:
    bool IsChecked() const;
    void SetChecked(bool State);
    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void PaintHelp(TPropPainter& Painter, const TRect& Rect) override;
    void ClickValue(int X, int Y) override;
    void SetValue(const std::string& Text) override;
    void Create(CFxPropPageLogic* APage, CFxProp_b* AParent) override;
};

// Caption and value as one text across the line; nothing to click.
class CFxProp_Const : public CFxProp_b {
public:
    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
};

// A clickable line: a click on caption or value fires OnClick; under the mouse the
// pointer becomes a hand and the value is underlined.
class CFxProp_Action : public CFxProp_b {
public:
    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void ClickValue(int X, int Y) override;
    void ClickCaption(int X, int Y) override;
    void MouseLeave() override;
    void MouseEnter() override;
};

// The number of a colour text, or false for the empty text and for anything that is
// not a number (which paints as no colour).
bool ColorValue(const std::string& Text, TColor& Color);
