#include "exceptions.h"
#include "file_stream.h"
#include "memory_stream.h"
#include "test_dirs.h"

#include <gtest/gtest.h>

#include <cerrno>

TEST(MemoryStream, ReadsExactlyOrRaises)
{
    TMemoryStream S(std::string("abcdef"));
    char Buf[4] = {};
    S.ReadBuffer(Buf, 4);
    EXPECT_EQ(std::string(Buf, 4), "abcd");
    EXPECT_EQ(S.Position(), 4);
    // A plain read may be short; an exact one raises and the caller learns of it.
    EXPECT_EQ(S.Read(Buf, 4), 2);
    S.SetPosition(4);
    EXPECT_THROW(S.ReadBuffer(Buf, 3), EReadError);
}

TEST(MemoryStream, WritesGrowAndOverwrite)
{
    TMemoryStream S;
    S.WriteString("hello");
    S.SetPosition(1);
    S.WriteString("EL");
    EXPECT_EQ(S.Bytes(), "hELlo");
    S.Seek(2, TSeekOrigin::soEnd);
    S.WriteU16(0x0201);
    EXPECT_EQ(S.Size(), 9);
    EXPECT_EQ(S.Bytes(), std::string("hELlo\0\0\x01\x02", 9));
}

TEST(MemoryStream, PositionsAreSixtyFourBit)
{
    TMemoryStream S;
    const std::int64_t Far = 5'000'000'000LL;
    EXPECT_EQ(S.Seek(Far, TSeekOrigin::soBeginning), Far);
    char C;
    EXPECT_EQ(S.Read(&C, 1), 0);
    EXPECT_THROW(S.Seek(-1, TSeekOrigin::soBeginning), EStreamError);
}

TEST(MemoryStream, LittleEndianFields)
{
    TMemoryStream S;
    S.WriteU32(0x04030201);
    S.WriteU16(0xBEEF);
    EXPECT_EQ(S.Bytes(), std::string("\x01\x02\x03\x04\xEF\xBE", 6));
    S.SetPosition(0);
    EXPECT_EQ(S.ReadU32(), 0x04030201u);
    EXPECT_EQ(S.ReadU16(), 0xBEEF);
    EXPECT_THROW(S.ReadU8(), EReadError);
}

TEST(MemoryStream, ReadStringOfALyingLengthRaisesWithoutAllocatingIt)
{
    TMemoryStream S(std::string("abc"));
    EXPECT_THROW(S.ReadString(0x7FFFFFFFFFFFLL), EReadError);
}

TEST(MemoryStream, CopyFromWholeSource)
{
    TMemoryStream Source(std::string("0123456789"));
    Source.SetPosition(7);
    TMemoryStream Dest;
    EXPECT_EQ(Dest.CopyFrom(Source, 0), 10);
    EXPECT_EQ(Dest.Bytes(), "0123456789");
    Source.SetPosition(8);
    EXPECT_THROW(Dest.CopyFrom(Source, 5), EReadError);
}

TEST(FileStream, CreateWriteReopenRead)
{
    const std::string Path = ScratchDir() + "\\f.bin";
    {
        TFileStream F(Path, fmCreate);
        F.WriteString("payload");
        EXPECT_EQ(F.Size(), 7);
    }
    TFileStream F(Path, fmOpenRead);
    EXPECT_EQ(F.ReadString(7), "payload");
    char C;
    EXPECT_THROW(F.ReadBuffer(&C, 1), EReadError);
    F.SetPosition(3);
    EXPECT_EQ(F.ReadString(4), "load");
}

TEST(FileStream, CreateEmptiesAnExistingFile)
{
    const std::string Path = ScratchDir() + "\\f.bin";
    { TFileStream(Path, fmCreate).WriteString("long contents"); }
    { TFileStream(Path, fmCreate).WriteString("x"); }
    EXPECT_EQ(TFileStream(Path, fmOpenRead).Size(), 1);
}

TEST(FileStream, OpenErrorsNameTheFileAndSayWhy)
{
    const std::string Dir = ScratchDir();
    // The system's own words follow the file name; what they are depends on the system.
    const auto ExpectReason = [](const std::string& Message, const std::string& Start) {
        EXPECT_EQ(Message.rfind(Start + ": ", 0), 0u) << Message;
        EXPECT_GT(Message.size(), Start.size() + 4) << Message;
    };
    try {
        TFileStream F(Dir + "\\missing.bin", fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& E) {
        ExpectReason(E.Message(), "Cannot open file " + Dir + "\\missing.bin");
    }
    try {
        TFileStream F(Dir + "\\no-dir\\x.bin", fmCreate);
        FAIL() << "created a file in a missing directory";
    } catch (const EFCreateError& E) {
        ExpectReason(E.Message(), "Cannot create file " + Dir + "\\no-dir\\x.bin");
    }
    try {
        TFileStream F(Dir, fmOpenRead);
        FAIL() << "opened a directory as a file";
    } catch (const EFOpenError& E) {
        ExpectReason(E.Message(), "Cannot open file " + Dir);
    }
}

TEST(FileStream, ReadAndWriteErrorsNameTheFileAndSayWhy)
{
    const std::string Path = ScratchDir() + "\\f.bin";
    { TFileStream(Path, fmCreate).WriteString("abc"); }
    const std::string Refused = SystemText(EBADF, 5); // a handle not opened for it
    try {
        TFileStream F(Path, fmOpenWrite);
        char C;
        F.ReadBuffer(&C, 1);
        FAIL() << "read a file opened for writing";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message(), "Cannot read file " + Path + ": " + Refused);
    }
    try {
        TFileStream F(Path, fmOpenRead);
        TMemoryStream Source(std::string("xyz"));
        F.CopyFrom(Source, 0);
        FAIL() << "wrote a file opened for reading";
    } catch (const EWriteError& E) {
        EXPECT_EQ(E.Message(), "Cannot write file " + Path + ": " + Refused);
    }
    // The end of a file is no failure of the system: the stream is just short.
    TFileStream F(Path, fmOpenRead);
    F.SetPosition(3);
    char C;
    EXPECT_EQ(F.Read(&C, 1), 0);
    try {
        F.ReadBuffer(&C, 1);
        FAIL() << "read past the end";
    } catch (const EReadError& E) {
        EXPECT_EQ(E.Message(), "Stream read error");
    }
}

TEST(FileStream, SetSizeTruncates)
{
    const std::string Path = ScratchDir() + "\\f.bin";
    TFileStream F(Path, fmCreate);
    F.WriteString("0123456789");
    F.SetSize(4);
    EXPECT_EQ(F.Size(), 4);
    EXPECT_EQ(F.Position(), 4);
}
