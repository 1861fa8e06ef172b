#pragma once

#include "fx_edit.h"
#include "prop_rows.h"
#include "ui_combo_box.h"

#include <memory>
#include <string>

class CFxPropPage;

// A text edited in place: a filtered edit box over the value cell while the row is
// active, with its style's chooser. A click in the left column empties a file or
// directory value; Enter and a click elsewhere commit, Escape restores.
class CFxProp_Edit : public CFxProp_b {
public:
    ~CFxProp_Edit() override;

    CFxEdit* Editor = nullptr;
    TEditStyle Style = ES_String;
    DLG_Style DlgStyle = DLG_File;
    std::string ExData;
    TCharSet BlockedChars;
    // What the editor accepts instead of its style's set; empty: the style's.
    TCharSet AllowedChars;
    std::string HKey_DirFile;

    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void PaintHelp(TPropPainter& Painter, const TRect& Rect) override;
    void ClickValue(int X, int Y) override;
    void SetActive(bool Active, TPropColumn Mode) override;
    void PlaceEditor() override;
    void SetValue(const std::string& Text) override;
    bool EditorFocused() override;
    void FocusEditor() override;
    void Assign(CFxProp_b* Item) override;

    void EditorReturn(TObject* Sender);
    void EditorEscape(TObject* Sender);
};

// A choice from a list shown over the value cell; every change is taken at once.
class CFxProp_CBox : public CFxProp_b {
public:
    ~CFxProp_CBox() override;

    std::unique_ptr<TComboBox> Combo;
    // Called with the row each time before the list is shown.
    TNotifyEvent OnFill;

    TArrayOfString& GetItems() { return FItems; }
    // The platform's combo-box style: 0 editable, 2 a choice-only list.
    void SetStyle(int Style);

    void ClickValue(int X, int Y) override;
    void SetActive(bool Active, TPropColumn Mode) override;
    void PlaceEditor() override;
    bool EditorFocused() override;
    void FocusEditor() override;
    void Create(CFxPropPageLogic* APage, CFxProp_b* AParent) override;

    void ComboChange(TObject* Sender);
    void ComboKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);

private:
    TArrayOfString FItems;
};

// One shortcut (Name|Type|File|Destination|Group): its name edited in place, the
// whole of it in the shortcut editor, and a red cross that deletes the row.
class CFxProp_SCut : public CFxProp_b {
public:
    ~CFxProp_SCut() override;

    CFxEdit* Editor = nullptr;
    // Fired with the row before it leaves the page through its cross.
    TNotifyEvent OnDelete;
    std::string HKey_DirFile;
    std::int32_t DeviceMode = -1;

    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void PaintHelp(TPropPainter& Painter, const TRect& Rect) override;
    void ClickValue(int X, int Y) override;
    void SetActive(bool Active, TPropColumn Mode) override;
    void PlaceEditor() override;
    bool EditorFocused() override;
    void FocusEditor() override;

    void EditorReturn(TObject* Sender);
    void EditorEscape(TObject* Sender);
};

// The page a row of these kinds lies on, or null.
CFxPropPage* PageWindow(const CFxProp_b& Row);
