#include "exceptions.h"
#include "external_archivers.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

struct TStart {
    std::string ExePath;
    std::string CommandLine;
};

// A machine whose App Paths know only the names given, and a program start that is
// recorded and answers Starts.
struct TFakeMachine {
    std::vector<std::pair<std::string, std::string>> AppPaths;
    std::vector<std::string> Asked;
    std::vector<TStart> Started;
    bool Starts = true;

    CExternalArchs::TAppPathLookup Lookup()
    {
        return [this](const std::string& ExeName) {
            Asked.push_back(ExeName);
            for (const auto& P : AppPaths)
                if (P.first == ExeName)
                    return P.second;
            return std::string();
        };
    }
    CExternalArchs::TProgramStart Start()
    {
        return [this](const std::string& ExePath, const std::string& CommandLine) {
            Started.push_back({ExePath, CommandLine});
            return Starts;
        };
    }
};

std::string ExecuteError(CExternalArchs& List)
{
    try {
        List.Execute("C:\\a.zip", "");
    } catch (const Exception& E) {
        return E.Message();
    }
    return "no exception";
}

} // namespace

TEST(ExternalArchivers, WithoutPowerArchiverTheListIsEmptyAndNothingIsSelected)
{
    TFakeMachine M;
    M.AppPaths = {{"other.exe", "C:\\other.exe"}};
    CExternalArchs List(M.Lookup(), M.Start());
    EXPECT_EQ(M.Asked, std::vector<std::string>{"powerarc.exe"});
    EXPECT_TRUE(List.Archivers().empty());
    EXPECT_FALSE(List.Select("PowerArchiver"));
    EXPECT_EQ(List.Current(), nullptr);
    EXPECT_EQ(ExecuteError(List), "Archive not selected");
    EXPECT_TRUE(M.Started.empty());
}

TEST(ExternalArchivers, PowerArchiverIsFoundSelectedByExactNameAndStartedWithTheFile)
{
    TFakeMachine M;
    M.AppPaths = {{"powerarc.exe", "\"C:\\Program Files\\PA\\powerarc.exe\""}};
    CExternalArchs List(M.Lookup(), M.Start());
    ASSERT_EQ(List.Archivers().size(), 1u);
    CExtArch_b& Entry = *List.Archivers()[0];
    EXPECT_EQ(Entry.Name(), "PowerArchiver");
    EXPECT_EQ(Entry.ExePath(), "\"C:\\Program Files\\PA\\powerarc.exe\"");
    EXPECT_EQ(&Entry.Owner(), &List);
    EXPECT_EQ(List.Find("PowerArchiver"), &Entry);

    for (const char* Other : {"powerarchiver", "POWERARCHIVER", "PowerArchiver ", ""}) {
        EXPECT_FALSE(List.Select(Other)) << Other;
        EXPECT_EQ(List.Current(), nullptr) << Other;
    }
    EXPECT_EQ(ExecuteError(List), "Archive not selected");

    ASSERT_TRUE(List.Select("PowerArchiver"));
    EXPECT_EQ(List.Current(), &Entry);
    EXPECT_TRUE(List.Execute("C:\\some file.txt", "not used"));
    ASSERT_EQ(M.Started.size(), 1u);
    EXPECT_EQ(M.Started[0].ExePath, "\"C:\\Program Files\\PA\\powerarc.exe\"");
    EXPECT_EQ(M.Started[0].CommandLine, " -a C:\\some file.txt");

    M.Starts = false;
    EXPECT_FALSE(List.Execute("C:\\x", ""));

    // A failed selection clears the one before.
    EXPECT_FALSE(List.Select("powerarchiver"));
    EXPECT_EQ(List.Current(), nullptr);
}

TEST(ExternalArchivers, DestroyingTheSelectedEntryLeavesNothingSelected)
{
    TFakeMachine M;
    M.AppPaths = {{"powerarc.exe", "C:\\PA\\powerarc.exe"}};
    CExternalArchs List(M.Lookup(), M.Start());
    ASSERT_TRUE(List.Select("PowerArchiver"));
    delete List.Archivers()[0].get();
    EXPECT_TRUE(List.Archivers().empty());
    EXPECT_EQ(List.Current(), nullptr);
    EXPECT_EQ(ExecuteError(List), "Archive not selected");

    CExtArch_PowerArch& Added = CExtArch_PowerArch::Create(List, "C:\\PA2\\powerarc.exe");
    ASSERT_EQ(List.Archivers().size(), 1u);
    EXPECT_EQ(List.Archivers()[0].get(), &Added);
}
