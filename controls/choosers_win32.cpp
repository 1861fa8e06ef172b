#include "choosers.h"

#include "file_system.h"
#include "remembered_paths.h"
#include "ui_application.h"
#include "ui_common_dialogs.h"

#include <windows.h>

namespace {

void RunFileChooser(TFileDialogRequest Request, const std::string& Key, std::string& FileName)
{
    if (!Key.empty())
        Request.InitialDir = StartDirectoryOf(RememberedPath(Key), LocalFileSystem());
    if (Request.InitialDir.empty())
        Request.InitialDir = CurrentDirectory();
    const TFileDialogAnswer Answer = Choosers().FileDialog(Request);
    if (Answer.Confirmed) {
        FileName = Answer.FileName;
        RememberPath(Key, FileName);
    } else {
        FileName.clear();
    }
    FileName = AppendFilterExt(FileName, Request.Filter, Answer.FilterIndex);
}

} // namespace

void DialogOpenFile(const std::string& InitialDir, const std::string& Filter, DLG_Style Kind, const std::string& Key,
                    std::string& FileName)
{
    TFileDialogRequest Request;
    Request.Kind = Kind == DLG_Picture ? fdOpenPicture : fdOpen;
    Request.InitialDir = InitialDir;
    Request.Filter = Filter;
    RunFileChooser(Request, Key, FileName);
}

void DialogSaveFile(const std::string& InitialDir, const std::string& Filter, const std::string& DefaultExt,
                    const std::string& Key, std::string& FileName)
{
    TFileDialogRequest Request;
    Request.Kind = fdSave;
    Request.InitialDir = InitialDir;
    Request.Filter = Filter;
    Request.DefaultExt = DefaultExt;
    RunFileChooser(Request, Key, FileName);
}

bool DialogSelectColor(TColor& Color)
{
    TColor Chosen = Color;
    if (!Choosers().ColorDialog(Chosen))
        return false;
    Color = Chosen;
    return true;
}

void ShowPathErrors(TPathErrors Kind, const TArrayOfString& Paths)
{
    Choosers().ShowMessage(PathErrorsMessage(Kind, Paths), Application().Title);
}
