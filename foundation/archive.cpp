#include "archive.h"

#include "bz_parallel_decompression.h"
#include "bz_streams.h"
#include "byte_order.h"
#include "convert.h"
#include "path_and_dir_helpers.h"
#include "stream_view.h"
#include "string_helpers.h"

#include <algorithm>
#include <map>
#include <set>
#include <thread>
#include <vector>

namespace {

constexpr std::int64_t HeaderSize = 24;
constexpr std::size_t MaxPath = 260; // with its terminating zero
constexpr std::int64_t MaxFileSize = std::int64_t{1} << 31;
// The PC road's log, in the root of what it unpacks.
const char* const UninstallLogName = "uinst.log";

struct TArchivedFile {
    std::int32_t Dir;
    std::int64_t Size;
    std::string Name;
};

// The tables of an archive, checked.
struct TArchiveContents {
    ArchiveHeader Header;
    std::vector<std::string> Dirs; // relative: "" for the root, "\a\b" below it
    std::vector<TArchivedFile> Files;
    std::int64_t TotalSize = 0;
};

[[noreturn]] void Damaged(const std::string& ArchiveFile, const std::string& Why)
{
    throw EArchiveError("The archive " + ArchiveFile + " is damaged: " + Why);
}

bool ParseDecimal(const std::string& S, std::int64_t Limit, std::int64_t& Value)
{
    if (S.empty() || S.size() > 12)
        return false;
    Value = 0;
    for (char C : S) {
        if (C < '0' || C > '9')
            return false;
        Value = Value * 10 + (C - '0');
    }
    return Value < Limit;
}

// A relative directory path is "" or "\" and safe components.
bool IsSafeRelativeDir(const std::string& Rel)
{
    return Rel.empty() || (Rel.size() > 1 && Rel[0] == '\\' && IsSafeRelativePath(Rel.substr(1)));
}

void LoadTable(TStream& File, std::int64_t Start, std::int64_t End, THash& Table, const std::string& ArchiveFile,
               const char* What)
{
    TStreamView View(File, Start, End - Start);
    try {
        Table.LoadFromStream(View);
    } catch (const EReadError&) {
        Damaged(ArchiveFile, std::string("its ") + What + " is cut short");
    }
    if (View.Position() != View.Size())
        Damaged(ArchiveFile, std::string("its ") + What + " does not end where the next part begins");
}

// Windows file names do not tell letter case apart. Only the ASCII letters fold: the
// archive does not say its code page, and in a double-byte one a letter may be the
// second byte of another character.
std::string FoldedPath(const std::string& Path) { return LowerAscii(Path); }

// Two entries that would land on one object, and a file in the root where the PC road
// writes its uninstall log: found only while writing, such an archive would fail halfway.
void RefuseClashes(const TArchiveContents& C, const std::string& ArchiveFile)
{
    struct TClaim {
        std::string Path; // as archived
        bool IsDir;
    };
    std::map<std::string, TClaim> Seen; // by folded path
    const auto Claim = [&](const std::string& Path, bool IsDir) {
        const auto Known = Seen.emplace(FoldedPath(Path), TClaim{Path, IsDir});
        if (Known.second)
            return;
        const TClaim& Earlier = Known.first->second;
        if (Earlier.IsDir != IsDir)
            Damaged(ArchiveFile, "\"" + Path + "\" is both a file and a directory");
        const char* Kind = IsDir ? "directory" : "file";
        if (Earlier.Path == Path)
            Damaged(ArchiveFile, std::string("it holds the ") + Kind + " \"" + Path + "\" twice");
        Damaged(ArchiveFile, "\"" + Earlier.Path + "\" and \"" + Path + "\" are one " + Kind +
                                 " on Windows, which does not tell letter case apart");
    };
    for (std::size_t I = 1; I < C.Dirs.size(); ++I)
        Claim(C.Dirs[I], true);
    for (const TArchivedFile& F : C.Files) {
        if (F.Dir == 0 && FoldedPath(F.Name) == UninstallLogName)
            Damaged(ArchiveFile, "its file \"" + F.Name + "\" would take the place of the uninstall log");
        Claim(C.Dirs[static_cast<std::size_t>(F.Dir)] + "\\" + F.Name, false);
    }
}

TArchiveContents ReadContents(TStream& File, const std::string& ArchiveFile)
{
    TArchiveContents C;
    const std::int64_t FileSize = File.Size();
    unsigned char H[HeaderSize];
    File.SetPosition(0);
    if (FileSize < HeaderSize || File.Read(H, HeaderSize) != HeaderSize)
        Damaged(ArchiveFile, "it is shorter than its header");
    if (H[0] != 4 || H[1] != 'a' || H[2] != 'r' || H[3] != 'h' || H[4] != 'c')
        Damaged(ArchiveFile, "it has no archive signature");
    C.Header.DataOffset = Le32(H + 8);
    C.Header.FileTableOffset = Le32(H + 12);
    C.Header.DirTableOffset = Le32(H + 16);
    C.Header.TotalSize = Le32(H + 20);
    if (C.Header.DataOffset != HeaderSize || C.Header.DirTableOffset < HeaderSize ||
        C.Header.DirTableOffset > C.Header.FileTableOffset || C.Header.FileTableOffset >= FileSize)
        Damaged(ArchiveFile, "its table offsets do not fit the file");

    THash D(false), F(false);
    LoadTable(File, C.Header.DirTableOffset, C.Header.FileTableOffset, D, ArchiveFile, "directory table");
    LoadTable(File, C.Header.FileTableOffset, FileSize, F, ArchiveFile, "file table");

    std::set<std::string> Known;
    for (std::int32_t I = 0; I < D.Count(); ++I) {
        const THashPair P = D.GetEntry(I);
        if (P.Key != IntToStr(I))
            Damaged(ArchiveFile, "directory " + IntToStr(I) + " is out of order");
        if (I == 0 ? !P.Value.empty() : (P.Value.empty() || !IsSafeRelativeDir(P.Value)))
            Damaged(ArchiveFile, "the directory name \"" + P.Value + "\" is not allowed");
        if (I > 0 && !Known.count(P.Value.substr(0, P.Value.rfind('\\'))))
            Damaged(ArchiveFile, "the directory \"" + P.Value + "\" comes before its parent");
        Known.insert(P.Value);
        C.Dirs.push_back(P.Value);
    }
    if (C.Dirs.empty())
        Damaged(ArchiveFile, "it has no root directory");

    for (std::int32_t J = 0; J < F.Count(); ++J) {
        const THashPair P = F.GetEntry(J);
        const std::size_t Comma = P.Key.find(',');
        std::int64_t Dir = 0, Size = 0;
        if (Comma == std::string::npos || !ParseDecimal(P.Key.substr(0, Comma), D.Count(), Dir) ||
            !ParseDecimal(P.Key.substr(Comma + 1), MaxFileSize, Size))
            Damaged(ArchiveFile, "the file entry \"" + P.Key + "\" is not a directory and a size");
        if (!IsSafePathComponent(P.Value))
            Damaged(ArchiveFile, "the file name \"" + P.Value + "\" is not allowed");
        C.Files.push_back(TArchivedFile{static_cast<std::int32_t>(Dir), Size, P.Value});
        C.TotalSize += Size;
    }
    RefuseClashes(C, ArchiveFile);
    if (static_cast<std::uint32_t>(C.TotalSize) != C.Header.TotalSize)
        Damaged(ArchiveFile, "its file sizes do not add up to the total in its header");
    return C;
}

std::string DamageText(TBZDamage Kind)
{
    switch (Kind) {
    case TBZDamage::NotBZip2: return "its data is not a bzip2 stream";
    case TBZDamage::BadBlock: return "a block of its compressed data is bad";
    case TBZDamage::CutShort: return "its compressed data is cut short";
    case TBZDamage::Checksum: return "its data does not match its checksum";
    }
    return "its data cannot be decoded";
}

void CheckPathLength(const std::string& Path, const std::string& ArchiveFile)
{
    if (Path.size() >= MaxPath)
        throw EArchiveError("The archive " + ArchiveFile + " holds a path that is too long: " + Path);
}

// JoinPath makes "X:" of a drive root; a directory or a log line needs "X:\".
std::string AsDirectory(const std::string& Path)
{
    return Path.size() == 2 && Path[1] == ':' ? Path + "\\" : Path;
}

} // namespace

