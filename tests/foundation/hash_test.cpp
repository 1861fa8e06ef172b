#include "byte_literals.h"
#include "exceptions.h"
#include "hash.h"
#include "memory_stream.h"

#include <gtest/gtest.h>

namespace {

// Counts the change events of a hash.
struct ChangeCounter {
    int Count = 0;
    TObject* LastSender = nullptr;
    void Attach(THash& H)
    {
        H.OnChange = [this](TObject* Sender) {
            ++Count;
            LastSender = Sender;
        };
    }
};

} // namespace

TEST(Hash, StreamFormOfOnePairAndOfNothing)
{
    THash H(true);
    TMemoryStream S;
    EXPECT_EQ(H.SaveToStream(S), 2);
    EXPECT_EQ(S.Bytes(), std::string("\x00\x00", 2));

    H.Add("A", "xy", true);
    TMemoryStream S2;
    S2.WriteString("pre"); // the form starts at the current position
    EXPECT_EQ(H.SaveToStream(S2), 9);
    EXPECT_EQ(S2.Bytes(), std::string("pre\x01\x00\x01\x00\x41\x02\x00\x78\x79", 12));
}

TEST(Hash, SaveLoadRoundTripKeepsOrderRepeatsAndEmpties)
{
    THash H(false);
    H.Add("", "first", true);
    H.Add("k", "", true);
    H.Add("k", "again", true);
    H.Add(std::string(300, 'z'), std::string(65535, 'v'), true);
    TMemoryStream S;
    const std::int64_t N = H.SaveToStream(S);
    EXPECT_EQ(N, S.Size());
    S.WriteString("tail");

    S.SetPosition(0);
    THash L(true); // repeats load into a unique hash too
    L.LoadFromStream(S);
    EXPECT_EQ(S.Position(), N);
    ASSERT_EQ(L.Count(), 4);
    for (int I = 0; I < 4; ++I) {
        EXPECT_EQ(L.GetEntry(I).Key, H.GetEntry(I).Key);
        EXPECT_EQ(L.GetEntry(I).Value, H.GetEntry(I).Value);
    }
}

TEST(Hash, LoadCutsAStoredStringAtItsFirstZeroByte)
{
    TMemoryStream S(Bytes("\x02\x00"
                          "\x01\x00k\x03\x00"
                          "a\x00"
                          "b"
                          "\x01\x00n\x01\x00v"));
    THash H(false);
    H.LoadFromStream(S);
    ASSERT_EQ(H.Count(), 2);
    EXPECT_EQ(H.Lookup("k"), "a");
    EXPECT_EQ(H.GetEntry(1).Key, "n");
    EXPECT_EQ(H.GetEntry(1).Value, "v");
    EXPECT_EQ(S.Position(), S.Size());
}

TEST(Hash, LoadFiresTwiceAndClearsFixed)
{
    THash Source(true);
    Source.Add("a", "1", true);
    TMemoryStream S;
    Source.SaveToStream(S);

    THash H(true);
    H.Add("old", "x", true);
    H.Fixed = true;
    ChangeCounter C;
    C.Attach(H);
    S.SetPosition(0);
    H.LoadFromStream(S);
    EXPECT_EQ(C.Count, 2);
    EXPECT_EQ(C.LastSender, &H);
    EXPECT_FALSE(H.Fixed);
    EXPECT_EQ(H.Count(), 1);
}

TEST(Hash, LoadOfATruncatedFormRaisesAndLeavesTheHashEmpty)
{
    const std::string Full = Bytes("\x02\x00\x01\x00k\x01\x00v\x01\x00n\x02\x00vw");
    for (std::size_t Cut = 0; Cut < Full.size(); ++Cut) {
        SCOPED_TRACE(Cut);
        TMemoryStream S(Full.substr(0, Cut));
        THash H(false);
        H.Add("old", "x", true);
        EXPECT_THROW(H.LoadFromStream(S), EReadError);
        EXPECT_EQ(H.Count(), 0);
    }
}

