#include "shortcut_logic.h"

#include "convert.h"
#include "string_helpers.h"

const char* const SCutToFile = "SCut to file";
const char* const SCutToUninstall = "SCut to uninstall";
const char* const SCutProgramFiles = "Program files";
const char* const SCutQuickLaunch = "Quick launch";
const char* const SCutDesktop = "Desktop";
const char* const SCutStartMenu = "Start Menu";

TArrayOfString SplitShortcut(const std::string& Value)
{
    TArrayOfString Fields;
    SplitString(Value, "|", 5, Fields);
    return Fields;
}

std::string JoinShortcut(const TArrayOfString& Fields) { return JoinStrings(Fields, "|"); }

std::string NewPCShortcut(const std::string& Name) { return Name + "||||"; }

std::string NewPocketPCShortcut(const std::string& Name)
{
    return Name + "|" + SCutToFile + "||" + SCutStartMenu + "|";
}

std::vector<std::string> ShortcutTypes(int Mode)
{
    if (Mode == 1)
        return {SCutToFile};
    return {SCutToFile, SCutToUninstall};
}

std::vector<std::string> ShortcutDestinations(int Mode)
{
    if (Mode == 1)
        return {SCutStartMenu};
    return {SCutProgramFiles, SCutQuickLaunch, SCutDesktop};
}

TShortcutMarks ShortcutMarks(const std::string& Type, const std::string& Name, const std::string& File,
                             const std::string& Destination, const std::string& Group)
{
    TShortcutMarks M;
    M.Type = Type.empty();
    M.Destination = Destination.empty();
    if (Type == SCutToFile) {
        M.FileEnabled = true;
        M.Name = Name.empty();
        M.File = File.empty();
    }
    if (Destination == SCutProgramFiles) {
        M.GroupEnabled = true;
        M.Group = Group.empty();
    }
    return M;
}

int FirstMarkedField(const TShortcutMarks& M)
{
    if (M.Type)
        return sfType;
    if (M.Name)
        return sfName;
    if (M.File)
        return sfFile;
    if (M.Destination)
        return sfDestination;
    if (M.Group)
        return sfGroup;
    return -1;
}

std::vector<std::string> ShortcutHelpLines(const std::string& Value)
{
    const TArrayOfString F = SplitShortcut(Value);
    std::vector<std::string> Lines = {"Shotcut:", "Name: " + F[sfName]};
    if (F[sfType] == SCutToUninstall)
        Lines.push_back("Type: Uninstall");
    else if (F[sfType] == SCutToFile) {
        Lines.push_back("Type: File");
        Lines.push_back("File: " + F[sfFile]); // the painter may shorten it
    }
    Lines.push_back("Destination:" + F[sfDestination]);
    if (F[sfDestination] == SCutProgramFiles)
        Lines.push_back("Programs/Group Name: " + F[sfGroup]);
    return Lines;
}

std::string ShortcutFileLine(const std::string& File, int Available,
                             const std::function<int(const std::string&)>& Width)
{
    const std::string S = "File: " + File;
    const int W = Width(S);
    if (W <= Available || W <= 0)
        return S;
    const std::int64_t K =
        static_cast<std::int64_t>(RoundHalfEven(static_cast<double>(S.size()) * Available / W)) - 11;
    std::string Tail;
    if (K + 1 > 0)
        Tail = static_cast<std::size_t>(K + 1) >= File.size() ? File : File.substr(File.size() - static_cast<std::size_t>(K + 1));
    return "File: ..." + Tail;
}
