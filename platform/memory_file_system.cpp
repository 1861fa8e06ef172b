#include "memory_file_system.h"

#include "exceptions.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The reasons Windows gives, so that messages read as they would on the real disk.
const std::string NotFound = "The system cannot find the file specified";
const std::string PathNotFound = "The system cannot find the path specified";
const std::string Denied = "Access is denied";
const std::string TheFileExists = "The file exists";
const std::string AlreadyExists = "Cannot create a file when that file already exists";
const std::string NotEmpty = "The directory is not empty";
const std::string NotADirectory = "The directory name is invalid";

// A stream over one file's bytes; writes land in the file at once.
class TMemoryFileStream : public TStream {
public:
    TMemoryFileStream(std::shared_ptr<std::string> Bytes, bool Writable) : FBytes(std::move(Bytes)), FWritable(Writable) {}

    std::int64_t Read(void* Buffer, std::int64_t Count) override
    {
        const std::int64_t Size = static_cast<std::int64_t>(FBytes->size());
        if (Count <= 0 || FPosition >= Size)
            return 0;
        const std::int64_t N = std::min(Count, Size - FPosition);
        std::memcpy(Buffer, FBytes->data() + FPosition, static_cast<std::size_t>(N));
        FPosition += N;
        return N;
    }

    std::int64_t Write(const void* Buffer, std::int64_t Count) override
    {
        if (!FWritable || Count <= 0)
            return 0;
        if (FPosition + Count > static_cast<std::int64_t>(FBytes->size()))
            FBytes->resize(static_cast<std::size_t>(FPosition + Count));
        std::memcpy(&(*FBytes)[static_cast<std::size_t>(FPosition)], Buffer, static_cast<std::size_t>(Count));
        FPosition += Count;
        return Count;
    }

    std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override
    {
        const std::int64_t Base = Origin == TSeekOrigin::soBeginning ? 0
                                  : Origin == TSeekOrigin::soCurrent ? FPosition
                                                                     : static_cast<std::int64_t>(FBytes->size());
        if (Base + Offset < 0)
            throw EStreamError("Seek before the start of the stream");
        FPosition = Base + Offset;
        return FPosition;
    }

    void SetSize(std::int64_t NewSize) override
    {
        if (!FWritable || NewSize < 0)
            throw EWriteError();
        FBytes->resize(static_cast<std::size_t>(NewSize));
    }

private:
    std::shared_ptr<std::string> FBytes;
    bool FWritable;
    std::int64_t FPosition = 0;
};

} // namespace

std::string TMemoryFileSystem::Resolved(const std::string& Path)
{
    // Components between separators; "." stays where it is and ".." goes up one, as
    // Windows resolves them, but never above the first component (the drive).
    std::vector<std::string> Parts;
    const bool Leading = !Path.empty() && (Path[0] == '\\' || Path[0] == '/');
    std::string Part;
    const auto Flush = [&] {
        if (Part == "..") {
            if (Parts.size() > 1)
                Parts.pop_back();
        } else if (!Part.empty() && Part != ".") {
            Parts.push_back(Part);
        }
        Part.clear();
    };
    for (char C : Path) {
        if (C == '\\' || C == '/')
            Flush();
        else
            Part += C;
    }
    Flush();
    std::string R = Leading ? "\\" : "";
    for (std::size_t I = 0; I < Parts.size(); ++I)
        R += (I ? "\\" : "") + Parts[I];
    return R;
}

std::string TMemoryFileSystem::KeyOf(const std::string& Path)
{
    std::string K = Resolved(Path);
    for (char& C : K)
        if (C >= 'A' && C <= 'Z')
            C = static_cast<char>(C - 'A' + 'a');
    return K;
}

std::string TMemoryFileSystem::ParentKey(const std::string& Key)
{
    const std::size_t Slash = Key.rfind('\\');
    return Slash == std::string::npos ? std::string() : Key.substr(0, Slash);
}

bool TMemoryFileSystem::IsDriveKey(const std::string& Key) { return Key.size() == 2 && Key[1] == ':'; }

const TMemoryFileSystem::TNode* TMemoryFileSystem::Find(const std::string& Path) const
{
    const auto It = FNodes.find(KeyOf(Path));
    return It == FNodes.end() ? nullptr : &It->second;
}

