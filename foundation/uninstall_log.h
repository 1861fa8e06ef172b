#pragma once

#include "file_system.h"
#include "stream.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// Line kinds of the uninstall log, in tag order.
enum TUInstLogKind : int {
    ulDelFile = 0,
    ulDelDir = 1,
    ulDelKey = 2,
    ulDelValue = 3,
    ulMessage1 = 4,
    ulMessage2 = 5,
};

// "[DelFile]%" and the others: the tag of a line kind with its separator.
std::string UInstLogTag(int Kind);

// Where a link goes; numbered as the installer's folders are.
enum class TLinkKind : int {
    Desktop = 1,
    Startup = 2,
    QuickLaunch = 3,
    Group = 4,         // the group given, as a path
    ProgramsGroup = 5, // the group given, below the programs menu
};

// What AddShortcut needs of the shell: the folder of a link kind ("" when the system
// has none) and the making of the link, which answers its path or "".
struct TShortcutShell {
    std::function<std::string(TLinkKind Kind, const std::string& Group)> InstallFolder;
    std::function<std::string(const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                              const std::string& Name, const std::string& Group, TLinkKind Kind)>
        CreateShortcut;
};

// The uninstall log "uinst.log": one CR LF line per thing to undo. Every line goes
// to the file at once, so a log cut short by a crash still undoes what it names.
class CUInstLog {
public:
    // Mode 0 creates the file (and its directory), 1 appends to it or creates it,
    // 2 opens an existing one for reading. A file that cannot be made or opened
    // raises EInOutError; an empty name, a missing file in mode 2 or another mode
    // leave the log closed.
    CUInstLog(std::uint8_t Mode, const std::string& FileName, TFileSystem& FS = LocalFileSystem());
    ~CUInstLog();
    CUInstLog(const CUInstLog&) = delete;
    CUInstLog& operator=(const CUInstLog&) = delete;

    std::uint8_t Mode() const { return FMode; }
    bool Opened() const { return FFile != nullptr; }
    // The open file, for the reader; null when closed.
    TStream* File() { return FFile.get(); }

    // Writes nothing unless the log is open in mode 0 or 1 and Kind is 0..5. A line
    // break inside a message (kinds 4, 5) becomes a blank; in a path or registry line
    // (kinds 0 to 3) it would split the line, so such a line raises EInOutError.
    void AddLine(int Kind, const std::string& Text);
    void AddDelFile(const std::string& FileName) { AddLine(ulDelFile, FileName); }
    void AddDelDir(const std::string& DirName) { AddLine(ulDelDir, DirName); }
    // Root "HKEY_CU" is the current user's hive; "HKEY_LM" and "" the local machine's.
    void AddDelKey(const std::string& Root, const std::string& Key) { AddLine(ulDelKey, Root + "%" + Key); }
    void AddDelValue(const std::string& Root, const std::string& Key, const std::string& ValueName)
    {
        AddLine(ulDelValue, Root + "%" + Key + "%" + ValueName);
    }
    // The question the uninstaller asks first, and the text it shows when done.
    void AddUIMessage1(const std::string& Text) { AddLine(ulMessage1, Text); }
    void AddUIMessage2(const std::string& Text) { AddLine(ulMessage2, Text); }

    // Makes a link of Kind to Target and logs its file, whether or not it could be
    // saved. Nothing is made or logged while the log takes no lines, nor when the
    // system has no folder of that kind (a link would land in the current directory).
    // LinkPath is the saved link or "". Answers whether the line was written.
    bool AddShortcut(const std::string& Target, const std::string& Arguments, const std::string& WorkDir,
                     std::string Name, const std::string& Group, TLinkKind Kind, std::string& LinkPath,
                     const TShortcutShell& Shell);

private:
    std::uint8_t FMode;
    std::unique_ptr<TStream> FFile;
};
