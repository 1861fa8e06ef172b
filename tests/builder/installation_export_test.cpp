#include "builder_fakes.h"
#include "package_reader.h"

#include "bmp_image.h"
#include "exceptions.h"

#include <gtest/gtest.h>

namespace {

class InstallationExport : public TBuilderTest {
protected:
    std::unique_ptr<CCastamer> B;

    void SetUp() override
    {
        TBuilderTest::SetUp();
        B = MakeBuilder();
        B->SetOutDir("D:\\Package");
    }

    // The record as the installer reads it, through a one-record bag.
    void Export(CCst_App& App, TBuildMode Mode, TPackageRecord& R)
    {
        B->BuildMode = Mode;
        TMemoryStream S;
        S.WriteString("before");
        const std::int64_t Written = App.BuildToStream(S, Mode);
        EXPECT_EQ(Written, S.Size() - 6);
        S.SetPosition(6);
        CDataBag Bag;
        ASSERT_EQ(Bag.PutStream(S, 100000), brDone);
        ReadAppRecord(Bag, 100000, R);
    }
};

} // namespace

TEST_F(InstallationExport, ShortcutsPointIntoTheInstalledFiles)
{
    FS.AddFile("C:\\Src\\bin\\tool.exe", "t");
    FS.AddFile("C:\\Src\\a.exe", "a");
    FS.AddFile("C:\\Src2\\x.exe", "x");
    FS.AddFile("C:\\top.exe", "top");
    struct TCase {
        std::string Source;
        std::vector<std::string> Shortcuts; // as key=value
        std::vector<std::string> Record;
    };
    const TCase Cases[] = {
        {"C:\\Src",
         {"A=A|SCut to file|C:\\Src2\\x.exe|Desktop|", "B=B|SCut to file|C:\\SRC\\bin\\tool.exe|Quick launch|",
          "C=C|SCut to uninstall||Program files|G"},
         {"C=C|SCut to uninstall||Program files|G", "B=B|SCut to file|\\bin\\tool.exe|Quick launch|"}},
        // A final "\" of the source directory changes nothing.
        {"C:\\Src\\", {"A=A|SCut to file|C:\\Src\\a.exe|Desktop|G"}, {"A=A|SCut to file|\\a.exe|Desktop|G"}},
        {"C:\\", {"T=T|SCut to file|C:\\top.exe|Desktop|"}, {"T=T|SCut to file|\\top.exe|Desktop|"}},
        {"C:\\Src", {"M=M|SCut to file|C:\\Src\\missing.exe|Desktop|", "N=N|SCut to file"}, {}},
        // No source directory: no shortcut at all, the uninstall one included.
        {"", {"U=U|SCut to uninstall||Desktop|", "A=A|SCut to file|C:\\Src\\a.exe|Desktop|"}, {}},
    };
    for (const TCase& C : Cases) {
        CCst_App* App = B->AddApp();
        App->Props.Add("InDir", C.Source);
        for (const std::string& S : C.Shortcuts)
            App->Shortcuts.Add(S.substr(0, S.find('=')), S.substr(S.find('=') + 1));
        TPackageRecord R;
        Export(*App, TBuildMode::Build, R);
        EXPECT_EQ(Entries(R.Shortcuts), C.Record) << C.Source;
        EXPECT_EQ(App->Shortcuts.Count(), static_cast<std::int32_t>(C.Shortcuts.size())); // untouched
    }
}

TEST_F(InstallationExport, WithoutAPlatformOnlyTheRecordIsWritten)
{
    for (const char* DID : {"-1", "7"}) {
        for (TBuildMode Mode : {TBuildMode::Build, TBuildMode::Preview}) {
            CCst_App* App = B->AddApp();
            App->Props.Add("DID", DID);
            App->Props.Add("InDir", "C:\\Nowhere");
            TPackageRecord R;
            Export(*App, Mode, R);
            EXPECT_EQ(R.Props.Lookup("DID"), DID);
            EXPECT_EQ(R.Props.Lookup("OutFN"), App->GetOutFN()) << DID;
            EXPECT_EQ(R.Props.IndexOfKey("InDir"), -1);
            B->DeleteApp(App);
        }
    }
    EXPECT_FALSE(FS.DirectoryExists("D:\\Package\\Data"));
    EXPECT_FALSE(FS.DirectoryExists("C:\\Brindlo\\temp"));
}

TEST_F(InstallationExport, APlatformThatIsNoNumberFailsTheExportInBothModes)
{
    FS.AddFile("C:\\Src\\a.txt", "a");
    for (const char* DID : {"two", "", "2.0", "2 "}) {
        for (TBuildMode Mode : {TBuildMode::Build, TBuildMode::Preview}) {
            CCst_App* App = B->AddApp();
            App->Props.Add("DID", DID);
            App->Props.Add("InDir", "C:\\Src");
            B->BuildMode = Mode;
            TMemoryStream S;
            EXPECT_THROW(App->BuildToStream(S, Mode), EConvertError) << DID;
            EXPECT_EQ(S.Size(), 0) << DID;
            B->DeleteApp(App);
        }
    }
    EXPECT_FALSE(FS.DirectoryExists("D:\\Package\\Data"));
}

TEST_F(InstallationExport, PlatformFailuresRaiseBeforeAnythingIsWritten)
{
    FS.AddFile("C:\\Src\\a.txt", "a");
    struct TCase {
        const char* DID;
        const char* Source;
    };
    for (const TCase& C : {TCase{"2", ""}, TCase{"2", "C:\\Gone"}, TCase{"1", "C:\\Gone"}}) {
        CCst_App* App = B->AddApp();
        App->Props.Add("DID", C.DID);
        App->Props.Add("InDir", C.Source);
        TMemoryStream S;
        try {
            App->BuildToStream(S, TBuildMode::Build);
            ADD_FAILURE() << C.DID << " " << C.Source;
        } catch (const Exception& E) {
            EXPECT_EQ(E.Message(), "Destributive not buildet.");
        }
        EXPECT_EQ(S.Size(), 0);
        // Preview makes no archive, so no platform fails there.
        TPackageRecord R;
        Export(*App, TBuildMode::Preview, R);
        EXPECT_EQ(R.Props.IndexOfKey("OutFN"), -1);
    }
    EXPECT_FALSE(FS.DirectoryExists("D:\\Package\\Data"));
}

TEST_F(InstallationExport, IconsAreReencodedWithAnExactFileHeaderAndMissingOnesDropped)
{
    const std::string Odd = MakeBmp(7, 3, 20); // file header far too small
    FS.AddFile("C:\\Art\\icon.bmp", Odd);
    CCst_App* App = B->AddApp();
    App->Props.Add("App icon", "C:\\Art\\icon.bmp");
    App->Props.Add("ScreenShot", "C:\\Art\\gone.bmp");
    TPackageRecord R;
    Export(*App, TBuildMode::Preview, R);
    ASSERT_TRUE(R.HasIcon);
    EXPECT_FALSE(R.HasShot);
    EXPECT_EQ(R.Props.IndexOfKey("ScreenShot"), -1);
    EXPECT_EQ(R.Icon.Width(), 7);
    EXPECT_EQ(R.Icon.Height(), 3);

    FS.AddFile("C:\\Art\\shot.bmp", "BM but nothing more");
    App->Props.Add("ScreenShot", "C:\\Art\\shot.bmp");
    TMemoryStream S;
    EXPECT_THROW(App->BuildToStream(S, TBuildMode::Preview), EInvalidGraphic);
}
