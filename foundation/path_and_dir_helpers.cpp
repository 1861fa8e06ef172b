#include "path_and_dir_helpers.h"

#include "convert.h"
#include "file_stream.h"
#include "string_helpers.h"

#include <algorithm>
#include <set>

std::string JoinPath(const std::string& Dir, const std::string& Name)
{
    std::string D = Dir;
    if (!D.empty() && D.back() != '\\')
        D += '\\';
    std::string N = Name;
    if (!N.empty() && N[0] == '\\')
        N.erase(0, 1);
    std::string R = D.empty() ? N : D + N;
    if (!R.empty() && R.back() == '\\')
        R.pop_back();
    return R;
}

std::string InstallDirPart(const std::string& Name)
{
    static const TCharSet Unsafe = [] {
        TCharSet S = CharSet("*/:<>?\\|\"");
        for (std::size_t C = 0; C < 32; ++C)
            S.set(C);
        return S;
    }();
    const std::string Part = StripChars(Unsafe, Name, 0, true);
    return Part.find_first_not_of(". ") == std::string::npos ? std::string() : Part;
}

std::string CanonicalPath(const std::string& Path)
{
    std::string P = Path;
    std::replace(P.begin(), P.end(), '/', '\\');
    std::string Prefix;
    std::size_t At = 0;
    if (P.compare(0, 2, "\\\\") == 0) {
        Prefix = "\\\\";
        At = 2;
    } else if (P.size() >= 2 && P[1] == ':') {
        Prefix = P.substr(0, 2);
        At = 2;
    }
    const bool Rooted = At < P.size() && P[At] == '\\';
    if (Rooted && Prefix != "\\\\")
        Prefix += '\\';
    std::vector<std::string> Parts;
    for (std::size_t Start = At; Start <= P.size();) {
        std::size_t End = P.find('\\', Start);
        if (End == std::string::npos)
            End = P.size();
        std::string Part = P.substr(Start, End - Start);
        Start = End + 1;
        if (Part == "..") {
            if (!Parts.empty() && Parts.back() != "..")
                Parts.pop_back();
            else if (!Rooted && Prefix.empty())
                Parts.push_back(Part);
            continue;
        }
        while (!Part.empty() && (Part.back() == '.' || Part.back() == ' '))
            Part.pop_back();
        if (!Part.empty())
            Parts.push_back(Part);
    }
    std::string R = Prefix;
    for (std::size_t I = 0; I < Parts.size(); ++I)
        R += (I ? "\\" : "") + Parts[I];
    return R;
}

std::string ExtractFilePath(const std::string& FileName)
{
    const std::size_t Cut = FileName.find_last_of("\\:");
    return Cut == std::string::npos ? std::string() : FileName.substr(0, Cut + 1);
}

std::string ExtractFileName(const std::string& FileName)
{
    const std::size_t Cut = FileName.find_last_of("\\/:");
    return Cut == std::string::npos ? FileName : FileName.substr(Cut + 1);
}

unsigned FileModeFor(const std::string& FileName, bool ForceCreate, TFileSystem& FS)
{
    return FS.FileExists(FileName) && !ForceCreate ? fmOpenReadWrite : fmCreate;
}