bool IsSafePathComponent(const std::string& Name)
{
    if (Name.empty() || Name == "." || Name == "..")
        return false;
    for (unsigned char C : Name)
        if (C < 0x20 || C == 0x7F || std::string("\\/:*?\"<>|").find(static_cast<char>(C)) != std::string::npos)
            return false;
    if (Name.back() == '.' || Name.back() == ' ')
        return false;
    std::string Base = LowerAscii(Name.substr(0, Name.find('.')));
    while (!Base.empty() && Base.back() == ' ')
        Base.pop_back();
    if (Base == "con" || Base == "prn" || Base == "aux" || Base == "nul" || Base == "conin$" || Base == "conout$" ||
        Base == "clock$")
        return false;
    if (Base.compare(0, 3, "com") == 0 || Base.compare(0, 3, "lpt") == 0) {
        const std::string Digit = Base.substr(3);
        // Windows counts the superscript digits one to three as port numbers too, in
        // the 8-bit code page and in UTF-8.
        static const char* const Ports[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
                                            "\xB9", "\xB2", "\xB3", "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
        for (const char* Port : Ports)
            if (Digit == Port)
                return false;
    }
    return true;
}

bool IsSafeRelativePath(const std::string& Path)
{
    if (Path.empty())
        return true;
    std::size_t Start = 0;
    for (;;) {
        const std::size_t Slash = Path.find('\\', Start);
        if (!IsSafePathComponent(Path.substr(Start, Slash == std::string::npos ? std::string::npos : Slash - Start)))
            return false;
        if (Slash == std::string::npos)
            return true;
        Start = Slash + 1;
    }
}

CArchive_base::CArchive_base(TNotifyEvent Handler, TFileSystem& FileSystem) : OnProgress(std::move(Handler)), FS(FileSystem) {}

void CArchive_base::DoProgress()
{
    if (OnProgress)
        OnProgress(this);
}

std::unique_ptr<CArchive_base> CArchive_BZip::Create(TNotifyEvent OnProgress, TFileSystem& FS)
{
    return std::make_unique<CArchive_BZip>(std::move(OnProgress), FS);
}

bool CArchive_BZip::Pack(const std::string& SourceDir, const std::string& ArchiveFile)
{
    Header = ArchiveHeader();
    THash D(false), F(false);
    ListDirTree(SourceDir, D, FS);

    const std::size_t Slash = ArchiveFile.find_last_of('\\');
    if (Slash != std::string::npos && Slash > 0)
        FS.ForceDirectories(AsDirectory(ArchiveFile.substr(0, Slash))); // else the creation below says why
    auto File = FS.Create(ArchiveFile);
    Header.DataOffset = HeaderSize;
    const auto WriteHeader = [&] {
        File->WriteBuffer("\x04" "arhc\0\0\0", 8);
        File->WriteU32(Header.DataOffset);
        File->WriteU32(Header.FileTableOffset);
        File->WriteU32(Header.DirTableOffset);
        File->WriteU32(Header.TotalSize);
    };
    WriteHeader();

    TBZCompressionStream Z(4, *File, BZCompressionWorkers());
    const double Step = 100.0 / (D.Count() > 0 ? D.Count() : 1);
    for (std::int32_t Dir = 0; Dir < D.Count(); ++Dir) {
        const THashPair DirPair = D.GetEntry(Dir);
        const std::string FullPath = DirPair.Value;
        const std::string Relative = FullPath.substr(SourceDir.size());
        // Unpack refuses such names, so an archive holding them would be useless.
        if (!IsSafeRelativeDir(Relative))
            throw EArchiveError("The directory " + FullPath + " cannot be packed: its name is not allowed");
        D.SetEntry(Dir, THashPair{DirPair.Key, Relative});

        const std::int32_t Before = F.Count();
        ListFiles(FullPath, "*.*", F, false, FS);
        const std::int32_t N = F.Count();
        const auto SetProgress = [&](std::int32_t J) {
            if (N > 0)
                Progress = static_cast<std::int32_t>(RoundHalfEven(Step * (static_cast<double>(J) / N) + Step * Dir));
        };
        SetProgress(Before);
        DoProgress();
        for (std::int32_t J = Before; J < N; ++J) {
            SetProgress(J);
            DoProgress();
            const std::string Name = F.GetEntry(J).Value;
            const std::string Path = JoinPath(FullPath, Name);
            if (!IsSafePathComponent(Name))
                throw EArchiveError("The file " + Path + " cannot be packed: its name is not allowed");
            auto In = FS.OpenRead(Path);
            const std::int64_t Size = In->Size();
            if (Size >= MaxFileSize)
                throw EArchiveError("The file " + Path + " cannot be packed: it is 2 GiB or larger");
            if (Size > 0)
                Z.CopyFrom(*In, Size);
            Header.TotalSize += static_cast<std::uint32_t>(Size);
            F.SetEntry(J, THashPair{IntToStr(Dir) + "," + IntToStr(Size), Name});
        }
    }
    Z.Finish();

    const std::int64_t DirTable = File->Position();
    D.SaveToStream(*File);
    const std::int64_t FileTable = File->Position();
    F.SaveToStream(*File);
    if (File->Position() > 0xFFFFFFFFll)
        throw EArchiveError("The archive " + ArchiveFile + " would be larger than 4 GiB");
    Header.DirTableOffset = static_cast<std::uint32_t>(DirTable);
    Header.FileTableOffset = static_cast<std::uint32_t>(FileTable);
    File->SetPosition(0);
    WriteHeader();
    return true;
}

bool CArchive_BZip::Unpack(const std::string& ArchiveFile, const std::string& DestDir)
{
    auto File = FS.OpenRead(ArchiveFile);
    const TArchiveContents C = ReadContents(*File, ArchiveFile);
    Header = C.Header;

    std::vector<std::string> Targets;
    for (const std::string& Rel : C.Dirs) {
        Targets.push_back(JoinPath(DestDir, Rel));
        CheckPathLength(AsDirectory(Targets.back()), ArchiveFile);
    }
    for (const TArchivedFile& A : C.Files)
        CheckPathLength(JoinPath(Targets[static_cast<std::size_t>(A.Dir)], A.Name), ArchiveFile);
    const std::int64_t Free = FS.FreeSpace(AsDirectory(JoinPath(DestDir, "")));
    if (Free >= 0 && C.TotalSize > Free)
        throw EArchiveError("Not enough free disk space to unpack " + ArchiveFile + " into " + DestDir);

    // The data part only: a damaged stream cannot run on into the tables.
    TStreamView Data(*File, C.Header.DataOffset, C.Header.DirTableOffset - C.Header.DataOffset);
    unsigned char Head[10];
    const std::int64_t HeadSize = Data.Read(Head, sizeof Head);
    if (!LooksLikeBZip2(Head, static_cast<std::size_t>(HeadSize > 0 ? HeadSize : 0)))
        Damaged(ArchiveFile, DamageText(TBZDamage::NotBZip2));
    Data.SetPosition(0);

    for (const std::string& Target : Targets) {
        const std::string Dir = AsDirectory(Target);
        FS.ForceDirectories(Dir).RaiseIfFailed("Cannot create directory " + Dir);
        if (Log)
            Log->AddDelDir(Dir);
    }

    // Blocks are decoded side by side while the files are written here in order; a
    // small archive is decoded on this thread.
    const unsigned Workers = Data.Size() < 1024 * 1024 ? 0 : std::max(2u, std::thread::hardware_concurrency());
    TBZParallelDecompressionStream Z(Data, Workers);
    const std::size_t N = C.Files.size();
    for (std::size_t J = 0; J < N; ++J) {
        if (N > 1)
            Progress = static_cast<std::int32_t>(RoundHalfEven(static_cast<double>(J) / static_cast<double>(N - 1) * 100));
        DoProgress();
        const TArchivedFile& A = C.Files[J];
        const std::string Target = JoinPath(Targets[static_cast<std::size_t>(A.Dir)], A.Name);
        auto Out = FS.Create(Target);
        if (Log)
            Log->AddDelFile(Target);
        try {
            if (A.Size > 0)
                Out->CopyFrom(Z, A.Size);
        } catch (const EBZDamagedError& E) {
            Damaged(ArchiveFile, DamageText(E.Kind()) + " (inside " + A.Name + ")");
        } catch (const EReadError&) {
            Damaged(ArchiveFile, "its data ends inside " + A.Name);
        }
    }
    bool Ended = false;
    try {
        Ended = Z.AtStreamEnd();
    } catch (const EBZDamagedError& E) {
        Damaged(ArchiveFile, DamageText(E.Kind()));
    }
    if (!Ended)
        Damaged(ArchiveFile, "its data goes on after the last file");
    return true;
}

void CArchive_BZip::List(const std::string& ArchiveFile, THash& List, const std::string& BaseDir)
{
    TArchiveContents C;
    {
        auto File = FS.OpenRead(ArchiveFile);
        C = ReadContents(*File, ArchiveFile);
    }
    Header = C.Header;
    std::vector<std::string> Paths;
    for (const TArchivedFile& A : C.Files) {
        const std::string& Rel = C.Dirs[static_cast<std::size_t>(A.Dir)];
        Paths.push_back(JoinPath(BaseDir.empty() ? Rel : JoinPath(BaseDir, Rel), A.Name));
        CheckPathLength(Paths.back(), ArchiveFile);
    }
    for (std::size_t J = 0; J < Paths.size(); ++J)
        List.Add(IntToStr(static_cast<std::int64_t>(J)), Paths[J], true);
}

void ArchivePack(TArchiveClass ArchiveClass, const std::string& SourceDir, const std::string& ArchiveFile,
                 TNotifyEvent OnProgress, TFileSystem& FS)
{
    std::unique_ptr<CArchive_base> Archive = ArchiveClass(std::move(OnProgress), FS);
    Archive->Pack(SourceDir, ArchiveFile);
}
