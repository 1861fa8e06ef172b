#include "exceptions.h"
#include "external_archivers.h"
#include "stand_in_program.h"
#include "test_dirs.h"
#include "test_registry_key.h"

#include <gtest/gtest.h>

// The one test that touches App Paths\powerarc.exe, so parallel test processes never
// see each other's entry.
TEST(ExternalArchiversWin32, FindsAndStartsPowerArchiverThroughAppPaths)
{
    const std::string Dir = ScratchDir();
    const TStandIn StandIn(Dir);
    TTestRegKey Key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\powerarc.exe");

    {
        CExternalArchs List;
        EXPECT_TRUE(List.Archivers().empty());
        EXPECT_FALSE(List.Select("PowerArchiver"));
        EXPECT_THROW(List.Execute("X", ""), Exception);
    }

    ASSERT_TRUE(Key.SetString("", "\"" + StandIn.ExePath() + "\""));
    {
        CExternalArchs List;
        ASSERT_EQ(List.Archivers().size(), 1u);
        EXPECT_FALSE(List.Select("powerarchiver"));
        ASSERT_TRUE(List.Select("PowerArchiver"));
        ASSERT_TRUE(List.Execute("X", "unused"));
        const std::vector<std::string> R = StandIn.WaitForRecord();
        ASSERT_GE(R.size(), 5u);
        EXPECT_EQ(R[0], "\"" + StandIn.ExePath() + "\" -a X");
        EXPECT_EQ(std::vector<std::string>(R.begin() + 2, R.end()),
                  (std::vector<std::string>{StandIn.ExePath(), "-a", "X"}));
    }

    ASSERT_TRUE(Key.SetString("", Dir + "\\missing\\powerarc.exe"));
    {
        CExternalArchs List;
        ASSERT_TRUE(List.Select("PowerArchiver"));
        EXPECT_FALSE(List.Execute("X", ""));
    }
}
