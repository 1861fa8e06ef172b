#pragma once

#include "file_system.h"
#include "hash.h"

#include <string>
#include <vector>

// Dir and Name joined by one "\", none at the end: "C:\a" + "b" = "C:\a\b",
// "C:\" + "" = "C:", "" + "\x" = "x".
std::string JoinPath(const std::string& Dir, const std::string& Name);

// Path as Windows stores what it names: "/" as "\", no doubled or final separator,
// trailing dots and blanks dropped from every component, "." dropped and ".." taken
// back one component (a leading ".." of a relative path stays). A drive's root keeps
// its "\"; a UNC path keeps its two. What it answers names what a creation of Path made.
std::string CanonicalPath(const std::string& Path);

// Path is Dir or lies below it: Dir (any final "\" aside) starts Path, without
// regard to case, and what follows is empty or begins with "\" ("C:\Src2" is not
// inside "C:\Src"). An empty Dir holds nothing.
bool IsInsideDir(const std::string& Dir, const std::string& Path);

// A name as one level of an installation directory: without what no file name
// holds (the characters "*/:<>?\|" and the double quote, and control characters),
// and "" when only dots and blanks remain, which would climb out of the directory
// above or vanish into it.
std::string InstallDirPart(const std::string& Name);

// 2 (open for reading and writing) when the file exists and ForceCreate is clear, else 65535 (create).
// The directory part of a file name with its final "\" (or the ":" of a drive); "" when there is none.
std::string ExtractFilePath(const std::string& FileName);
// The name after the last "\", "/" or ":".
std::string ExtractFileName(const std::string& FileName);

unsigned FileModeFor(const std::string& FileName, bool ForceCreate, TFileSystem& FS = LocalFileSystem());

bool CreateEmptyFile(const std::string& FileName, TFileSystem& FS = LocalFileSystem());

// The wildcard match of file names ("*", "?", "*.*" for every name), ASCII letters
// without case. Only the long name counts.
bool MatchesMask(const std::string& Name, const std::string& Mask);

// The listings and walks below raise EInOutError, with the system's reason, for a
// directory that exists but cannot be listed: a tree is never cut short unnoticed.
// A directory that does not exist holds nothing.

// Appends Dir's files that match Mask, each under an empty key: the name or, with
// FullPath, Dir and the name joined.
void ListFiles(const std::string& Dir, const std::string& Mask, THash& List, bool FullPath,
               TFileSystem& FS = LocalFileSystem());
void ListFilesToStrings(const std::string& Dir, const std::string& Mask, std::vector<std::string>& Strings,
                        bool FullPath, TFileSystem& FS = LocalFileSystem());

// Appends Dir and then every directory below it, depth first, each under the
// list's count at the time. Links to a directory already on the way down are not
// entered again, so a cycle ends the walk there.
void ListDirTree(const std::string& Dir, THash& List, TFileSystem& FS = LocalFileSystem());

// The tree of Dir into Dirs (keys continuing from Dirs' count) and each directory's
// Mask files into Files under that directory's key.
void ScanDirTree(const std::string& Dir, const std::string& Mask, THash& Dirs, THash& Files,
                 TFileSystem& FS = LocalFileSystem());

// Mirrors the tree of SrcDir below DstDir and copies every Mask file over. Answers
// the number of files that could not be copied.
int CopyDirTree(const std::string& SrcDir, const std::string& DstDir, const std::string& Mask, THash* DirsOut,
                THash* FilesOut, TFileSystem& FS = LocalFileSystem());

// Creates Dir and the parents it lacks, like ForceDirectories, and answers the
// directories it made, outermost first ("" parts and drive roots are never made).
// The first refusal, if any, goes to Failure with the system's reason.
std::vector<std::string> ForceDirectoriesNoting(const std::string& Dir, TFileSystem& FS = LocalFileSystem(),
                                                TFileResult* Failure = nullptr);

// Removes those of Dirs (as ForceDirectoriesNoting answers them) that are empty,
// innermost first; a directory that holds anything stays, and so do its parents.
void RemoveEmptyDirectories(const std::vector<std::string>& Dirs, TFileSystem& FS = LocalFileSystem());

// The directories made for an installation directory before it is known to be used
// (its default resolved, the chosen one created), outermost first per making.
class TMadeDirs {
public:
    explicit TMadeDirs(TFileSystem& AFS) : FS(AFS) {}
    void Make(const std::string& Dir);
    // Those Dir does not lie in are removed while empty; the rest answered outermost first.
    std::vector<std::string> KeepFor(const std::string& Dir);
    // Every one of them that is still empty goes.
    void RemoveAll() { KeepFor(std::string()); }
    // Those still empty go; the rest, which something now holds, answered outermost first.
    std::vector<std::string> KeepUsed();

private:
    TFileSystem& FS;
    std::vector<std::string> FDirs;
};

// Whether Dir may receive a build or an installation: not on a drive without a root
// (UNC, relative), a network, CD-ROM or RAM drive, nor on "a:"; with Create, Dir is
// created with its parents.
bool CanInstallTo(const std::string& Dir, bool Create, TFileSystem& FS = LocalFileSystem());
