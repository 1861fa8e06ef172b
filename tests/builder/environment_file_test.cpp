#include "builder_fakes.h"

#include "exceptions.h"
#include "memory_stream.h"

#include <gtest/gtest.h>

namespace {

std::string EnvBytes(const std::vector<std::pair<std::string, std::string>>& Paths,
                     const std::vector<std::pair<std::string, std::string>>& Options)
{
    TMemoryStream S;
    for (const auto* Table : {&Paths, &Options}) {
        THash H(true);
        for (const auto& P : *Table)
            H.Add(P.first, P.second);
        H.SaveToStream(S);
    }
    return S.Bytes();
}

// A disk where files can be read but never opened for writing, as with a
// read-only file or folder.
class TReadOnlyFileSystem : public TMemoryFileSystem {
public:
    std::unique_ptr<TStream> OpenReadWrite(const std::string& Path) override
    {
        throw EFOpenError("Cannot open file " + Path + " for writing");
    }
    std::unique_ptr<TStream> Create(const std::string& Path) override
    {
        if (Locked)
            throw EFCreateError("Cannot create file " + Path);
        return TMemoryFileSystem::Create(Path);
    }
    bool Locked = false;
};

const std::vector<std::string> DefaultOptions = {"O_NADID=-1", "O_PAB=1", "O_VEL=1"};

} // namespace

using EnvironmentFile = TBuilderTest;

TEST_F(EnvironmentFile, WrittenAtTheEndWithRememberedPathsFirst)
{
    {
        auto B = MakeBuilder();
        EXPECT_EQ(B->GetEnvFileName(), TestEnvFile);
        Remembered.Add("hk_SaveLoad", "C:\\Projects\\demo.bxp");
        EXPECT_FALSE(FS.FileExists(TestEnvFile));
    }
    EXPECT_EQ(FS.FileBytes(TestEnvFile), EnvBytes({{"hk_SaveLoad", "C:\\Projects\\demo.bxp"}},
                                                  {{"O_NADID", "-1"}, {"O_PAB", "1"}, {"O_VEL", "1"}}));
    EXPECT_FALSE(FS.FileExists(TestEnvFile + ".tmp"));
}

TEST_F(EnvironmentFile, FileOptionsReplaceTheDefaults)
{
    FS.AddFile(TestEnvFile, EnvBytes({{"hk_AppInF", "C:\\src"}, {"hk_SaveLoad", "C:\\p\\x.bxp"}},
                                     {{"O_VEL", "0"}, {"Cabwiz.exe", "C:\\ce\\cabwiz.exe"}, {"O_NADID", "9"}}));
    auto B = MakeBuilder();
    ASSERT_TRUE(B->Ready);
    EXPECT_EQ(Entries(Remembered), (std::vector<std::string>{"hk_AppInF=C:\\src", "hk_SaveLoad=C:\\p\\x.bxp"}));
    EXPECT_EQ(Entries(B->EnvOptions),
              (std::vector<std::string>{"O_VEL=0", "Cabwiz.exe=C:\\ce\\cabwiz.exe", "O_NADID=9"}));
    // Not merged: without "O_PAB" nothing is started after a build.
    EXPECT_FALSE(B->GetRunAfterBuild());
    EXPECT_EQ(B->GetNewAppPlatform(), -1);
    EXPECT_EQ(B->GetCabwizPath(), "C:\\ce\\cabwiz.exe");
}

TEST_F(EnvironmentFile, DamagedFilesStartWithDefaults)
{
    const std::string Sound = EnvBytes({{"hk_AppInF", "C:\\src"}}, {{"O_PAB", "0"}});
    const struct {
        const char* Name;
        std::string Bytes;
    } Cases[] = {
        {"empty", ""},
        {"one byte", "\x01"},
        {"options missing", Sound.substr(0, Sound.size() - EnvBytes({}, {{"O_PAB", "0"}}).size() + 2)},
        {"truncated", Sound.substr(0, Sound.size() - 1)},
        {"garbage", "not an environment file \xFF\xFE at all"},
    };
    for (const auto& C : Cases) {
        FS.AddFile(TestEnvFile, C.Bytes);
        Remembered.Clear();
        auto B = MakeBuilder();
        EXPECT_TRUE(B->Ready) << C.Name;
        EXPECT_EQ(Entries(B->EnvOptions), DefaultOptions) << C.Name;
        EXPECT_EQ(Remembered.Count(), 0) << C.Name;
    }
}

TEST_F(EnvironmentFile, ReadOnlyFileIsReadAndAFailedWriteKeepsIt)
{
    TReadOnlyFileSystem Disk;
    Disk.ForceDirectories(TestProgramDir);
    const std::string Stored = EnvBytes({{"hk_AppInF", "C:\\src"}}, {{"O_PAB", "0"}});
    Disk.AddFile(TestEnvFile, Stored);
    {
        auto B = MakeBuilder(&Disk);
        EXPECT_TRUE(B->Ready);
        EXPECT_EQ(Entries(B->EnvOptions), (std::vector<std::string>{"O_PAB=0"}));
        B->SetRunAfterBuild(true);
        Disk.Locked = true;
        EXPECT_THROW(B->SaveEnv(), EFCreateError);
        EXPECT_EQ(Disk.FileBytes(TestEnvFile), Stored);
    } // the end of the program writes it again; the failure stays inside
    EXPECT_EQ(Disk.FileBytes(TestEnvFile), Stored);
}

TEST_F(EnvironmentFile, OptionsWindowOkWithoutChangesAddsNoKeys)
{
    {
        auto B = MakeBuilder();
        B->SetNewAppPlatform(B->GetNewAppPlatform());
        B->SetRunAfterBuild(B->GetRunAfterBuild());
        B->SetViewErrorLog(B->GetViewErrorLog());
        B->SetCabwizPath(B->GetCabwizPath());
        B->SetCabwizDdfPath(B->GetCabwizDdfPath());
        B->SetMakecabPath(B->GetMakecabPath());
    }
    auto Again = MakeBuilder();
    EXPECT_EQ(Entries(Again->EnvOptions), DefaultOptions);
}
