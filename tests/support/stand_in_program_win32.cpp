#include "stand_in_program.h"

#include "test_dirs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string BesideThisProgram(const std::string& Name)
{
    char Self[MAX_PATH];
    const DWORD N = GetModuleFileNameA(nullptr, Self, sizeof Self);
    std::string Path(Self, N);
    return Path.substr(0, Path.find_last_of('\\') + 1) + Name;
}

} // namespace

TStandIn::TStandIn(const std::string& Dir) : FRecordPath(Dir + "\\record.txt")
{
    const std::string ExeDir = Dir + "\\with blanks";
    FExePath = ExeDir + "\\record_args.exe";
    EXPECT_TRUE(CreateDirectoryA(ExeDir.c_str(), nullptr));
    EXPECT_TRUE(CopyFileA(BesideThisProgram("record_args.exe").c_str(), FExePath.c_str(), FALSE));
    DeleteFileA(FRecordPath.c_str());
    SetEnvironmentVariableA("BRINDLO_RECORD_ARGS_TO", FRecordPath.c_str());
}

std::vector<std::string> TStandIn::Record() const
{
    if (GetFileAttributesA(FRecordPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        return {};
    std::istringstream In(ReadWholeFile(FRecordPath));
    std::vector<std::string> Lines;
    for (std::string L; std::getline(In, L);)
        Lines.push_back(L);
    return Lines;
}

std::vector<std::string> TStandIn::WaitForRecord() const
{
    // A minute at least, within the test's own timeout, so that a program that never
    // writes fails the test saying so rather than being ended by the timeout.
    for (int Round = 0; Round < 3000 && GetFileAttributesA(FRecordPath.c_str()) == INVALID_FILE_ATTRIBUTES; ++Round)
        Sleep(20);
    if (GetFileAttributesA(FRecordPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        ADD_FAILURE() << "the stand-in wrote no record at " << FRecordPath;
    return Record();
}
