#pragma once

#include "file_system.h"
#include "stream.h"

#include <cstdint>
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

private:
    std::uint8_t FMode;
    std::unique_ptr<TStream> FFile;
};
