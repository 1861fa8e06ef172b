#include "uninstall_log.h"

#include "exceptions.h"

namespace {

std::string DirectoryOf(const std::string& FileName)
{
    const std::size_t Slash = FileName.find_last_of('\\');
    return Slash == std::string::npos ? std::string() : FileName.substr(0, Slash);
}

void ForceParent(const std::string& FileName, TFileSystem& FS)
{
    const std::string Dir = DirectoryOf(FileName);
    // "C:" alone is a drive, which exists or not; nothing to create there.
    if (!Dir.empty() && !(Dir.size() == 2 && Dir[1] == ':') && !FS.ForceDirectories(Dir))
        throw EInOutError("Cannot create directory " + Dir);
}

} // namespace

std::string UInstLogTag(int Kind)
{
    static const char* const Tags[] = {"[DelFile]%", "[DelDir]%", "[DelKey]%", "[DelValue]%", "[UImes 1]%", "[UImes 2]%"};
    return Kind >= 0 && Kind <= 5 ? Tags[Kind] : "";
}

CUInstLog::CUInstLog(std::uint8_t Mode, const std::string& FileName, TFileSystem& FS) : FMode(Mode)
{
    try {
        switch (Mode) {
        case 0:
            if (FileName.empty())
                return;
            ForceParent(FileName, FS);
            FFile = FS.Create(FileName);
            break;
        case 1:
            if (FileName.empty())
                return;
            ForceParent(FileName, FS);
            if (FS.FileExists(FileName)) {
                FFile = FS.OpenReadWrite(FileName);
                FFile->Seek(0, TSeekOrigin::soEnd);
            } else {
                FFile = FS.Create(FileName);
            }
            break;
        case 2:
            if (FS.FileExists(FileName))
                FFile = FS.OpenRead(FileName);
            break;
        default:
            break;
        }
    } catch (const EStreamError& E) {
        throw EInOutError(E.Message());
    }
}

CUInstLog::~CUInstLog() = default;

void CUInstLog::AddLine(int Kind, const std::string& Text)
{
    if (!FFile || FMode > 1 || Kind < 0 || Kind > 5)
        return;
    std::string Clean = Text;
    for (char& C : Clean) {
        if (C != '\r' && C != '\n')
            continue;
        if (Kind < ulMessage1)
            throw EInOutError("A line break cannot stand in an uninstall log entry: " + Text);
        C = ' ';
    }
    const std::string Line = UInstLogTag(Kind) + Clean + "\r\n";
    try {
        FFile->WriteBuffer(Line.data(), static_cast<std::int64_t>(Line.size()));
    } catch (const EStreamError& E) {
        throw EInOutError(E.Message());
    }
}
