#include "file_system.h"
#include "registry_helpers.h"
#include "run_program.h"
#include "stand_in_program.h"
#include "test_dirs.h"
#include "test_registry_key.h"

#include <gtest/gtest.h>

#include <utility>

// The stand-in finds its record file through this process's environment, so every
// record also shows that the caller's environment reached it.
TEST(RunProgram, StartedProgramSeesItsOwnQuotedNameFirstAndTheArgumentsIntact)
{
    const std::string Dir = ScratchDir();
    const TStandIn StandIn(Dir);
    const std::string Exe = StandIn.ExePath();
    struct {
        std::string CommandLine;
        std::string Tail;
        std::vector<std::string> Args;
    } Cases[] = {
        {" -a C:\\some file.txt", " -a C:\\some file.txt", {"-a", "C:\\some", "file.txt"}},
        {"-a C:\\some file.txt", " -a C:\\some file.txt", {"-a", "C:\\some", "file.txt"}},
        {"\"C:\\dir x\\setup.ini\"", " \"C:\\dir x\\setup.ini\"", {"C:\\dir x\\setup.ini"}},
        {"", "", {}},
    };
    for (const auto& C : Cases)
        for (const std::string& Path : {Exe, "\"" + Exe + "\""}) {
            SCOPED_TRACE(Path + " with [" + C.CommandLine + "]");
            const TProcessHandle Process = RunProgram(Path, C.CommandLine);
            ASSERT_TRUE(Process);
            ASSERT_TRUE(Process.Wait());
            DWORD Code = 99;
            EXPECT_TRUE(GetExitCodeProcess(Process.Handle(), &Code));
            EXPECT_EQ(Code, 0u);
            const std::vector<std::string> R = StandIn.Record();
            ASSERT_GE(R.size(), 3u);
            EXPECT_EQ(R[0], "\"" + Exe + "\"" + C.Tail);
            EXPECT_EQ(R[1], CurrentDirectory());
            std::vector<std::string> Expected{Exe};
            Expected.insert(Expected.end(), C.Args.begin(), C.Args.end());
            EXPECT_EQ(std::vector<std::string>(R.begin() + 2, R.end()), Expected);
        }
}

TEST(RunProgram, QuotedAppPathsValueStartsTheProgram)
{
    const std::string Dir = ScratchDir();
    const TStandIn StandIn(Dir);
    const std::string ExeName = UniqueTestName("brindlo_quoted_") + ".exe";
    TTestRegKey Key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + ExeName);
    ASSERT_TRUE(Key.SetString("", "\"" + StandIn.ExePath() + "\""));

    const std::string Registered = GetAppPath(ExeName);
    EXPECT_EQ(Registered, "\"" + StandIn.ExePath() + "\"");
    const TProcessHandle Process = RunProgram(Registered, " -a C:\\some file.txt");
    ASSERT_TRUE(Process);
    ASSERT_TRUE(Process.Wait());
    const std::vector<std::string> R = StandIn.Record();
    ASSERT_FALSE(R.empty());
    EXPECT_EQ(R[0], "\"" + StandIn.ExePath() + "\" -a C:\\some file.txt");
}

TEST(RunProgram, AProgramThatCannotStartAnswersAnEmptyHandle)
{
    const std::string Dir = ScratchDir();
    for (const std::string& Path : {Dir + "\\missing.exe", "\"" + Dir + "\\missing.exe\"", std::string(), Dir}) {
        const TProcessHandle Process = RunProgram(Path, " -a x");
        EXPECT_FALSE(Process) << Path;
        EXPECT_FALSE(Process.Wait()) << Path;
    }
}

TEST(RunProgram, TheHandleMovesWithItsOwnership)
{
    const std::string Dir = ScratchDir();
    const TStandIn StandIn(Dir);
    TProcessHandle First = RunProgram(StandIn.ExePath(), "");
    ASSERT_TRUE(First);
    TProcessHandle Second(std::move(First));
    EXPECT_FALSE(First);
    ASSERT_TRUE(Second);
    TProcessHandle Third;
    Third = std::move(Second);
    EXPECT_FALSE(Second);
    EXPECT_TRUE(Third.Wait());
    DWORD Code = 99;
    EXPECT_TRUE(GetExitCodeProcess(Third.Handle(), &Code));
    EXPECT_EQ(Code, 0u);
}
