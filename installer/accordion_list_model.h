#pragma once

#include "object.h"
#include "color.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CFxListItem;
class CFxListModel;

// A row's click handler: the row clicked.
using TFxItemEvent = std::function<void(CFxListItem* Row)>;

enum TFxItemKind : std::uint8_t { ikGroup = 0, ikAction = 1, ikBar = 2 };

// The colour and height arguments that mean "as the parent" and "as the list".
constexpr TColor FxParentColor = 0xFFFFFFFFu;
constexpr std::int32_t FxListHeight = -1;

// The character height of a group row's caption, two points larger than the list's
// font of FontHeight pixels (negative, as the font keeps it) at PixelsPerInch: the
// size is taken in points and back again, each step rounded as the platform's font
// sizes are, so a 96 dpi font of 11 pixels (8 points) gives one of 13 (10 points).
std::int32_t GroupCaptionHeight(std::int32_t FontHeight, std::int32_t PixelsPerInch);

// What draws the rows of one paint; the walk itself is the list's layout.
class IFxListPainter {
public:
    virtual ~IFxListPainter() = default;
    virtual void PaintRow(const CFxListItem& Row, std::int32_t X, std::int32_t Y, std::int32_t W) = 0;
    virtual void PaintTopDecoration(std::int32_t X, std::int32_t Y, std::int32_t W) = 0;
    virtual void PaintBottomDecoration(std::int32_t X, std::int32_t Y, std::int32_t W) = 0;
};

// One row of the accordion list: a group row (root, groups, installations), an action
// row or a separator bar. A row owns its children; rows live as long as the list.
class CFxListItem : public TObject {
public:
    CFxListItem(CFxListItem* AParent, CFxListModel* AList);
    ~CFxListItem() override;
    CFxListItem(const CFxListItem&) = delete;
    CFxListItem& operator=(const CFxListItem&) = delete;

    CFxListItem* Parent() const { return FParent; }
    CFxListModel* List() const { return FList; }
    std::int32_t Count() const { return static_cast<std::int32_t>(FChildren.size()); }
    // Null outside 0..Count - 1.
    CFxListItem* Child(std::int32_t Index) const;
    std::int32_t IndexOf(const CFxListItem* Row) const;

    CFxListItem* AddGroup(const std::string& ACaption, std::int32_t AImageIndex, TFxItemEvent AOnClick,
                          TColor AColor = FxParentColor, std::int32_t AHeight = FxListHeight);
    CFxListItem* AddAction(const std::string& ACaption, std::int32_t AImageIndex, TFxItemEvent AOnClick,
                           TColor AColor = FxParentColor, std::int32_t AHeight = FxListHeight);
    CFxListItem* AddBar(TColor AColor = FxParentColor);

    // This row or the first below it, depth first, of Kind with exactly Key.
    CFxListItem* FindByKey(const std::string& AKey, TFxItemKind AKind);
    // Opens or closes as a click of the user does, then runs OnClick.
    void Click();
    // The row at Y among those of the last layout, or null.
    CFxListItem* HitTest(std::int32_t AX, std::int32_t AY);

    TColor Color() const { return FColor; }
    // This row and every row below it.
    void SetColor(TColor Value);
    TColor SelColor() const { return FSelColor; }
    // This row and its direct children.
    void SetSelColor(TColor Value);
    void SetGroupHeight(std::int32_t Value);
    void SetActionFactor(double Value);
    void SetGroupFactor(double Value);

    std::int32_t Height = 10;
    std::string Caption;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool Hot = false;
    bool Down = false;
    std::int32_t OpenIndex = -1;
    std::int32_t ImageIndex = -1;
    TFxItemKind Kind = ikGroup;
    TFxItemEvent OnClick;
    double ColorFactor = 0;
    bool Enabled = true;
    TObject* Data = nullptr;
    std::string Key;

    // The open child, or null.
    CFxListItem* OpenChild() const { return Child(OpenIndex); }
    // Laid out by the last layout (not hidden or scrolled away).
    bool Listed() const;

private:
    friend class CFxListModel;
    CFxListItem* Append(TFxItemKind AKind, const std::string& ACaption, std::int32_t AImageIndex, TFxItemEvent AOnClick,
                        TColor AColor, std::int32_t AHeight);
    void Layout(std::int32_t AX, std::int32_t AY, std::int32_t W, std::int64_t& Remaining, bool WithChildren,
                IFxListPainter* Painter);
    void LayoutChildren(std::int32_t AX, std::int32_t AY, std::int32_t W, std::int64_t& Remaining,
                        IFxListPainter* Painter);

