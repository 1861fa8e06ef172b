#include "builder_fakes.h"

#include "project_file_type.h"

#include <gtest/gtest.h>

TEST(ProjectFileType, RegistersOnlyWhenNoOpenCommandExists)
{
    TFakeRegistry Fresh;
    EXPECT_TRUE(RegisterProjectFileType(Fresh, "C:\\Program Files\\Brindlo\\Castbuild.exe"));
    EXPECT_EQ(Fresh.Writes,
              (std::vector<std::string>{".bxp=Castbuild",
                                        "Castbuild\\shell\\open\\command=\"C:\\Program Files\\Brindlo\\Castbuild.exe\" %1",
                                        "Castbuild\\DefaultIcon=C:\\Program Files\\Brindlo\\Castbuild.exe,1"}));

    TFakeRegistry Foreign;
    Foreign.OpenCommand = "notepad.exe %1";
    EXPECT_FALSE(RegisterProjectFileType(Foreign, "C:\\Brindlo\\Castbuild.exe"));
    EXPECT_TRUE(Foreign.Writes.empty());
}

TEST(ProjectFileType, RegistryFailuresAreSwallowed)
{
    TFakeRegistry Refusing;
    Refusing.FailWrites = true;
    EXPECT_FALSE(RegisterProjectFileType(Refusing, "C:\\Brindlo\\Castbuild.exe"));
    TFakeRegistry Raising;
    Raising.Raise = true;
    EXPECT_NO_THROW(EXPECT_FALSE(RegisterProjectFileType(Raising, "C:\\Brindlo\\Castbuild.exe")));
}
