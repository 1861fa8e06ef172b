#include "ui_common_dialogs.h"

#include "ui_application.h"
#include "ui_canvas.h"
#include "ui_input_box.h"

#include "system_library.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

namespace {

// comdlg32 is a KnownDLL, its own imports (comctl32) are not: loaded by its full path
// when a dialog is first asked for, it finds them in the system directory also where
// the system keeps no KnownDLLs (Wine).
template <class TProc>
TProc DialogEntry(const char* Name)
{
    static const TSystemLibrary Library("comdlg32.dll");
    return Library.Entry<TProc>(Name);
}

} // namespace

TChoosers& Choosers()
{
    static TChoosers C = [] {
        TChoosers D;
        D.FileDialog = SystemFileDialog;
        D.ColorDialog = SystemColorDialog;
        D.ShowMessage = SystemMessageBox;
        D.InputQuery = InputQuery;
        return D;
    }();
    return C;
}

void ResetChoosers()
{
    TChoosers& C = Choosers();
    C.FileDialog = SystemFileDialog;
    C.ColorDialog = SystemColorDialog;
    C.ShowMessage = SystemMessageBox;
    C.InputQuery = InputQuery;
}

std::string DialogFilter(const std::string& Filter)
{
    std::string Out = Filter;
    for (char& C : Out)
        if (C == '|')
            C = '\0';
    Out.push_back('\0');
    Out.push_back('\0');
    return Out;
}

TFileDialogAnswer SystemFileDialog(const TFileDialogRequest& Request)
{
    std::vector<char> Buffer(32768, '\0');
    const std::string Filter = DialogFilter(Request.Filter);
    OPENFILENAMEA Ofn = {};
    Ofn.lStructSize = sizeof Ofn;
    Ofn.hwndOwner = nullptr;
    Ofn.lpstrFilter = Request.Filter.empty() ? nullptr : Filter.c_str();
    Ofn.nFilterIndex = 1;
    Ofn.lpstrFile = Buffer.data();
    Ofn.nMaxFile = static_cast<DWORD>(Buffer.size());
    Ofn.lpstrInitialDir = Request.InitialDir.empty() ? nullptr : Request.InitialDir.c_str();
    Ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR;
    if (Request.Kind == fdSave && !Request.DefaultExt.empty())
        Ofn.lpstrDefExt = Request.DefaultExt.c_str();
    static const auto Open = DialogEntry<decltype(&GetOpenFileNameA)>("GetOpenFileNameA");
    static const auto Save = DialogEntry<decltype(&GetSaveFileNameA)>("GetSaveFileNameA");
    BOOL Ok = FALSE;
    Application().RunSystemModal([&] { Ok = Request.Kind == fdSave ? Save(&Ofn) : Open(&Ofn); });
    TFileDialogAnswer Answer;
    Answer.Confirmed = Ok != FALSE;
    if (Answer.Confirmed) {
        Answer.FileName = Buffer.data();
        Answer.FilterIndex = static_cast<int>(Ofn.nFilterIndex);
    }
    return Answer;
}

bool SystemColorDialog(TColor& Color)
{
    static COLORREF Custom[16] = {};
    CHOOSECOLORA Cc = {};
    Cc.lStructSize = sizeof Cc;
    Cc.rgbResult = ColorToRGB(Color);
    Cc.lpCustColors = Custom;
    Cc.Flags = CC_RGBINIT;
    static const auto Choose = DialogEntry<decltype(&ChooseColorA)>("ChooseColorA");
    BOOL Ok = FALSE;
    Application().RunSystemModal([&] { Ok = Choose(&Cc); });
    if (!Ok)
        return false;
    Color = static_cast<TColor>(Cc.rgbResult & 0xFFFFFF);
    return true;
}

void SystemMessageBox(const std::string& Text, const std::string& Caption)
{
    Application().RunSystemModal([&] { MessageBoxA(nullptr, Text.c_str(), Caption.c_str(), MB_OK | MB_TASKMODAL); });
}
