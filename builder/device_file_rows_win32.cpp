#include "device_file_rows.h"

#include "device_file_logic.h"
#include "prop_editor_rows.h"
#include "prop_page.h"
#include "shortcut_logic.h"
#include "ui_application.h"

namespace {

std::unique_ptr<TComboBox> MakeList(CFxProp_b& Row, const TArrayOfString& Items)
{
    auto Combo = std::make_unique<TComboBox>(nullptr);
    Combo->SetVisible(false);
    if (CFxPropPage* P = PageWindow(Row)) {
        Combo->Font().Assign(P->Font());
        Combo->SetParent(P);
    }
    Combo->SetItems(Items);
    // Choice only, once the items are in.
    Combo->SetStyle(csDropDownList);
    return Combo;
}

std::unique_ptr<CFxEdit> MakeFileEdit(CFxProp_b& Row)
{
    auto Edit = std::make_unique<CFxEdit>(nullptr);
    Edit->SetStyle(ES_File);
    Edit->SetVisible(false);
    if (CFxPropPage* P = PageWindow(Row)) {
        Edit->Font().Assign(P->Font());
        Edit->SetParent(P);
    }
    return Edit;
}

// A list or the file box may be what sent the notice that leads here: they go once
// it is over.
template <class Control>
void FreeLater(std::unique_ptr<Control>& C)
{
    if (!C)
        return;
    C->OnChange = nullptr;
    C->OnKeyDown = nullptr;
    Application().DestroyLater(C.release());
}

template <class Control>
void Hide(const std::unique_ptr<Control>& C)
{
    if (C && C->Visible())
        C->SetVisible(false);
}

template <class Control>
void Place(Control& C, CFxProp_b& Row, int Left, int Top, int Width)
{
    C.SetBounds(Left, Top, Width, C.Height());
    C.SetColor(Row.BackColor);
    C.Font().SetColor(Row.TextColor);
}

void OpenList(TComboBox& C, CFxProp_b& Row, const TRect& Cell, int Left, int Width, const std::string& Field)
{
    const TNotifyEvent Change = C.OnChange;
    C.OnChange = nullptr;
    // A field that matches no item opens the list without a selection.
    int Index = -1;
    for (std::size_t I = 0; I < C.Items().size(); ++I)
        if (C.Items()[I] == Field)
            Index = static_cast<int>(I);
    C.SetItemIndex(Index);
    C.OnChange = Change;
    Place(C, Row, Left, Cell.Top, Width);
    C.SetVisible(true);
    SetWindowPos(C.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The file chooser over Cell; a changed file goes into field Index of Count.
void ChooseFile(CFxProp_b& Row, CFxEdit& Edit, const TRect& Cell, int Width, int Count, int Index,
                const std::string& Key)
{
    Place(Edit, Row, Cell.Left, Cell.Top, Width);
    TArrayOfString F = Count == 3 ? SplitPDFile(Row.Value) : SplitCDFile(Row.Value);
    const std::string Old = F[static_cast<std::size_t>(Index)];
    Edit.SetText(Old);
    Edit.HKey_DirFile = Key;
    Edit.SetVisible(true);
    Edit.Browse();
    const std::string Chosen = Edit.Text();
    if (Chosen != Old) {
        Row.SetValue(ReplaceDeviceField(Row.Value, Count, Index, Chosen));
        Row.Changed();
    }
    if (Row.Page)
        Row.Page->EndEdit(nullptr);
}

void ListChosen(CFxProp_b& Row, TComboBox& C, int Count, int Index)
{
    const int I = C.ItemIndex();
    if (I < 0 || I >= static_cast<int>(C.Items().size()))
        return;
    Row.SetValue(ReplaceDeviceField(Row.Value, Count, Index, C.Items()[static_cast<std::size_t>(I)]));
    Row.Changed();
}

void ListKey(CFxProp_b& Row, WORD& Key)
{
    if (Key != VK_RETURN)
        return;
    Key = 0;
    if (Row.Page)
        Row.Page->EndEdit(nullptr);
    Row.Repaint();
}

void PaintCross(TPropPainter& Painter, const TRect& L)
{
    Painter.SetPenColor(255);
    Painter.MoveTo(L.Left + 5, L.Top + 5);
    Painter.LineTo(L.Right - 5, L.Bottom - 4);
    Painter.MoveTo(L.Left + 5, L.Bottom - 5);
    Painter.LineTo(L.Right - 5, L.Top + 4);
}

void PaintCell(CFxProp_b& Row, TPropPainter& Painter, const TRect& Cell, const std::string& Text, int Alignment)
{
    Painter.AlignedText(Cell, Text, Alignment, false);
    Row.PaintFrame(Painter, Cell.Left, Cell.Top, Cell.Right - 1, Cell.Bottom - 1, Row.BackColor);
}

// The file cell: the file, or Prompt right-aligned and underlined in the frame colour.
void PaintFileCell(CFxProp_b& Row, TPropPainter& Painter, const TRect& Cell, const std::string& File,
                   const std::string& Prompt)
{
    if (File.empty()) {
        Painter.SetFontColor(Row.GetFrameColor());
        Painter.AlignedText(Cell, Prompt, 4, true);
    } else {
        Painter.AlignedText(Cell, File, 3, false);
    }
    Row.PaintFrame(Painter, Cell.Left, Cell.Top, Cell.Right - 1, Cell.Bottom - 1, Row.BackColor);
}

void PaintHelpLines(CFxProp_b& Row, TPropPainter& Painter, const TRect& Rect, const TArrayOfString& Lines,
                    const std::string& File)
{
    Row.UsePageColors(Painter);
    int Top = Rect.Top;
    for (std::size_t I = 0; I < Lines.size(); ++I) {
        if (Top + 12 > Rect.Bottom)
            break;
        std::string Line = Lines[I];
        if (Line.rfind("File: ", 0) == 0)
            Line = ShortcutFileLine(File, Rect.Right - Rect.Left,
                                    [&Painter](const std::string& S) { return Painter.TextWidth(S); });
        Painter.AlignedText(TRect{Rect.Left, Top, Rect.Right, Top + 12}, Line, I == 0 ? 5 : 3, false);
        Top += 12;
    }
}

} // namespace

// --- CFxProp_PDFile -------------------------------------------------------------------

void CFxProp_PDFile::Create(CFxPropPageLogic* APage, CFxProp_b* AParent)
{
    CFxProp_b::Create(APage, AParent);
    CpuCombo = MakeList(*this, PDFileCpus());
    CpuCombo->OnChange = [this](TObject* S) { CpuChange(S); };
    CpuCombo->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) { CpuKeyDown(S, Key, Shift); };
    FileEdit = MakeFileEdit(*this);
    DestCombo = MakeList(*this, PDFileDestinations());
    DestCombo->OnChange = [this](TObject* S) { DestChange(S); };
    DestCombo->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) { DestKeyDown(S, Key, Shift); };
}