TEST(Hash, LoadOfAHugeDeclaredCountWithoutBytesRaises)
{
    TMemoryStream S(std::string("\xFF\xFF\xFF\xFF", 4));
    THash H(false);
    EXPECT_THROW(H.LoadFromStream(S), EReadError);
    EXPECT_EQ(H.Count(), 0);
}

TEST(Hash, SaveRefusesWhatTheFormCannotHoldBeforeWriting)
{
    THash Long(false);
    Long.Add("k", std::string(65536, 'x'), true);
    TMemoryStream S;
    EXPECT_THROW(Long.SaveToStream(S), EStreamError);
    EXPECT_EQ(S.Size(), 0);

    THash LongKey(false);
    LongKey.Add(std::string(65536, 'k'), "", true);
    EXPECT_THROW(LongKey.SaveToStream(S), EStreamError);

    THash Many(false);
    for (int I = 0; I < 65536; ++I)
        Many.Add("", "", true);
    EXPECT_THROW(Many.SaveToStream(S), EStreamError);
    EXPECT_EQ(S.Size(), 0);
    Many.Delete(0);
    EXPECT_EQ(Many.SaveToStream(S), 2 + 65535 * 4);

    THash Edge(false);
    Edge.Add(std::string(65535, 'k'), std::string(65535, 'v'), true);
    TMemoryStream E;
    EXPECT_EQ(Edge.SaveToStream(E), 2 + 2 * (2 + 65535));
}

TEST(Hash, UniqueAddReplacesOrKeeps)
{
    THash H(true);
    ChangeCounter C;
    C.Attach(H);
    EXPECT_EQ(H.Add("x", "0", true), 0);
    EXPECT_EQ(H.Add("k", "1", true), 1);
    C.Count = 0;
    EXPECT_EQ(H.Add("k", "2", false), 1);
    EXPECT_EQ(H.Lookup("k"), "1");
    EXPECT_EQ(C.Count, 0);
    EXPECT_EQ(H.Add("k", "2", true), 1);
    EXPECT_EQ(H.Lookup("k"), "2");
    EXPECT_EQ(C.Count, 1);
    EXPECT_EQ(H.Count(), 2);
}

TEST(Hash, NonUniqueAddAppendsAndLookupFindsTheFirst)
{
    THash H(false);
    EXPECT_EQ(H.Add("k", "1", true), 0);
    EXPECT_EQ(H.Add("k", "2", true), 1);
    EXPECT_EQ(H.Count(), 2);
    EXPECT_EQ(H.IndexOfKey("k"), 0);
    EXPECT_EQ(H.Lookup("k"), "1");
}

TEST(Hash, FixedRefusesNewKeys)
{
    THash U(true);
    U.Add("a", "1", true);
    U.Fixed = true;
    EXPECT_EQ(U.Add("b", "2", true), -1);
    EXPECT_EQ(U.Count(), 1);
    EXPECT_EQ(U.Add("a", "9", true), 0);
    EXPECT_EQ(U.Lookup("a"), "9");

    THash N(false);
    N.Add("a", "1", true);
    N.Fixed = true;
    EXPECT_EQ(N.Add("a", "2", true), -1);
    EXPECT_EQ(N.Count(), 1);
    N.Clear();
    EXPECT_FALSE(N.Fixed);
}

TEST(Hash, DeleteMovesTheLastPairIntoTheHole)
{
    THash H(true);
    H.Add("a", "", true);
    H.Add("b", "", true);
    H.Add("c", "", true);
    ChangeCounter C;
    C.Attach(H);
    H.Delete(0);
    EXPECT_EQ(H.GetEntry(0).Key, "c");
    EXPECT_EQ(H.GetEntry(1).Key, "b");
    EXPECT_EQ(C.Count, 1);
    H.Delete(2);
    H.Delete(-1);
    EXPECT_EQ(C.Count, 1);
    H.Remove("b");
    H.Remove("absent");
    EXPECT_EQ(H.Count(), 1);
    H.Delete(0);
    EXPECT_EQ(H.Count(), 0);
}

