#pragma once

#include "exceptions.h"
#include "file_system.h"
#include "hash.h"
#include "object.h"
#include "uninstall_log.h"

#include <cstdint>
#include <memory>
#include <string>

// An archive that is not sound: refused before anything is created.
class EArchiveError : public Exception {
public:
    using Exception::Exception;
};

// The 24 bytes in front of an archive.
struct ArchiveHeader {
    std::uint32_t DataOffset = 0;
    std::uint32_t FileTableOffset = 0;
    std::uint32_t DirTableOffset = 0;
    std::uint32_t TotalSize = 0;
};

// One directory tree in one file. An object serves one Pack, Unpack or List.
class CArchive_base : public TObject {
public:
    explicit CArchive_base(TNotifyEvent OnProgress, TFileSystem& FS = LocalFileSystem());

    virtual bool Pack(const std::string& SourceDir, const std::string& ArchiveFile) = 0;
    virtual bool Unpack(const std::string& ArchiveFile, const std::string& DestDir) = 0;
    virtual void List(const std::string& ArchiveFile, THash& List, const std::string& BaseDir) = 0;

    void DoProgress();

    ArchiveHeader Header;
    TNotifyEvent OnProgress;
    // Per cent of the operation under way, for the OnProgress handler.
    std::int32_t Progress = 0;
    // Where Unpack records what it creates; not owned.
    CUInstLog* Log = nullptr;

protected:
    TFileSystem& FS;
};

// The archive kind that stores all file contents as one bzip2 stream.
class CArchive_BZip : public CArchive_base {
public:
    using CArchive_base::CArchive_base;

    static std::unique_ptr<CArchive_base> Create(TNotifyEvent OnProgress, TFileSystem& FS);

    bool Pack(const std::string& SourceDir, const std::string& ArchiveFile) override;
    // The whole archive is checked first: its tables, every path (nothing may land
    // outside DestDir, no two entries on one object whatever their letter case, no
    // root file "uinst.log"), the sizes against the header and the free space. List
    // refuses the same tables and names.
    bool Unpack(const std::string& ArchiveFile, const std::string& DestDir) override;
    void List(const std::string& ArchiveFile, THash& List, const std::string& BaseDir) override;
};

// What stands for an archive class: it makes an object of its kind.
using TArchiveClass = std::unique_ptr<CArchive_base> (*)(TNotifyEvent OnProgress, TFileSystem& FS);

void ArchivePack(TArchiveClass ArchiveClass, const std::string& SourceDir, const std::string& ArchiveFile,
                 TNotifyEvent OnProgress, TFileSystem& FS = LocalFileSystem());

// Whether Name may be one component of an unpacked path: not empty, ".", "..", no
// separators, wildcards, control characters or trailing dot or blank, no device name.
bool IsSafePathComponent(const std::string& Name);

// Whether Path is "" or safe components joined by "\", so that it stays below any
// directory it is joined to.
bool IsSafeRelativePath(const std::string& Path);
