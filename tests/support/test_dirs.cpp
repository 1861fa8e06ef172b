#include "test_dirs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

std::string ScratchDir()
{
    const testing::TestInfo* Info = testing::UnitTest::GetInstance()->current_test_info();
    std::string Name = Info ? std::string(Info->test_suite_name()) + "." + Info->name() : "no-test";
    for (char& C : Name)
        if (C == '/' || C == '\\' || C == ':')
            C = '_';
    const std::string Dir = HostJoin(BRINDLO_SCRATCH_DIR, Name);
    // An earlier run may have left read-only files, which Windows will not delete.
    std::error_code Ignored;
    for (auto It = std::filesystem::recursive_directory_iterator(Dir, Ignored);
         It != std::filesystem::recursive_directory_iterator(); It.increment(Ignored))
        std::filesystem::permissions(It->path(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add | std::filesystem::perm_options::nofollow, Ignored);
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    return Dir;
}

std::string FixturePath(const std::string& Name) { return HostJoin(BRINDLO_FIXTURE_DIR, Name); }

std::string ScreenshotPath(const std::string& Name)
{
    std::filesystem::create_directories(BRINDLO_SCREENSHOT_DIR);
    return HostJoin(BRINDLO_SCREENSHOT_DIR, Name);
}

std::string ReadWholeFile(const std::string& Path)
{
    std::ifstream In(HostPath(Path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& Path, const std::string& Bytes)
{
    std::ofstream Out(HostPath(Path), std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
}
