// A group's entry in the Groups table: its three fields read and written, the order
// of the table when a group leaves it, fresh identifiers and the separator kept out.
#include "group_string.h"

#include "builder_fakes.h"

#include <gtest/gtest.h>

namespace {

TEST(GroupString, ReadsTheFirstThreeFields)
{
    struct Case {
        std::string Value, Name, Icon, Enabled;
    };
    const Case Cases[] = {
        {"Games|C:\\art\\games.bmp|true", "Games", "C:\\art\\games.bmp", "true"},
        {"Solo", "Solo", "", ""},
        {"", "", "", ""},
        {"A|b", "A", "b", ""},
        {"A|b|c|d", "A", "b", "c"},
        {"||false", "", "", "false"},
    };
    for (const Case& C : Cases) {
        const TGroupFields F = ReadGroupString(C.Value);
        EXPECT_EQ(F.Name, C.Name) << C.Value;
        EXPECT_EQ(F.Icon, C.Icon) << C.Value;
        EXPECT_EQ(F.Enabled, C.Enabled) << C.Value;
    }
}

TEST(GroupString, AFieldWriteGivesExactlyThreeFields)
{
    struct Case {
        std::string Value;
        TGroupField Field;
        std::string Text, Result;
    };
    const Case Cases[] = {
        {"Games|g.bmp|false", gfName, "Tools", "Tools|g.bmp|false"},
        {"A|b|c|d", gfEnabled, "true", "A|b|true"},
        {"A|b|c|d", gfEnabled, "false", "A|b|false"},
        {"", gfName, "New Group", "New Group||"},
        {"New Group||", gfEnabled, "true", "New Group||true"},
        {"Solo", gfIcon, "s.bmp", "Solo|s.bmp|"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(WithGroupField(C.Value, C.Field, C.Text), C.Result) << C.Value;
    EXPECT_EQ(WriteGroupString({"Games", "C:\\art\\games.bmp", "true"}), "Games|C:\\art\\games.bmp|true");
}

TEST(GroupString, TheSeparatorIsBlockedAndStripped)
{
    EXPECT_TRUE(GroupBlockedChars().test('|'));
    EXPECT_EQ(GroupBlockedChars().count(), 1u);
    EXPECT_EQ(StripGroupSeparator("|Ga|mes||"), "Games");
    EXPECT_EQ(StripGroupSeparator("Tools"), "Tools");
}

std::vector<std::string> Keys(const THash& H)
{
    std::vector<std::string> V;
    for (const THashPair& P : H.Pairs())
        V.push_back(P.Key);
    return V;
}

TEST(GroupString, RemovingAGroupKeepsTheOrderOfTheOthers)
{
    const std::vector<std::string> All = {"RootGID", "a", "b", "c"};
    struct Case {
        std::string Key;
        std::vector<std::string> Left;
    };
    const Case Cases[] = {
        {"RootGID", {"a", "b", "c"}},
        {"b", {"RootGID", "a", "c"}},
        {"c", {"RootGID", "a", "b"}},
        {"absent", All},
    };
    for (const Case& C : Cases) {
        THash Groups(true);
        for (const std::string& K : All)
            Groups.Add(K, K + "-value");
        int Changes = 0;
        Groups.OnChange = [&](TObject*) { ++Changes; };
        RemoveGroupEntry(Groups, C.Key);
        EXPECT_EQ(Keys(Groups), C.Left) << C.Key;
        for (const THashPair& P : Groups.Pairs())
            EXPECT_EQ(P.Value, P.Key + "-value");
        EXPECT_EQ(Changes > 0, C.Key != "absent") << C.Key;
    }
    THash One(true);
    One.Add("only", "x");
    RemoveGroupEntry(One, "only");
    EXPECT_EQ(One.Count(), 0);
}

TEST(GroupString, AFreshIdentifierIsTheTimeAndAFreeNumber)
{
    std::vector<std::int32_t> Draws;
    std::vector<std::int32_t> Answers = {417, 417, 5};
    std::size_t Next = 0;
    const TUniqueIDSource Source{[] { return std::string("14:05:09"); }, [&](std::int32_t Range) {
                                     Draws.push_back(Range);
                                     return Answers[Next++ % Answers.size()];
                                 }};
    THash Groups(true);
    EXPECT_EQ(FreshGroupID(Groups, Source), "14:05:09_417");
    Groups.Add("14:05:09_417", "Taken||true");
    // The next draw is 417 again, which is taken: drawn once more.
    EXPECT_EQ(FreshGroupID(Groups, Source), "14:05:09_5");
    EXPECT_EQ(Draws, (std::vector<std::int32_t>{1000, 1000, 1000}));
}

TEST(GroupString, EveryNumberTakenStillGivesAFreeIdentifier)
{
    const TUniqueIDSource Source{[] { return std::string("9:00:00"); }, [](std::int32_t) { return 7; }};
    THash Groups(true);
    Groups.Add("9:00:00_7", "");
    Groups.Add("9:00:00_1000", "");
    EXPECT_EQ(FreshGroupID(Groups, Source), "9:00:00_1001");
}

} // namespace