bool CreateEmptyFile(const std::string& FileName, TFileSystem& FS)
{
    try {
        FS.Create(FileName);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

namespace {

bool Glob(const char* N, const char* M)
{
    // Iterative match with one back-tracking point: linear enough for file names.
    const char* Star = nullptr;
    const char* Resume = nullptr;
    while (*N) {
        if (*M == '*') {
            Star = M++;
            Resume = N;
        } else if (*M == '?' || (*M && LowerAscii(*M) == LowerAscii(*N))) {
            ++M;
            ++N;
        } else if (Star) {
            M = Star + 1;
            N = ++Resume;
        } else {
            return false;
        }
    }
    while (*M == '*')
        ++M;
    return *M == '\0';
}

} // namespace

bool MatchesMask(const std::string& Name, const std::string& Mask)
{
    if (Mask == "*.*" || Mask == "*")
        return true;
    // "name." asks for a name without extension, as Windows reads it.
    if (Mask.size() > 1 && Mask.back() == '.' && Name.find('.') == std::string::npos)
        return Glob(Name.c_str(), Mask.substr(0, Mask.size() - 1).c_str());
    return Glob(Name.c_str(), Mask.c_str());
}

void ListFiles(const std::string& Dir, const std::string& Mask, THash& List, bool FullPath, TFileSystem& FS)
{
    for (const TDirEntry& E : FS.ListDirectory(Dir))
        if (!E.IsDirectory() && MatchesMask(E.Name, Mask))
            List.Add("", FullPath ? JoinPath(Dir, E.Name) : E.Name, true);
}

void ListFilesToStrings(const std::string& Dir, const std::string& Mask, std::vector<std::string>& Strings,
                        bool FullPath, TFileSystem& FS)
{
    for (const TDirEntry& E : FS.ListDirectory(Dir))
        if (!E.IsDirectory() && MatchesMask(E.Name, Mask))
            Strings.push_back(FullPath ? JoinPath(Dir, E.Name) : E.Name);
}

namespace {

void WalkTree(const std::string& Dir, THash& List, TFileSystem& FS, std::set<std::string>& Ancestors)
{
    for (const TDirEntry& E : FS.ListDirectory(Dir)) {
        if (!E.IsDirectory())
            continue;
        const std::string Sub = Dir + "\\" + E.Name;
        std::string Real;
        if (E.Attributes & faReparsePoint) {
            Real = FS.RealPath(Sub);
            // Unresolvable or leading back up: listing it would never end.
            if (Real.empty() || Ancestors.count(Real))
                continue;
        } else {
            Real = FS.RealPath(Sub);
        }
        List.Add(IntToStr(List.Count()), Sub, true);
        const bool Added = !Real.empty() && Ancestors.insert(Real).second;
        WalkTree(Sub, List, FS, Ancestors);
        if (Added)
            Ancestors.erase(Real);
    }
}

} // namespace

void ListDirTree(const std::string& Dir, THash& List, TFileSystem& FS)
{
    List.Add(IntToStr(List.Count()), Dir, true);
    std::set<std::string> Ancestors;
    const std::string Real = FS.RealPath(Dir);
    if (!Real.empty())
        Ancestors.insert(Real);
    WalkTree(Dir, List, FS, Ancestors);
}

void ScanDirTree(const std::string& Dir, const std::string& Mask, THash& Dirs, THash& Files, TFileSystem& FS)
{
    const std::int32_t Base = Dirs.Count();
    THash Tree(false);
    ListDirTree(Dir, Tree, FS);
    for (std::int32_t I = 0; I < Tree.Count(); ++I) {
        const std::string Key = IntToStr(static_cast<std::int64_t>(Base) + I);
        const std::string Path = Tree.GetEntry(I).Value;
        Dirs.Add(Key, Path, true);
        THash Names(false);
        ListFiles(Path, Mask, Names, false, FS);
        for (const THashPair& P : Names.Pairs())
            Files.Add(Key, P.Value, true);
    }
}

int CopyDirTree(const std::string& SrcDir, const std::string& DstDir, const std::string& Mask, THash* DirsOut,
                THash* FilesOut, TFileSystem& FS)
{
    THash Tree(false);
    ListDirTree(SrcDir, Tree, FS);
    if (DirsOut)
        DirsOut->Assign(Tree, true);
    int Failed = 0;
    for (std::int32_t I = 0; I < Tree.Count(); ++I) {
        const std::string D = Tree.GetEntry(I).Value;
        const std::string Relative = D.substr(SrcDir.size(), 1000);
        const std::string T = JoinPath(DstDir, Relative);
        FS.ForceDirectories(T); // else its copies fail below and are counted
        THash Names(false);
        ListFiles(D, Mask, Names, false, FS);
        for (const THashPair& P : Names.Pairs()) {
            if (FilesOut)
                FilesOut->Add(IntToStr(I), JoinPath(T, P.Value), true);
            if (!FS.CopyFileTo(JoinPath(D, P.Value), JoinPath(T, P.Value), true))
                ++Failed;
        }
    }
    return Failed;
}

bool IsInsideDir(const std::string& Dir, const std::string& Path)
{
    std::size_t N = Dir.size();
    while (N > 0 && Dir[N - 1] == '\\')
        --N;
    if (N == 0 || !StartsWithText(Dir.substr(0, N), Path))
        return false;
    return Path.size() == N || Path[N] == '\\';
}

std::vector<std::string> ForceDirectoriesNoting(const std::string& Dir, TFileSystem& FS, TFileResult* Failure)
{
    std::string Path = Dir;
    while (Path.size() > 3 && Path.back() == '\\')
        Path.pop_back();
    std::vector<std::string> Missing;
    for (std::string P = Path; !P.empty() && !FS.DirectoryExists(P);) {
        // A drive ("C:", "C:\\") or a share root cannot be made.
        if (P.size() <= 3 && P.size() >= 2 && P[1] == ':')
            break;
        Missing.push_back(P);
        const std::size_t Slash = P.find_last_of('\\');
        if (Slash == std::string::npos || Slash == 0)
            break;
        P = P.substr(0, Slash);
    }
    std::vector<std::string> Made;
    for (auto It = Missing.rbegin(); It != Missing.rend(); ++It) {
        const TFileResult R = FS.ForceDirectories(*It);
        if (!R) {
            if (Failure)
                *Failure = R;
            break;
        }
        Made.push_back(*It);
    }
    return Made;
}

void RemoveEmptyDirectories(const std::vector<std::string>& Dirs, TFileSystem& FS)
{
    for (auto It = Dirs.rbegin(); It != Dirs.rend(); ++It)
        if (FS.ListDirectory(*It).empty())
            FS.RemoveDir(*It); // one that cannot go stays, as one that holds something does
}

void TMadeDirs::Make(const std::string& Dir)
{
    for (const std::string& D : ForceDirectoriesNoting(Dir, FS))
        FDirs.push_back(D);
}

std::vector<std::string> TMadeDirs::KeepFor(const std::string& Dir)
{
    std::vector<std::string> Used, Unused;
    for (const std::string& D : FDirs)
        (!Dir.empty() && IsInsideDir(D, Dir) ? Used : Unused).push_back(D);
    RemoveEmptyDirectories(Unused, FS);
    std::stable_sort(Used.begin(), Used.end(),
                     [](const std::string& A, const std::string& B) { return A.size() < B.size(); });
    FDirs = Used;
    return Used;
}

std::vector<std::string> TMadeDirs::KeepUsed()
{
    RemoveEmptyDirectories(FDirs, FS);
    std::vector<std::string> Used;
    for (const std::string& D : FDirs)
        if (FS.DirectoryExists(D))
            Used.push_back(D);
    FDirs = Used;
    return Used;
}

bool CanInstallTo(const std::string& Dir, bool Create, TFileSystem& FS)
{
    switch (FS.DriveType(Dir.substr(0, 3))) {
    case dtNoRootDir:
    case dtRemote:
    case dtCDRom:
    case dtRamDisk:
        return false;
    default:
        break;
    }
    if (Dir.size() >= 2 && LowerAscii(Dir[0]) == 'a' && Dir[1] == ':')
        return false;
    return !Create || FS.ForceDirectories(Dir);
}