std::vector<TDirEntry> TMemoryFileSystem::ListDirectory(const std::string& Dir)
{
    std::vector<TDirEntry> Entries;
    const std::string Key = KeyOf(Dir);
    if (!DirectoryExists(Dir))
        return Entries;
    if (const TNode* N = Find(Dir); N && N->Unreadable)
        throw EInOutError("Cannot list directory " + Dir + ": " + Denied);
    for (const auto& [K, Node] : FNodes) {
        if (ParentKey(K) != Key || K == Key)
            continue;
        TDirEntry E;
        E.Name = Node.Path.substr(Node.Path.find_last_of("\\/") + 1);
        E.Attributes = Node.Attributes | (Node.Directory ? faDirectory : faArchive);
        E.Size = Node.Bytes ? Node.Bytes->size() : 0;
        Entries.push_back(std::move(E));
    }
    return Entries;
}

bool TMemoryFileSystem::FileExists(const std::string& Path)
{
    const TNode* N = Find(Path);
    return N && !N->Directory;
}

bool TMemoryFileSystem::DirectoryExists(const std::string& Path)
{
    const std::string Key = KeyOf(Path);
    if (IsDriveKey(Key))
        return true;
    const TNode* N = Find(Path);
    return N && N->Directory;
}

TFileResult TMemoryFileSystem::ForceDirectories(const std::string& Dir)
{
    const std::string Key = KeyOf(Dir);
    if (Key.empty())
        return TFileResult::Failed(PathNotFound);
    if (DirectoryExists(Dir))
        return TFileResult();
    if (Find(Dir))
        return TFileResult::Failed(AlreadyExists); // a file is in the way
    const std::string Parent = ParentKey(Key);
    const std::string Named = Resolved(Dir);
    if (!Parent.empty()) {
        if (TFileResult Made = ForceDirectories(Named.substr(0, Named.find_last_of("\\/"))); !Made)
            return Made;
    }
    TNode N;
    N.Path = Named;
    N.Directory = true;
    FNodes[Key] = N;
    FCreated.push_back(Named);
    return TFileResult();
}

std::unique_ptr<TStream> TMemoryFileSystem::OpenRead(const std::string& Path)
{
    const TNode* N = Find(Path);
    if (!N || N->Directory)
        throw EFOpenError("Cannot open file " + Path + ": " + NotFound);
    if (N->Unreadable)
        throw EFOpenError("Cannot open file " + Path + ": " + Denied);
    return std::make_unique<TMemoryFileStream>(N->Bytes, false);
}

std::unique_ptr<TStream> TMemoryFileSystem::OpenReadWrite(const std::string& Path)
{
    const TNode* N = Find(Path);
    if (!N || N->Directory)
        throw EFOpenError("Cannot open file " + Path + ": " + NotFound);
    if (N->Unreadable || ReadOnly(*N))
        throw EFOpenError("Cannot open file " + Path + ": " + Denied);
    return std::make_unique<TMemoryFileStream>(N->Bytes, true);
}

std::unique_ptr<TStream> TMemoryFileSystem::Create(const std::string& Path)
{
    const std::string Key = KeyOf(Path);
    const std::string Parent = ParentKey(Key);
    const auto It = FNodes.find(Key);
    if (Key.empty() || (!Parent.empty() && !DirectoryExists(Parent)))
        throw EFCreateError("Cannot create file " + Path + ": " + PathNotFound);
    if (It != FNodes.end() && (It->second.Directory || ReadOnly(It->second)))
        throw EFCreateError("Cannot create file " + Path + ": " + Denied);
    TNode N;
    N.Path = Resolved(Path);
    N.Bytes = std::make_shared<std::string>();
    FNodes[Key] = N;
    FCreated.push_back(N.Path);
    return std::make_unique<TMemoryFileStream>(N.Bytes, true);
}

TFileResult TMemoryFileSystem::CopyFileTo(const std::string& Source, const std::string& Dest, bool Overwrite)
{
    const TNode* From = Find(Source);
    if (!From || From->Directory)
        return TFileResult::Failed(NotFound);
    if (From->Unreadable)
        return TFileResult::Failed(Denied);
    if (!Overwrite && Find(Dest))
        return TFileResult::Failed(TheFileExists);
    const std::string Bytes = *From->Bytes;
    const std::uint32_t Attributes = From->Attributes;
    const std::string DestKey = KeyOf(Dest);
    const std::string Parent = ParentKey(DestKey);
    const auto To = FNodes.find(DestKey);
    if (DestKey.empty() || (!Parent.empty() && !DirectoryExists(Parent)))
        return TFileResult::Failed(PathNotFound);
    if (To != FNodes.end() && (To->second.Directory || ReadOnly(To->second)))
        return TFileResult::Failed(Denied);
    try {
        Create(Dest)->WriteString(Bytes);
    } catch (const EStreamError& E) {
        // A fake built on this one may refuse what the checks above let through.
        return TFileResult::Failed(E.Message());
    }
    FNodes[DestKey].Attributes = Attributes;
    return TFileResult();
}

