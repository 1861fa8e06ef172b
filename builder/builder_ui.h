#pragma once

#include "remembered_paths.h"
#include "string_list.h"

#include <string>

class CCastamer;

// Everything visual the project object needs, so that the main window provides
// it and tests fake it.
class IBuilderUI {
public:
    enum TMessageType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

    virtual ~IBuilderUI() = default;

    // The progress window: shown with a text, its bar set to 0..100, hidden.
    virtual void ProgressBegin(const std::string& Text) = 0;
    virtual void ProgressStep(int Percent) = 0;
    virtual void ProgressEnd() = 0;

    // True when a directory was chosen; Dir is then that directory as a full path,
    // else unchanged.
    // An empty Key neither reads nor writes the remembered paths.
    virtual bool SelectDir(std::string& Dir, const std::string& Caption, bool AllowNew, const std::string& Key) = 0;
    // The index of the pressed button, -1 when the box was closed otherwise.
    virtual int ShowMessage(const std::string& Text, TMessageType Type, const TArrayOfString& Buttons) = 0;
    // The chosen file, "" when cancelled.
    virtual std::string OpenFile(const std::string& InitialDir, const std::string& Filter, DLG_Style Kind,
                                 const std::string& Key) = 0;
    virtual std::string SaveFile(const std::string& InitialDir, const std::string& Filter,
                                 const std::string& DefaultExt, const std::string& Key) = 0;
    // Lists missing files or directories that cannot be written.
    virtual void ShowPathErrors(TPathErrors Kind, const TArrayOfString& Paths) = 0;
    // Arg: the page digit followed by an optional message.
    virtual void ShowOptions(CCastamer& Project, const std::string& Arg) = 0;
    virtual void RepaintMainWindow() = 0;
};
