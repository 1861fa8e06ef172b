// The system's texts for errno values.
#include "system_error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

TEST(PosixSystemError, CodesReadAsTheSystemWordsThem)
{
    for (const int Code : {ENOENT, EACCES, EEXIST}) {
        SCOPED_TRACE(Code);
        EXPECT_EQ(SystemErrorText(static_cast<std::uint32_t>(Code)), std::strerror(Code));
        errno = Code;
        EXPECT_EQ(LastSystemError(), std::strerror(Code));
    }
}
