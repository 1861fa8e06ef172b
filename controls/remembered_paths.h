#pragma once

#include "file_system.h"
#include "hash.h"
#include "string_list.h"

#include <string>

// Which open dialog a file-editing control offers.
enum DLG_Style { DLG_File, DLG_Picture };

// What a list of paths that the user is told about went wrong with.
enum class TPathErrors { NotFound, NotWritable };

// The last path chosen under each key, for the whole run (the builder saves it with
// its environment). Keys in use: "hk_SaveLoad", "hk_AppInF".
THash& RememberedPaths();

// The value under Key, or "" when Key is empty or absent.
std::string RememberedPath(const std::string& Key);
// Stores Value under Key; an empty Key stores nothing.
void RememberPath(const std::string& Key, const std::string& Value);

// A remembered value that names an existing file starts a chooser in its directory.
std::string StartDirectoryOf(const std::string& Value, TFileSystem& Fs);

// FileName with the extension of the filter pair Index (from 1) appended when it has
// none (no "." after the last "\" or ":").
std::string AppendFilterExt(const std::string& FileName, const std::string& Filter, int Index);

// "File(s) not found" or "Can not write to dir(s)", then one "\n\r<n>: [path]" line
// per path.
std::string PathErrorsMessage(TPathErrors Kind, const TArrayOfString& Paths);

