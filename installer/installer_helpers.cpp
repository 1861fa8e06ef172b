#include "installer_helpers.h"

#include "convert.h"
#include "path_and_dir_helpers.h"

std::int32_t StrToIntDefault(const std::string& S, std::int32_t Default)
{
    std::int32_t Value = 0;
    return TryStrToInt(S, Value) ? Value : Default;
}

bool MatchMask(const std::string& Mask, const std::string& S)
{
    if (Mask.empty())
        return true;
    // The whole text against the whole mask: a mask without "*" matches only itself,
    // not a text that repeats it, and a last piece is found where the text ends even
    // when it overlaps an earlier occurrence ("*aa" matches "aaa").
    // Greedy with one way back: the last "*" seen takes one character more.
    std::size_t M = 0, I = 0;
    std::size_t Star = std::string::npos, Resume = 0;
    while (I < S.size()) {
        if (M < Mask.size() && Mask[M] == '*') {
            Star = M++;
            Resume = I;
        } else if (M < Mask.size() && Mask[M] == S[I]) {
            ++M;
            ++I;
        } else if (Star != std::string::npos) {
            M = Star + 1;
            I = ++Resume;
        } else {
            return false;
        }
    }
    while (M < Mask.size() && Mask[M] == '*')
        ++M;
    return M == Mask.size();
}

void ShrinkRect(TRect& R, std::int32_t N)
{
    R.Left += N;
    R.Top += N;
    R.Right -= N;
    R.Bottom -= N;
}

bool ArchiveUnpack(TArchiveClass ArchiveClass, const std::string& ArchiveFile, const std::string& DestDir,
                   CUInstLog* Log, TNotifyEvent OnProgress, TFileSystem& FS)
{
    const auto Archive = ArchiveClass(std::move(OnProgress), FS);
    Archive->Log = Log;
    return Archive->Unpack(ArchiveFile, DestDir);
}

void ArchiveList(TArchiveClass ArchiveClass, const std::string& ArchiveFile, THash& List, const std::string& BaseDir,
                 TFileSystem& FS)
{
    const auto Archive = ArchiveClass(nullptr, FS);
    Archive->List(ArchiveFile, List, BaseDir);
}

TInstallFolder LinkFolder(TLinkKind Kind)
{
    switch (Kind) {
    case TLinkKind::Desktop:
        return TInstallFolder::Desktop;
    case TLinkKind::Startup:
        return TInstallFolder::Startup;
    case TLinkKind::QuickLaunch:
        return TInstallFolder::QuickLaunch;
    case TLinkKind::Group:
        return TInstallFolder::Path;
    case TLinkKind::ProgramsGroup:
        return TInstallFolder::ProgramsGroup;
    }
    // Not a kind: a number of neither numbering, for which there is no folder.
    return static_cast<TInstallFolder>(-1);
}

std::string InstallFolderFrom(TInstallFolder Kind, const std::string& Path, const TSpecialFolderLookup& Lookup)
{
    switch (Kind) {
    case TInstallFolder::Windows:
        return Lookup(TSpecialFolder::Windows);
    case TInstallFolder::Desktop:
        return Lookup(TSpecialFolder::Desktop);
    case TInstallFolder::Startup:
        return Lookup(TSpecialFolder::Startup);
    case TInstallFolder::QuickLaunch:
        return Lookup(TSpecialFolder::QuickLaunch);
    case TInstallFolder::Path:
        return Path;
    case TInstallFolder::ProgramsGroup:
        return JoinPath(Lookup(TSpecialFolder::Programs), Path);
    case TInstallFolder::ProgramFiles:
        return Lookup(TSpecialFolder::ProgramFiles);
    }
    return std::string();
}
