#include "prop_editor_rows.h"

#include "exceptions.h"
#include "prop_page.h"
#include "shortcut_editor.h"
#include "shortcut_logic.h"
#include "string_helpers.h"
#include "ui_application.h"

#include <algorithm>

namespace {

// An in-place editor over Cell, on the row's page, in the row's colours.
CFxEdit* OpenEditor(CFxProp_b& Row, const TRect& Cell, TEditStyle Style)
{
    CFxPropPage* Page = PageWindow(Row);
    if (!Page)
        return nullptr;
    auto* E = new CFxEdit(nullptr);
    E->SetStyle(Style);
    E->SetVisible(false);
    E->Font().Assign(Page->Font());
    E->SetParent(Page);
    E->SetBounds(Cell.Left, Cell.Top, Cell.Right - Cell.Left, E->Height());
    E->SetColor(Row.BackColor);
    E->Font().SetColor(Row.TextColor);
    E->Scheme = Row.Scheme;
    return E;
}

void ShowEditor(CFxEdit& E)
{
    E.SetVisible(true);
    E.SetFocus();
}

// Freed once its own Enter or Escape handler, which may be what closes it, is over.
void CloseEditor(CFxEdit*& E)
{
    CFxEdit* Closing = E;
    E = nullptr;
    Closing->OnReturn = nullptr;
    Closing->OnEscape = nullptr;
    Closing->OnChange = nullptr;
    Application().DestroyLater(Closing);
}

void GiveFocusBack(CFxProp_b& Row)
{
    if (Row.Page && !Row.Page->InDestroy)
        Row.Page->TakeFocus();
}

bool FileExists(const std::string& Name)
{
    if (Name.empty())
        return false;
    const DWORD A = GetFileAttributesA(Name.c_str());
    return A != INVALID_FILE_ATTRIBUTES && !(A & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FirstLine(const std::string& S)
{
    const std::size_t Break = S.find_first_of("\r\n");
    return Break == std::string::npos ? S : S.substr(0, Break);
}

std::vector<std::string> Lines(const std::string& S)
{
    std::vector<std::string> L;
    std::string Cur;
    for (std::size_t I = 0; I < S.size(); ++I) {
        const char C = S[I];
        if (C == '\r' || C == '\n') {
            L.push_back(Cur);
            Cur.clear();
            // "\r\n" and "\n\r" are one break.
            if (I + 1 < S.size() && (S[I + 1] == '\r' || S[I + 1] == '\n') && S[I + 1] != C)
                ++I;
        } else {
            Cur += C;
        }
    }
    L.push_back(Cur);
    return L;
}

} // namespace

CFxPropPage* PageWindow(const CFxProp_b& Row) { return dynamic_cast<CFxPropPage*>(Row.Page); }

// --- CFxProp_Edit ---------------------------------------------------------------------

CFxProp_Edit::~CFxProp_Edit()
{
    if (Editor)
        CloseEditor(Editor);
}

void CFxProp_Edit::SetActive(bool Active, TPropColumn Mode)
{
    if (Active && Mode == TPropColumn::Expander) {
        // A clear of an empty value changes nothing and says nothing.
        if ((Style == ES_File || Style == ES_Dir) && !Value.empty()) {
            Value.clear();
            Changed();
            Repaint();
        }
        return;
    }
    if (Active && Mode == TPropColumn::Value) {
        if (Editor)
            CloseEditor(Editor);
        Editor = OpenEditor(*this, ValueRect, Style);
        if (!Editor)
            return;
        Editor->DlgStyle = DlgStyle;
        Editor->ExData = ExData;
        Editor->SetText(Value);
        Editor->SetBlockedChars(BlockedChars);
        if (AllowedChars.any())
            Editor->SetAllowedChars(AllowedChars);
        Editor->HKey_DirFile = HKey_DirFile;
        Editor->OnReturn = [this](TObject* S) { EditorReturn(S); };
        Editor->OnEscape = [this](TObject* S) { EditorEscape(S); };
        ShowEditor(*Editor);
        return;
    }
    if (!Active && Editor) {
        const std::string Text = Editor->Text();
        CloseEditor(Editor);
        if (Text != Value) {
            SetValue(Text);
            Changed();
        }
        GiveFocusBack(*this);
    }
}

void CFxProp_Edit::ClickValue(int, int)
{
    if (!Editor)
        return;
    Editor->Browse();
    if (Style == ES_File || Style == ES_Dir || Style == ES_Rect || Style == ES_Memo) {
        if (Page)
            Page->EndEdit(nullptr);
        Repaint();
    }
}

void CFxProp_Edit::EditorReturn(TObject*)
{
    if (Page)
        Page->EndEdit(nullptr);
    Repaint();
}

void CFxProp_Edit::EditorEscape(TObject*)
{
    if (!Editor)
        return;
    Editor->OnChange = nullptr;
    Editor->SetText(Value);
    if (Page)
        Page->EndEdit(nullptr);
}

void CFxProp_Edit::SetValue(const std::string& Text)
{
    CFxProp_b::SetValue(Text);
    if (Editor)
        Editor->SetText(Text);
}

void CFxProp_Edit::PlaceEditor()
{
    if (Editor)
        Editor->SetBounds(ValueRect.Left, ValueRect.Top, ValueRect.Right - ValueRect.Left, Editor->Height());
}

bool CFxProp_Edit::EditorFocused() { return Editor && Editor->Focused(); }

void CFxProp_Edit::FocusEditor()
{
    if (Editor)
        Editor->SetFocus();
}

void CFxProp_Edit::Assign(CFxProp_b* Item)
{
    CFxProp_b::Assign(Item);
    auto* From = dynamic_cast<CFxProp_Edit*>(Item);
    if (!From)
        throw Exception("Invalid class typecast");
    BlockedChars = From->BlockedChars;
    AllowedChars = From->AllowedChars;
    ExData = From->ExData;
    Style = From->Style;
    DlgStyle = From->DlgStyle;
}

void CFxProp_Edit::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell,
                         const TRect& LeftCell)
{
    if (Style == ES_Dir || Style == ES_File) {
        UseRowColors(Painter);
        Painter.AlignedText(CaptionCell, Caption, 3, false);
        Painter.AlignedText(ValueCell, Value, 4, false);
        if (!Value.empty()) {
            Painter.AlignedText(LeftCell, "C", 5, false);
            Painter.Frame3D(LeftCell, TextColor, TextColor);
        }
        PaintFrame(Painter, ValueCell.Left, ValueCell.Top, ValueCell.Right - 1, ValueCell.Bottom - 1, BackColor);
        return;
    }
    if (Style == ES_Memo) {
        UseRowColors(Painter);
        Painter.AlignedText(CaptionCell, Caption, 3, false);
        const int Middle = (ValueCell.Left + ValueCell.Right) / 2;
        Painter.AlignedText(TRect{ValueCell.Left, ValueCell.Top, Middle, ValueCell.Bottom}, FirstLine(Value), 3,
                        false);
        Painter.SetFontColor(GetValueTextColor());
        Painter.AlignedText(TRect{Middle, ValueCell.Top, ValueCell.Right, ValueCell.Bottom}, "Click to Edit", 4,
                        false);
        return;
    }
    CFxProp_b::Paint(Painter, CaptionCell, ValueCell, LeftCell);
}

void CFxProp_Edit::PaintHelp(TPropPainter& Painter, const TRect& Rect)
{
    if (DlgStyle == DLG_Picture) {
        UsePageColors(Painter);
        // Nothing raises inside a paint: a file that holds no picture says so.
        if (!FileExists(Value))
            Painter.AlignedText(Rect, "File not found.", 5, false);
        else if (!Painter.DrawPicture(Value, Rect))
            Painter.AlignedText(Rect, "Not a picture.", 5, false);
        return;
    }
    if (Style == ES_Memo) {
        UsePageColors(Painter);
        int I = 0;
        for (const std::string& Line : Lines(Value)) {
            const int Top = Rect.Top + 15 * I++;
            if (Top > Rect.Bottom)
                break;
            Painter.AlignedText(TRect{Rect.Left, Top, Rect.Right, std::min(Top + 14, Rect.Bottom)}, Line, 3,
                            false);
        }
        return;
    }
    CFxProp_b::PaintHelp(Painter, Rect);
}

// --- CFxProp_CBox ---------------------------------------------------------------------

void CFxProp_CBox::Create(CFxPropPageLogic* APage, CFxProp_b* AParent)
{
    CFxProp_b::Create(APage, AParent);
    OnFill = nullptr;
    Combo = std::make_unique<TComboBox>(nullptr);
    Combo->SetStyle(csDropDown);
    Combo->SetVisible(false);
    if (CFxPropPage* P = PageWindow(*this)) {
        Combo->Font().Assign(P->Font());
        Combo->SetParent(P);
    }
    Combo->OnChange = [this](TObject* S) { ComboChange(S); };
    Combo->OnKeyDown = [this](TObject* S, WORD& Key, TShiftState Shift) { ComboKeyDown(S, Key, Shift); };
}

CFxProp_CBox::~CFxProp_CBox()
{
    if (Combo) {
        Combo->OnChange = nullptr;
        Combo->OnKeyDown = nullptr;
        // It may be the list whose own notice led here: it goes once that is over.
        Application().DestroyLater(Combo.release());
    }
}

void CFxProp_CBox::SetStyle(int Style)
{
    Combo->SetStyle(Style == 2 ? csDropDownList : Style == 1 ? csSimple : csDropDown);
}

void CFxProp_CBox::ClickValue(int, int)
{
    if (OnFill)
        OnFill(this);
    Combo->SetColor(BackColor);
    Combo->Font().SetColor(TextColor);
    const TNotifyEvent Change = Combo->OnChange;
    Combo->OnChange = nullptr;
    Combo->SetItems(FItems);
    const int Index = Combo->IndexOfText(Value);
    Combo->SetItemIndex(Index);
    if (Index < 0 && Combo->Style() != csDropDownList)
        Combo->SetText(Value);
    Combo->OnChange = Change;
    PlaceEditor();
    Combo->SetVisible(true);
    SetWindowPos(Combo->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CFxProp_CBox::SetActive(bool Active, TPropColumn)
{
    if (!Active)
        Combo->SetVisible(false);
}

void CFxProp_CBox::PlaceEditor()
{
    Combo->SetBounds(ValueRect.Left, ValueRect.Top, ValueRect.Right - ValueRect.Left, Combo->Height());
}

bool CFxProp_CBox::EditorFocused()
{
    if (!Combo->HandleAllocated())
        return false;
    HWND Focus = GetFocus();
    return Focus && (Focus == Combo->Handle() || IsChild(Combo->Handle(), Focus));
}

void CFxProp_CBox::FocusEditor()
{
    if (Combo->Visible())
        Combo->SetFocus();
}

void CFxProp_CBox::ComboChange(TObject*)
{
    // Typed text stays typed: while the list is open the system may select an item that
    // matches what was typed, but the edit's text is what the user wrote.
    const int I = Combo->ItemIndex();
    if (!Combo->ChangedByTyping() && I >= 0 && I < static_cast<int>(Combo->Items().size()))
        SetValue(Combo->Items()[static_cast<std::size_t>(I)]);
    else
        SetValue(Combo->Text());
    Changed();
}

void CFxProp_CBox::ComboKeyDown(TObject*, WORD& Key, TShiftState)
{
    if (Key != VK_RETURN)
        return;
    Key = 0;
    if (Page)
        Page->EndEdit(nullptr);
    Repaint();
}

// --- CFxProp_SCut ---------------------------------------------------------------------

CFxProp_SCut::~CFxProp_SCut()
{
    if (Editor)
        CloseEditor(Editor);
}

void CFxProp_SCut::SetActive(bool Active, TPropColumn Mode)
{
    if (Active && Mode == TPropColumn::Expander) {
        if (OnDelete)
            OnDelete(this);
        Remove();
        Repaint();
        return;
    }
    if (Active && Mode == TPropColumn::Caption) {
        if (Editor)
            CloseEditor(Editor);
        Editor = OpenEditor(*this, CaptionRect, ES_AllChars);
        if (!Editor)
            return;
        Editor->DlgStyle = DLG_File;
        Editor->ExData.clear();
        // "|" separates the fields of the value.
        TCharSet Blocked = Editor->BlockedChars();
        Blocked.set('|');
        Editor->SetBlockedChars(Blocked);
        Editor->SetText(SplitShortcut(Value)[sfName]);
        Editor->OnReturn = [this](TObject* S) { EditorReturn(S); };
        Editor->OnEscape = [this](TObject* S) { EditorEscape(S); };
        ShowEditor(*Editor);
        return;
    }
    if (Active && Mode == TPropColumn::Value) {
        TArrayOfString F = SplitShortcut(Value);
        if (EditShortcut(F[sfName], F[sfType], F[sfFile], F[sfDestination], F[sfGroup], HKey_DirFile, DeviceMode,
                         Scheme)) {
            SetValue(JoinShortcut(F));
            Changed();
        }
        return;
    }
    if (!Active) {
        if (Editor) {
            const std::string Text = Editor->Text();
            CloseEditor(Editor);
            TArrayOfString F = SplitShortcut(Value);
            if (Text != F[sfName]) {
                F[sfName] = Text;
                SetValue(JoinShortcut(F));
                Changed();
            }
        }
        GiveFocusBack(*this);
    }
}

void CFxProp_SCut::ClickValue(int, int)
{
    if (Page)
        Page->EndEdit(nullptr);
    Repaint();
}

void CFxProp_SCut::EditorReturn(TObject*)
{
    if (Page)
        Page->EndEdit(nullptr);
    Repaint();
}

void CFxProp_SCut::EditorEscape(TObject*)
{
    if (!Editor)
        return;
    Editor->OnChange = nullptr;
    Editor->SetText(SplitShortcut(Value)[sfName]);
    if (Page)
        Page->EndEdit(nullptr);
}

void CFxProp_SCut::PlaceEditor()
{
    // The name editor belongs over the caption cell, where the name is shown.
    if (Editor)
        Editor->SetBounds(CaptionRect.Left, CaptionRect.Top, CaptionRect.Right - CaptionRect.Left, Editor->Height());
}

bool CFxProp_SCut::EditorFocused() { return Editor && Editor->Focused(); }

void CFxProp_SCut::FocusEditor()
{
    if (Editor)
        Editor->SetFocus();
}

void CFxProp_SCut::Paint(TPropPainter& Painter, const TRect& CaptionCell, const TRect& ValueCell,
                         const TRect& LeftCell)
{
    UseRowColors(Painter);
    Painter.AlignedText(CaptionCell, SplitShortcut(Value)[sfName], 3, false);
    PaintFrame(Painter, CaptionCell.Left, CaptionCell.Top, CaptionCell.Right - 1, CaptionCell.Bottom - 1, BackColor);
    Painter.SetFontColor(GetValueTextColor());
    Painter.AlignedText(ValueCell, "Click to Edit", 4, false);
    Painter.SetPenColor(clRed);
    Painter.MoveTo(LeftCell.Left + 5, LeftCell.Top + 5);
    Painter.LineTo(LeftCell.Right - 5, LeftCell.Bottom - 4);
    Painter.MoveTo(LeftCell.Left + 5, LeftCell.Bottom - 5);
    Painter.LineTo(LeftCell.Right - 5, LeftCell.Top + 4);
}

void CFxProp_SCut::PaintHelp(TPropPainter& Painter, const TRect& Rect)
{
    UsePageColors(Painter);
    const TArrayOfString F = SplitShortcut(Value);
    int Top = Rect.Top;
    for (std::string Line : ShortcutHelpLines(Value)) {
        if (Top + 12 > Rect.Bottom)
            break;
        if (Line.rfind("File: ", 0) == 0)
            Line = ShortcutFileLine(F[sfFile], Rect.Right - Rect.Left,
                                    [&Painter](const std::string& S) { return Painter.TextWidth(S); });
        Painter.AlignedText(TRect{Rect.Left, Top, Rect.Right, Top + 12}, Line, Line == "Shotcut:" ? 5 : 3, false);
        Top += 12;
    }
}
