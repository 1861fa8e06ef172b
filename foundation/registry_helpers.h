#pragma once

#include <string>

// The few registry values the programs read and write. Reads answer "" for anything
// missing and for values that are not strings.

enum TRegistryRoot { rrClassesRoot, rrCurrentUser, rrLocalMachine };

// The string value Name of Key below Root ("" names the default value), opened without
// creating anything; "" when the key or the value is missing or no string.
std::string ReadRegistryString(TRegistryRoot Root, const std::string& Key, const std::string& Name);

// The default value of HKLM "Software\Microsoft\Windows\CurrentVersion\App Paths\<ExeName>",
// as stored (a quoted path keeps its quotes; RunProgram takes them off).
std::string GetAppPath(const std::string& ExeName);

// The command registered under HKCR for the file extension Ext and Verb.
std::string GetFileTypeCommand(const std::string& Ext, const std::string& Verb);

// Registers Ext as TypeName with one verb and its command. With Overwrite clear an
// extension that is registered already is left alone and the answer is false.
bool RegisterFileType(const std::string& Ext, const std::string& TypeName, const std::string& Verb,
                      const std::string& Command, bool Overwrite);

// Sets the default icon of the file type TypeName.
bool SetFileTypeIcon(const std::string& TypeName, const std::string& Icon);
