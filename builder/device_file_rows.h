#pragma once

#include "fx_edit.h"
#include "prop_rows.h"
#include "ui_combo_box.h"

#include <memory>
#include <string>

// The device-dependent file rows of the installation page, one file each: a
// processor-dependent file of a Pocket PC installation (CPU|File|Destination) and a
// colour-depth-dependent file of a Palm OS one (Colors|File). The caption cell
// chooses the processor or colours from a list, the value cell the file through
// the file chooser (and, for a processor, the destination from a list in its right
// half); the red cross in the left column deletes the row.
class CFxProp_PDFile : public CFxProp_b {
public:
    ~CFxProp_PDFile() override;

    std::unique_ptr<TComboBox> CpuCombo;
    std::unique_ptr<CFxEdit> FileEdit;
    std::unique_ptr<TComboBox> DestCombo;
    // Fired with the row right before it leaves the page through its cross.
    TNotifyEvent OnDelete;
    std::string HKey_DirFile;

    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void PaintHelp(TPropPainter& Painter, const TRect& Rect) override;
    void ClickValue(int X, int Y) override;
    void SetActive(bool Active, TPropColumn Mode) override;
    bool EditorFocused() override;
    void FocusEditor() override;
    void Create(CFxPropPageLogic* APage, CFxProp_b* AParent) override;

    void CpuChange(TObject* Sender);
    void CpuKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void DestChange(TObject* Sender);
    void DestKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
};

class CFxProp_CDFile : public CFxProp_b {
public:
    ~CFxProp_CDFile() override;

    std::unique_ptr<TComboBox> ColorsCombo;
    std::unique_ptr<CFxEdit> FileEdit;
    TNotifyEvent OnDelete;
    std::string HKey_DirFile;

    void Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell, const TRect& LeftCell) override;
    void PaintHelp(TPropPainter& Painter, const TRect& Rect) override;
    void SetActive(bool Active, TPropColumn Mode) override;
    bool EditorFocused() override;
    void FocusEditor() override;
    void Create(CFxPropPageLogic* APage, CFxProp_b* AParent) override;

    void ColorsChange(TObject* Sender);
    void ColorsKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
};
