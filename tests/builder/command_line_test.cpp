#include "command_line.h"

#include <gtest/gtest.h>

TEST(ProjectFromCommandLine, SkipsTheProgramAsTheRuntimeDoesAndTakesTheRestWithoutQuotes)
{
    struct TCase {
        const char* CommandLine;
        const char* Project;
    } Cases[] = {
        {"Castbuild.exe", ""},
        {"\"C:\\Program Files\\Brindlo\\Castbuild.exe\"", ""},
        {"\"C:\\Program Files\\Brindlo\\Castbuild.exe\"   ", ""},
        {"C:\\Brindlo\\Castbuild.exe C:\\p\\a.bxp", "C:\\p\\a.bxp"},
        {"\"C:\\Program Files\\Brindlo\\Castbuild.exe\" \"C:\\My Projects\\a.bxp\"", "C:\\My Projects\\a.bxp"},
        // The registered "open" command passes %1 unquoted, blanks and all.
        {"\"C:\\Program Files\\Brindlo\\Castbuild.exe\" C:\\My Projects\\a b.bxp", "C:\\My Projects\\a b.bxp"},
        // The name goes on after its closing quote up to the first blank.
        {"\"C:\\Program Files\\Brindlo\\Castbuild.exe\"C:\\p\\a.bxp", ""},
        {"\"C:\\Program Files\\Brindlo\\Castbuild.exe\"x C:\\p\\a.bxp", "C:\\p\\a.bxp"},
        {"Castbuild.exe \t C:\\p\\a.bxp \t ", "C:\\p\\a.bxp"},
        // A quote in the middle of the program's name keeps its blanks in it.
        {"C:\\Pro\"gram Fi\"les\\Castbuild.exe x.bxp", "x.bxp"},
        {"", ""},
    };
    for (const TCase& C : Cases)
        EXPECT_EQ(ProjectFromCommandLine(C.CommandLine), C.Project) << C.CommandLine;
}
