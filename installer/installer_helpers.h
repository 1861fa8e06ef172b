#pragma once

#include "archive.h"
#include "file_system.h"
#include "hash.h"
#include "rect_helpers.h"
#include "uninstall_log.h"

#include <cstdint>
#include <functional>
#include <string>

// The installer's own small helpers beside the shared ones.

// The number S spells, or Default when it spells none (empty, other characters,
// beyond 32 bits).
std::int32_t StrToIntDefault(const std::string& S, std::int32_t Default);

// Whether the whole of S matches Mask, where "*" stands for any run of characters
// and every other character for itself, case-sensitive. An empty Mask matches anything.
bool MatchMask(const std::string& Mask, const std::string& S);

// Left and Top grow by N, Right and Bottom shrink by N.
void ShrinkRect(TRect& R, std::int32_t N);

// The Windows folders by the numbers GetSpecialFolder takes.
enum class TSpecialFolder : std::int32_t {
    Windows = 1,
    Desktop = 2,
    QuickLaunch = 3,
    Programs = 4,
    Startup = 5,
    ProgramFiles = 6,
    Fonts = 7,
};

// Where an installation writes, by the numbers GetInstallFolder and the shortcuts take:
// a numbering of its own, not the one above.
enum class TInstallFolder : std::int32_t {
    Windows = 0,
    Desktop = 1,
    Startup = 2,
    QuickLaunch = 3,
    Path = 4,          // the path given
    ProgramsGroup = 5, // the given group below the programs menu
    ProgramFiles = 6,
};

// The folder of the installation a link of Kind goes to.
TInstallFolder LinkFolder(TLinkKind Kind);

// Answers a folder's path, "" when it is not known.
using TSpecialFolderLookup = std::function<std::string(TSpecialFolder)>;

// GetInstallFolder over any lookup of the special folders; "" for other kinds.
std::string InstallFolderFrom(TInstallFolder Kind, const std::string& Path, const TSpecialFolderLookup& Lookup);

// One archive operation with an object of ArchiveClass made and freed for it. The
// archive's errors pass through; Unpack answers the archive's own answer.
bool ArchiveUnpack(TArchiveClass ArchiveClass, const std::string& ArchiveFile, const std::string& DestDir,
                   CUInstLog* Log, TNotifyEvent OnProgress, TFileSystem& FS = LocalFileSystem());
void ArchiveList(TArchiveClass ArchiveClass, const std::string& ArchiveFile, THash& List, const std::string& BaseDir,
                 TFileSystem& FS = LocalFileSystem());