CFxProp_PDFile::~CFxProp_PDFile()
{
    FreeLater(CpuCombo);
    FreeLater(FileEdit);
    FreeLater(DestCombo);
}

void CFxProp_PDFile::SetActive(bool Active, TPropColumn Mode)
{
    if (!Active) {
        Hide(CpuCombo);
        Hide(FileEdit);
        Hide(DestCombo);
        return;
    }
    if (Mode == TPropColumn::Expander) {
        if (OnDelete)
            OnDelete(this);
        Remove();
        Repaint();
        return;
    }
    if (Mode == TPropColumn::Caption && CpuCombo)
        OpenList(*CpuCombo, *this, CaptionRect, CaptionRect.Left, CaptionRect.Right - CaptionRect.Left,
                 SplitPDFile(Value)[pfCpu]);
    // The value column's halves need the click's place: ClickValue follows with it.
}

void CFxProp_PDFile::ClickValue(int X, int)
{
    const TRect& V = ValueRect;
    const int Middle = DeviceValueMiddle(V.Left, V.Right), Half = (V.Right - V.Left) / 2;
    if (X < Middle) {
        if (FileEdit)
            ChooseFile(*this, *FileEdit, V, Half, 3, pfFile, HKey_DirFile);
    } else if (DestCombo) {
        OpenList(*DestCombo, *this, V, Middle, Half, SplitPDFile(Value)[pfDestination]);
    }
}

bool CFxProp_PDFile::EditorFocused()
{
    return (CpuCombo && CpuCombo->Visible()) || (FileEdit && FileEdit->Visible()) ||
           (DestCombo && DestCombo->Visible());
}

void CFxProp_PDFile::FocusEditor()
{
    if (FileEdit && FileEdit->Visible())
        FileEdit->SetFocus();
    else if (CpuCombo && CpuCombo->Visible())
        CpuCombo->SetFocus();
    else if (DestCombo && DestCombo->Visible())
        DestCombo->SetFocus();
}

