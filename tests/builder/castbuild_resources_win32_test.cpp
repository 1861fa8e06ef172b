// The pictures Castbuild.exe carries, drawn at build time: the splash, the tree's
// strip and the two icons in the order the file type's "DefaultIcon" counts them.
#include "driver.h"
#include "jpeg_image.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

class TModule {
public:
    explicit TModule(const std::string& Path)
        : FModule(LoadLibraryExA(Path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~TModule()
    {
        if (FModule)
            FreeLibrary(FModule);
    }
    TModule(const TModule&) = delete;
    TModule& operator=(const TModule&) = delete;
    HMODULE Get() const { return FModule; }

private:
    HMODULE FModule;
};

std::string Resource(HMODULE Module, LPCSTR Name, LPCSTR Type)
{
    HRSRC Found = FindResourceA(Module, Name, Type);
    if (!Found)
        return "";
    HGLOBAL Loaded = LoadResource(Module, Found);
    const void* Data = Loaded ? LockResource(Loaded) : nullptr;
    return Data ? std::string(static_cast<const char*>(Data), SizeofResource(Module, Found)) : "";
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR Name, LONG_PTR Param)
{
    auto& Names = *reinterpret_cast<std::vector<std::uintptr_t>*>(Param);
    Names.push_back(IS_INTRESOURCE(Name) ? reinterpret_cast<std::uintptr_t>(Name) : 0);
    return TRUE;
}

} // namespace

TEST(CastbuildResources, TheSplashIsA640By480Jpeg)
{
    TModule M(BuiltProgramPath("Castbuild.exe"));
    ASSERT_NE(M.Get(), nullptr);
    const TBgraImage Splash = DecodeJpeg(Resource(M.Get(), "SPLASH", RT_RCDATA));
    EXPECT_EQ(Splash.Width, 640);
    EXPECT_EQ(Splash.Height, 480);
}

TEST(CastbuildResources, TheTreeStripHoldsNineteenPicturesOfTwentyPixels)
{
    TModule M(BuiltProgramPath("Castbuild.exe"));
    ASSERT_NE(M.Get(), nullptr);
    HANDLE Strip = LoadImageA(M.Get(), "TREEIMAGES", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(Strip, nullptr);
    BITMAP Info{};
    GetObjectA(Strip, sizeof Info, &Info);
    DeleteObject(Strip);
    EXPECT_EQ(Info.bmWidth, 19 * 20);
    EXPECT_EQ(Info.bmHeight, 20);
}

TEST(CastbuildResources, TheProgramIconComesFirstAndTheProjectIconSecond)
{
    TModule M(BuiltProgramPath("Castbuild.exe"));
    ASSERT_NE(M.Get(), nullptr);
    std::vector<std::uintptr_t> Names;
    EnumResourceNamesA(M.Get(), RT_GROUP_ICON, CollectName, reinterpret_cast<LONG_PTR>(&Names));
    EXPECT_EQ(Names, (std::vector<std::uintptr_t>{1, 2}));
    // "DefaultIcon" names the program with ",1": the second icon, the project's.
    EXPECT_EQ(ExtractIconExA(BuiltProgramPath("Castbuild.exe").c_str(), -1, nullptr, nullptr, 0), 2u);
}
