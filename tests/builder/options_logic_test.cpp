#include "builder_fakes.h"
#include "options_logic.h"

#include <gtest/gtest.h>

using OptionsLogic = TBuilderTest;

namespace {

struct TStoreCase {
    const char* What;
    std::vector<std::pair<std::string, std::string>> Stored;
    std::function<void(TOptionsValues&)> Change;
    std::int32_t LastPlatform;
    std::vector<std::string> Expected;
};

} // namespace

TEST_F(OptionsLogic, OkStoresOnlyWhatTheWindowChanged)
{
    const std::vector<TStoreCase> Cases = {
        {"nothing changed", {}, [](TOptionsValues&) {}, 0, {"O_NADID=-1", "O_PAB=1", "O_VEL=1"}},
        {"boxes flipped, auto-select newly ticked takes the run's platform",
         {},
         [](TOptionsValues& V) {
             V.RunAfterBuild = false;
             V.ViewErrorLog = false;
             V.AutoSelectPlatform = true;
         },
         0,
         {"O_NADID=0", "O_PAB=0", "O_VEL=0"}},
        {"an active auto-select that stays ticked keeps its platform",
         {{"O_NADID", "1"}},
         [](TOptionsValues& V) { V.CabwizPath = "C:\\ce\\cabwiz.exe"; },
         2,
         {"O_NADID=1", "O_PAB=1", "O_VEL=1", "Cabwiz.exe=C:\\ce\\cabwiz.exe"}},
        {"unticking auto-select asks again",
         {{"O_NADID", "1"}},
         [](TOptionsValues& V) { V.AutoSelectPlatform = false; },
         1,
         {"O_NADID=-1", "O_PAB=1", "O_VEL=1"}},
        {"tool paths in their order",
         {},
         [](TOptionsValues& V) {
             V.MakecabPath = "m";
             V.CabwizDdfPath = "d";
             V.CabwizPath = "c";
         },
         2,
         {"O_NADID=-1", "O_PAB=1", "O_VEL=1", "Cabwiz.exe=c", "cabwiz.ddf=d", "Makecab.exe=m"}},
        {"a path cleared in the window",
         {{"Makecab.exe", "old"}},
         [](TOptionsValues& V) { V.MakecabPath = ""; },
         2,
         {"O_NADID=-1", "O_PAB=1", "O_VEL=1", "Makecab.exe="}},
        {"values the window cannot show are left alone when untouched",
         {{"O_PAB", "yes"}, {"O_NADID", "7"}, {"O_VEL", ""}},
         [](TOptionsValues&) {},
         2,
         {"O_NADID=7", "O_PAB=yes", "O_VEL="}},
    };
    for (const TStoreCase& C : Cases) {
        SCOPED_TRACE(C.What);
        // Each case from the defaults, not from the file the last one left.
        FS.EraseFile(TestEnvFile);
        auto B = MakeBuilder();
        for (const auto& [Key, Value] : C.Stored)
            B->EnvOptions.Add(Key, Value);
        const TOptionsValues Opened = LoadOptionsValues(*B);
        TOptionsValues Now = Opened;
        C.Change(Now);
        StoreOptionsValues(*B, Opened, Now, C.LastPlatform);
        EXPECT_EQ(Entries(B->EnvOptions), C.Expected);
    }
}

TEST_F(OptionsLogic, LoadShowsTheStoredOptions)
{
    auto B = MakeBuilder();
    TOptionsValues V = LoadOptionsValues(*B);
    EXPECT_TRUE(V.RunAfterBuild);
    EXPECT_TRUE(V.ViewErrorLog);
    EXPECT_FALSE(V.AutoSelectPlatform);
    EXPECT_EQ(V.CabwizPath, "");
    const std::vector<std::pair<std::string, bool>> Platforms = {
        {"0", true}, {"2", true}, {"-1", false}, {"3", false}, {"x", false}, {"", false}};
    for (const auto& [Text, Ticked] : Platforms) {
        B->EnvOptions.Add("O_NADID", Text);
        EXPECT_EQ(LoadOptionsValues(*B).AutoSelectPlatform, Ticked) << Text;
    }
    B->EnvOptions.Add("O_PAB", "0");
    B->EnvOptions.Add("O_VEL", "true");
    B->SetCabwizPath("a");
    B->SetCabwizDdfPath("b");
    B->SetMakecabPath("c");
    V = LoadOptionsValues(*B);
    EXPECT_FALSE(V.RunAfterBuild);
    EXPECT_FALSE(V.ViewErrorLog);
    EXPECT_EQ(V.CabwizPath + V.CabwizDdfPath + V.MakecabPath, "abc");
}

TEST(OptionsArg, PageDigitThenMessage)
{
    const std::string Long(2100, 'm');
    const struct {
        std::string Arg;
        int Page;
        std::string Message;
    } Cases[] = {
        {"", -1, ""},
        {"0", 0, ""},
        {"2External cab meke files must be selected", 2, "External cab meke files must be selected"},
        {"12", 1, "2"},
        {"9", 9, ""},
        // Not a digit: no page, the message still shown.
        {"xWarning", -1, "Warning"},
        {"-", -1, ""},
        {"1" + Long, 1, Long.substr(0, 2000)},
    };
    for (const auto& C : Cases) {
        const TOptionsArg A = ParseOptionsArg(C.Arg);
        EXPECT_EQ(A.Page, C.Page) << C.Arg;
        EXPECT_EQ(A.Message, C.Message) << C.Arg;
    }
}