TEST(Hash, ClearOfAnEmptyHashStillFires)
{
    THash H(true);
    ChangeCounter C;
    C.Attach(H);
    H.Clear();
    EXPECT_EQ(C.Count, 1);
}

TEST(Hash, LookupModes)
{
    THash H(false);
    H.Add("k1", "v1", true);
    H.Add("v1", "k1", true);
    H.Add("e", "", true);
    EXPECT_EQ(H.Lookup("k1"), "v1");
    EXPECT_EQ(H.Lookup("k1", hmValues), "v1");
    EXPECT_EQ(H.Lookup("v1", hmKeys | hmValues), "k1");
    EXPECT_EQ(H.IndexOf("k1", hmKeys | hmValues), 0);
    EXPECT_EQ(H.Lookup("absent"), "");
    EXPECT_EQ(H.Lookup("e"), "");
    EXPECT_EQ(H.IndexOf("", hmValues), 2);
    EXPECT_EQ(H.IndexOfKey("K1"), -1);
}

TEST(Hash, GetInt)
{
    THash H(true);
    H.Add("n", "42", true);
    H.Add("neg", "-7", true);
    H.Add("empty", "", true);
    H.Add("text", "abc", true);
    EXPECT_EQ(H.GetInt("n"), 42);
    EXPECT_EQ(H.GetInt("neg"), -7);
    EXPECT_EQ(H.GetInt("absent"), -1);
    EXPECT_THROW(H.GetInt("empty"), EConvertError);
    EXPECT_THROW(H.GetInt("text"), EConvertError);
}

TEST(Hash, EntriesOutOfRange)
{
    THash H(true);
    H.Add("a", "1", true);
    ChangeCounter C;
    C.Attach(H);
    EXPECT_EQ(H.GetEntry(5).Key, "");
    EXPECT_EQ(H.GetEntry(-1).Value, "");
    H.SetEntry(1, THashPair{"x", "y"});
    EXPECT_EQ(C.Count, 0);
    H.SetEntry(0, THashPair{"b", "2"});
    EXPECT_EQ(C.Count, 1);
    EXPECT_EQ(H.Lookup("b"), "2");
}

TEST(Hash, AssignAddsWithReplaceAndFiresOnceMore)
{
    THash Source(false);
    Source.Add("a", "1", true);
    Source.Add("a", "2", true);
    Source.Add("b", "3", true);
    THash Dest(true);
    Dest.Add("b", "old", true);
    Dest.Add("c", "kept", true);
    ChangeCounter C;
    C.Attach(Dest);
    Dest.Assign(Source, false);
    EXPECT_EQ(Dest.Count(), 3);
    EXPECT_EQ(Dest.Lookup("a"), "2");
    EXPECT_EQ(Dest.Lookup("b"), "3");
    EXPECT_EQ(Dest.Lookup("c"), "kept");
    // a added, a replaced, b replaced, then once more
    EXPECT_EQ(C.Count, 4);

    Dest.Assign(Source, true);
    EXPECT_EQ(Dest.Count(), 2);
    EXPECT_EQ(Dest.IndexOfKey("c"), -1);
}

TEST(Hash, AssignFromItselfIsHarmless)
{
    THash H(false);
    H.Add("a", "1", true);
    H.Add("b", "2", true);
    H.Assign(H, true);
    ASSERT_EQ(H.Count(), 2);
    EXPECT_EQ(H.Lookup("a"), "1");
    EXPECT_EQ(H.Lookup("b"), "2");
}

TEST(Hash, AddJoined)
{
    THash H(true);
    H.AddJoined("sc", {"Name", "SCut to file", "", "Desktop", "G"}, "|");
    EXPECT_EQ(H.Lookup("sc"), "Name|SCut to file||Desktop|G");
    H.AddJoined("sc", {}, "|");
    EXPECT_EQ(H.Lookup("sc"), "");
    EXPECT_EQ(H.Count(), 1);
}
