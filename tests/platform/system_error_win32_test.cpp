// The system's texts for error codes: the words without their line break, and the last
// error's also without the full stop the callers add themselves.
#include "system_error.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(Win32SystemError, KnownCodesReadInTheSystemsWords)
{
    for (const DWORD Code : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}) {
        SCOPED_TRACE(Code);
        const std::string Text = SystemErrorText(Code);
        ASSERT_FALSE(Text.empty());
        EXPECT_NE(Text, "error " + std::to_string(Code));
        EXPECT_EQ(Text.find_last_not_of("\r\n "), Text.size() - 1);

        std::string Sentence = Text;
        while (!Sentence.empty() && Sentence.back() == '.')
            Sentence.pop_back();
        SetLastError(Code);
        EXPECT_EQ(LastSystemError(), Sentence);
    }
}

TEST(Win32SystemError, ACodeTheSystemHasNoTextForIsNamedByItsNumber)
{
    // The customer bit: no system message can stand for it.
    const DWORD Code = 0x20001234;
    EXPECT_EQ(SystemErrorText(Code), "error 536875572");
    SetLastError(Code);
    EXPECT_EQ(LastSystemError(), "system error 536875572");
}
