#pragma once

#include "string_list.h"

#include <functional>
#include <string>
#include <vector>

// One shortcut as text: Name|Type|File|Destination|Group. None of the fields may hold
// "|"; a text with fewer fields reads the missing ones as empty, more are dropped.
extern const char* const SCutToFile;
extern const char* const SCutToUninstall;
extern const char* const SCutProgramFiles;
extern const char* const SCutQuickLaunch;
extern const char* const SCutDesktop;
extern const char* const SCutStartMenu;

enum TShortcutField { sfName, sfType, sfFile, sfDestination, sfGroup };

TArrayOfString SplitShortcut(const std::string& Value);
std::string JoinShortcut(const TArrayOfString& Fields);
// A new shortcut of an installation: PC rows start with the name only, Pocket PC
// rows with a file shortcut in the Start Menu.
std::string NewPCShortcut(const std::string& Name);
std::string NewPocketPCShortcut(const std::string& Name);

// Mode 1 is a Pocket PC installation, anything else a PC one.
std::vector<std::string> ShortcutTypes(int Mode);
std::vector<std::string> ShortcutDestinations(int Mode);

// Which fields of the editor are still required and empty, and which can be edited.
struct TShortcutMarks {
    bool Type = false, Name = false, File = false, Destination = false, Group = false;
    bool FileEnabled = false, GroupEnabled = false;
};
TShortcutMarks ShortcutMarks(const std::string& Type, const std::string& Name, const std::string& File,
                             const std::string& Destination, const std::string& Group);
// The field that takes the focus when "Ok" is refused (type, name, file, destination,
// group in that order); -1 when nothing is marked.
int FirstMarkedField(const TShortcutMarks& Marks);

// The lines of a shortcut's help box. FitFile gets the file line and the width it has
// and answers it shortened when too wide.
std::vector<std::string> ShortcutHelpLines(const std::string& Value);
// "File: " + File, or "File: ..." and the file's end when Width(s) > Available.
std::string ShortcutFileLine(const std::string& File, int Available, const std::function<int(const std::string&)>& Width);
