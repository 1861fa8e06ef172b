#pragma once

#include "color.h"
#include "remembered_paths.h"
#include "string_list.h"

#include <string>

// The file choosers start where the last choice under Key was (or InitialDir when Key
// is empty), remember the chosen name under Key, and append the chosen filter's
// extension to a name without one. FileName is "" when the user cancelled.
void DialogOpenFile(const std::string& InitialDir, const std::string& Filter, DLG_Style Kind, const std::string& Key,
                    std::string& FileName);
void DialogSaveFile(const std::string& InitialDir, const std::string& Filter, const std::string& DefaultExt,
                    const std::string& Key, std::string& FileName);

// True and Color changed when the user chose one; a cancel changes nothing.
bool DialogSelectColor(TColor& Color);

// Lists missing or unwritable paths in a plain message box.
void ShowPathErrors(TPathErrors Kind, const TArrayOfString& Paths);