TFileResult TMemoryFileSystem::EraseFile(const std::string& Path)
{
    const auto It = FNodes.find(KeyOf(Path));
    if (It == FNodes.end())
        return TFileResult::Failed(NotFound);
    if (It->second.Directory || ReadOnly(It->second))
        return TFileResult::Failed(Denied);
    FNodes.erase(It);
    return TFileResult();
}

TFileResult TMemoryFileSystem::MakeWritable(const std::string& Path)
{
    const auto It = FNodes.find(KeyOf(Path));
    if (It == FNodes.end())
        return TFileResult::Failed(NotFound);
    It->second.Attributes &= ~static_cast<std::uint32_t>(faReadOnly);
    return TFileResult();
}

TFileResult TMemoryFileSystem::RemoveDir(const std::string& Path)
{
    const std::string Key = KeyOf(Path);
    const auto It = FNodes.find(Key);
    if (It == FNodes.end())
        return TFileResult::Failed(NotFound);
    if (!It->second.Directory)
        return TFileResult::Failed(NotADirectory);
    if (!ListDirectory(Path).empty())
        return TFileResult::Failed(NotEmpty);
    FNodes.erase(It);
    return TFileResult();
}

TFileResult TMemoryFileSystem::RenameFile(const std::string& Source, const std::string& Dest)
{
    const auto From = FNodes.find(KeyOf(Source));
    const std::string DestKey = KeyOf(Dest);
    const auto To = FNodes.find(DestKey);
    const std::string Parent = ParentKey(DestKey);
    if (From == FNodes.end() || From->second.Directory)
        return TFileResult::Failed(NotFound);
    if (DestKey.empty() || (!Parent.empty() && !DirectoryExists(Parent)))
        return TFileResult::Failed(PathNotFound);
    if (To != FNodes.end() && (To->second.Directory || (To != From && ReadOnly(To->second))))
        return TFileResult::Failed(Denied);
    if (From->first == DestKey)
        return TFileResult();
    TNode N = From->second;
    N.Path = Resolved(Dest);
    FNodes.erase(From);
    FNodes[DestKey] = N;
    return TFileResult();
}

std::int64_t TMemoryFileSystem::FreeSpace(const std::string&) { return Free; }

int TMemoryFileSystem::DriveType(const std::string& Root)
{
    if (Root.size() < 3 || Root[1] != ':' || Root[2] != '\\')
        return dtNoRootDir;
    const char Drive = static_cast<char>(Root[0] >= 'a' && Root[0] <= 'z' ? Root[0] - 'a' + 'A' : Root[0]);
    const auto It = FDriveTypes.find(Drive);
    return It == FDriveTypes.end() ? dtFixed : It->second;
}

std::string TMemoryFileSystem::RealPath(const std::string& Path)
{
    return Find(Path) || DirectoryExists(Path) ? KeyOf(Path) : std::string();
}

void TMemoryFileSystem::AddFile(const std::string& Path, const std::string& Bytes)
{
    const std::string Key = KeyOf(Path);
    const std::size_t Slash = Path.find_last_of("\\/");
    if (Slash != std::string::npos)
        ForceDirectories(Path.substr(0, Slash));
    TNode N;
    N.Path = Resolved(Path);
    N.Bytes = std::make_shared<std::string>(Bytes);
    FNodes[Key] = N;
}

std::string TMemoryFileSystem::FileBytes(const std::string& Path) const
{
    const TNode* N = Find(Path);
    return N && N->Bytes ? *N->Bytes : std::string();
}

void TMemoryFileSystem::SetUnreadable(const std::string& Path)
{
    const auto It = FNodes.find(KeyOf(Path));
    if (It != FNodes.end())
        It->second.Unreadable = true;
}

void TMemoryFileSystem::SetDriveType(char Drive, int Type) { FDriveTypes[Drive] = Type; }

void TMemoryFileSystem::SetAttributes(const std::string& Path, std::uint32_t Attributes)
{
    const auto It = FNodes.find(KeyOf(Path));
    if (It != FNodes.end())
        It->second.Attributes = Attributes;
}

std::vector<std::string> TMemoryFileSystem::AllPaths() const
{
    std::vector<std::string> Paths;
    for (const auto& [K, N] : FNodes)
        Paths.push_back(N.Directory ? N.Path + "\\" : N.Path);
    std::sort(Paths.begin(), Paths.end());
    return Paths;
}