void CFxProp_PDFile::CpuChange(TObject*) { ListChosen(*this, *CpuCombo, 3, pfCpu); }

void CFxProp_PDFile::DestChange(TObject*) { ListChosen(*this, *DestCombo, 3, pfDestination); }

void CFxProp_PDFile::CpuKeyDown(TObject*, WORD& Key, TShiftState) { ListKey(*this, Key); }

void CFxProp_PDFile::DestKeyDown(TObject*, WORD& Key, TShiftState) { ListKey(*this, Key); }

void CFxProp_PDFile::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell,
                           const TRect& LeftCell)
{
    const TArrayOfString F = SplitPDFile(Value);
    UseRowColors(Painter);
    PaintCell(*this, Painter, CaptionCell, F[pfCpu], 3);
    const int Middle = (ValueCell.Left + ValueCell.Right) / 2;
    PaintFileCell(*this, Painter, TRect{ValueCell.Left, ValueCell.Top, Middle - 1, ValueCell.Bottom}, F[pfFile],
                  "Add file");
    // In the colour then current: the frame colour after "Add file".
    PaintCell(*this, Painter, TRect{Middle, ValueCell.Top, ValueCell.Right, ValueCell.Bottom}, F[pfDestination], 5);
    PaintCross(Painter, LeftCell);
}

void CFxProp_PDFile::PaintHelp(TPropPainter& Painter, const TRect& Rect)
{
    PaintHelpLines(*this, Painter, Rect, PDFileHelpLines(Value), SplitPDFile(Value)[pfFile]);
}

// --- CFxProp_CDFile -------------------------------------------------------------------

void CFxProp_CDFile::Create(CFxPropPageLogic* APage, CFxProp_b* AParent)
{
    CFxProp_b::Create(APage, AParent);
    ColorsCombo = MakeList(*this, CDFileColors());
    ColorsCombo->OnChange = [this](TObject* S) { ColorsChange(S); };
    ColorsCombo->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) { ColorsKeyDown(S, Key, Shift); };
    FileEdit = MakeFileEdit(*this);
}

CFxProp_CDFile::~CFxProp_CDFile()
{
    FreeLater(ColorsCombo);
    FreeLater(FileEdit);
}

void CFxProp_CDFile::SetActive(bool Active, TPropColumn Mode)
{
    if (!Active) {
        Hide(ColorsCombo);
        Hide(FileEdit);
        return;
    }
    if (Mode == TPropColumn::Expander) {
        if (OnDelete)
            OnDelete(this);
        Remove();
        Repaint();
        return;
    }
    if (Mode == TPropColumn::Caption && ColorsCombo)
        OpenList(*ColorsCombo, *this, CaptionRect, CaptionRect.Left, CaptionRect.Right - CaptionRect.Left,
                 SplitCDFile(Value)[cfColors]);
    else if (Mode == TPropColumn::Value && FileEdit)
        ChooseFile(*this, *FileEdit, ValueRect, ValueRect.Right - ValueRect.Left, 2, cfFile, HKey_DirFile);
}

bool CFxProp_CDFile::EditorFocused()
{
    return (ColorsCombo && ColorsCombo->Visible()) || (FileEdit && FileEdit->Visible());
}

void CFxProp_CDFile::FocusEditor()
{
    if (FileEdit && FileEdit->Visible())
        FileEdit->SetFocus();
    else if (ColorsCombo && ColorsCombo->Visible())
        ColorsCombo->SetFocus();
}

void CFxProp_CDFile::ColorsChange(TObject*) { ListChosen(*this, *ColorsCombo, 2, cfColors); }

void CFxProp_CDFile::ColorsKeyDown(TObject*, WORD& Key, TShiftState) { ListKey(*this, Key); }

void CFxProp_CDFile::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell,
                           const TRect& LeftCell)
{
    const TArrayOfString F = SplitCDFile(Value);
    UseRowColors(Painter);
    PaintCell(*this, Painter, CaptionCell, F[cfColors], 3);
    PaintFileCell(*this, Painter, ValueCell, F[cfFile], "Click to define");
    PaintCross(Painter, LeftCell);
}

void CFxProp_CDFile::PaintHelp(TPropPainter& Painter, const TRect& Rect)
{
    PaintHelpLines(*this, Painter, Rect, CDFileHelpLines(Value), SplitCDFile(Value)[cfFile]);
}