    CFxListItem* FParent;
    CFxListModel* FList;
    std::vector<std::unique_ptr<CFxListItem>> FChildren;
    TColor FColor = 0xFFFFFF;
    TColor FSelColor = 0;
    std::uint32_t FLayoutStamp = 0;
};

// The accordion list apart from its window: the rows, the sizes and colour factors,
// the open path, the first shown row and hidden count of the listed level, and the
// pointer's hot, pressed and last clicked rows. Positions come from the last layout,
// which every change and every paint redoes.
class CFxListModel : public TObject {
public:
    CFxListModel();
    ~CFxListModel() override;
    CFxListModel(const CFxListModel&) = delete;
    CFxListModel& operator=(const CFxListModel&) = delete;

    CFxListItem* Items() const { return FRoot.get(); }
    CFxListItem* FindItem(const std::string& Key, TFxItemKind Kind) { return FRoot->FindByKey(Key, Kind); }

    std::int32_t Width() const { return FWidth; }
    std::int32_t Height() const { return FHeight; }
    // A change of size lists the level from its first row again.
    void SetSize(std::int32_t AWidth, std::int32_t AHeight);

    std::int32_t BHeight() const { return FBHeight; }
    void SetBHeight(std::int32_t Value);
    std::int32_t GHeight() const { return FGHeight; }
    // Also the height of every group row there is.
    void SetGHeight(std::int32_t Value);
    std::int32_t AHeight() const { return FAHeight; }
    void SetAHeight(std::int32_t Value);
    double ActionCC() const { return FActionCC; }
    void SetActionCC(double Value);
    double GroupCC() const { return FGroupCC; }
    void SetGroupCC(double Value);
    double ColorC() const { return FColorC; }
    void SetColorC(double Value);
    TColor Color() const { return FColor; }
    // Recolours every row.
    void SetColor(TColor Value);
    TColor SelColor() const { return FSelColor; }
    void SetSelColor(TColor Value);

    std::int32_t FirstShown() const { return FFirstShown; }
    void SetFirstShown(std::int32_t Value);
    std::int32_t HiddenCount() const { return FHiddenCount; }

    CFxListItem* ActiveItem() const { return FActiveItem; }
    CFxListItem* DownItem() const { return FDownItem; }
    CFxListItem* LastCItem() const { return FLastCItem; }

    // Null above the root and for rows that are not enabled.
    CFxListItem* ItemAt(std::int32_t X, std::int32_t Y);
    void MouseDown(std::int32_t X, std::int32_t Y);
    void MouseUp(std::int32_t X, std::int32_t Y);
    void MouseMove(std::int32_t X, std::int32_t Y);
    // The press went elsewhere: no row stays held.
    void CancelPress();

    // The walk of one paint: positions every shown row, has Painter draw it (when
    // given) and answers the hidden count.
    std::int32_t Layout(IFxListPainter* Painter = nullptr);
    // Lays out again and tells the window.
    void Changed();

    // Raised with a null Sender at a release over the row the press was on.
    TNotifyEvent OnGroupClick;
    // The window repaints; the layout is fresh when it is called.
    std::function<void()> OnRepaint;

private:
    friend class CFxListItem;
    void SetActiveItem(CFxListItem* Row);
    void SetDownItem(CFxListItem* Row);

    std::unique_ptr<CFxListItem> FRoot;
    std::int32_t FWidth = 100;
    std::int32_t FHeight = 200;
    std::int32_t FBHeight = 2;
    std::int32_t FGHeight = 50;
    std::int32_t FAHeight = 25;
    double FActionCC = 1.5;
    double FGroupCC = 1.7;
    double FColorC = 1.6;
    TColor FColor = 0;
    TColor FSelColor = 0;
    std::int32_t FFirstShown = 0;
    std::int32_t FHiddenCount = 0;
    CFxListItem* FActiveItem = nullptr;
    CFxListItem* FDownItem = nullptr;
    CFxListItem* FLastCItem = nullptr;
    std::uint32_t FLayoutStamp = 0;
};
