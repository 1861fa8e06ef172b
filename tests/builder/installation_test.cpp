#include "builder_fakes.h"

#include "installation.h"
#include "exceptions.h"
#include "memory_stream.h"

#include <gtest/gtest.h>

using CstApp = TBuilderTest;

TEST_F(CstApp, NewInstallationHasTheFixedPropertiesAndPocketPCDefaultsInOrder)
{
    auto B = MakeBuilder();
    CCst_App* A = B->AddApp();
    EXPECT_EQ(Entries(A->Props), (std::vector<std::string>{
                                     "App name=New Installation", "CompName=", "BDate=01.02.2024", "BVersion=1.0",
                                     "Describe=", "Desc Top=", "Desc Left=", "GroupID=", "Web Link=", "ScreenShot=",
                                     "SShot Left=10", "SShot Top=10", "App icon=", "DID=-1", "InDir=",
                                     "OutFN=1200000.ime", "Font color=16777215",
                                     "DefInstDir=$(Program Files)/$(Company)/$(Name)", "AddUinstSC=true",
                                     "ShowInfo=false", "Licenze="}));
    EXPECT_EQ(Entries(A->PocketPC),
              (std::vector<std::string>{"PPC_IsCC=false", "O_PPCBARM=true", "O_PPCBMIPS=true", "O_PPCBSH=true"}));
    for (const THash* T : {&A->Extra, &A->PDFiles, &A->Shortcuts, &A->CDFiles})
        EXPECT_EQ(T->Count(), 0);
    EXPECT_EQ(A->GetCabFileARM(), "");
    EXPECT_EQ(A->GetCabFileMIPS(), "");
    EXPECT_EQ(A->GetCabFileSH(), "");
    EXPECT_EQ(A->GetASDesc(), "");
    EXPECT_EQ(A->GetDID(), -1);
    ASSERT_EQ(B->Apps().size(), 1u);
    EXPECT_EQ(B->Apps()[0].get(), A);

    // The key set is fixed: values change, new keys are refused.
    EXPECT_EQ(A->Props.Add("Extra key", "x"), -1);
    EXPECT_EQ(A->Props.Count(), 21);
    A->SetDID(2);
    EXPECT_EQ(A->GetDID(), 2);
}

TEST_F(CstApp, CompanyNameComesFromTheInstallationJustBefore)
{
    auto B = MakeBuilder();
    CCst_App* First = B->AddApp();
    EXPECT_EQ(First->GetCompName(), "");
    First->SetCompName("Acme");
    CCst_App* Second = B->AddApp();
    EXPECT_EQ(Second->GetCompName(), "Acme");
    Second->SetCompName("Beta");
    EXPECT_EQ(B->AddApp()->GetCompName(), "Beta");
}

TEST_F(CstApp, ArchiveNameIsDrawnAgainWhileAnotherInstallationUsesIt)
{
    auto B = MakeBuilder();
    B->AddApp();
    B->AddApp();
    // The counting source comes round to 0 again: the next draw equals the first name.
    NextRandom = 0;
    CCst_App* Third = B->AddApp();
    EXPECT_EQ(B->Apps()[0]->GetOutFN(), "1200000.ime");
    EXPECT_EQ(B->Apps()[1]->GetOutFN(), "1200001.ime");
    EXPECT_EQ(Third->GetOutFN(), "1200002.ime");
}

TEST_F(CstApp, StreamRoundTripGivesEqualTablesAndLiftsTheFixedKeySet)
{
    auto B = MakeBuilder();
    CCst_App* A = B->AddApp();
    A->Shortcuts.Add("s1", "Run|SCut to file|C:\\src\\a.exe|Desktop|");
    A->PDFiles.Add("p1", "ARM|C:\\src\\a.dll|App Root");
    A->CDFiles.Add("c1", "colors 16|C:\\src\\a.prc");
    TMemoryStream S;
    const std::int64_t N = A->SaveToStream(S);
    EXPECT_EQ(N, S.Size());

    CCst_App* Other = B->AddApp();
    S.SetPosition(0);
    Other->LoadFromStream(S);
    for (auto T : {&CCst_App::Props, &CCst_App::Extra, &CCst_App::Shortcuts, &CCst_App::PocketPC,
                   &CCst_App::PDFiles, &CCst_App::CDFiles})
        EXPECT_EQ(Entries(Other->*T), Entries(A->*T));
    EXPECT_NE(Other->Props.Add("Later key", "v"), -1);

    // Props, Extra, Shortcuts, PocketPC, PDFiles, CDFiles: the first table is Props.
    S.SetPosition(0);
    THash First(true);
    First.LoadFromStream(S);
    EXPECT_EQ(First.Count(), 21);
    THash Second(true);
    Second.LoadFromStream(S);
    EXPECT_EQ(Second.Count(), 0);
    THash Third(true);
    Third.LoadFromStream(S);
    EXPECT_EQ(Entries(Third), Entries(A->Shortcuts));
}

TEST_F(CstApp, BadPlatformCodeRaisesAndUnknownCodesHaveNoName)
{
    auto B = MakeBuilder();
    CCst_App* A = B->AddApp();
    A->Props.Add("DID", "pc");
    EXPECT_THROW(A->GetDID(), EConvertError);
    const std::pair<int, const char*> Names[] = {{0, "Handheld (Palm OS)"},
                                                 {1, "Pocket PC 2000/2002 (Window CE)"},
                                                 {2, "PC (Windows 95/98/Me/NT/2000/XP)"},
                                                 {3, "unknown"},
                                                 {-1, "unknown"}};
    for (const auto& N : Names)
        EXPECT_EQ(PlatformName(N.first), N.second) << N.first;
}

TEST_F(CstApp, DeletedInstallationLeavesTheProject)
{
    auto B = MakeBuilder();
    CCst_App* A = B->AddApp();
    CCst_App* C = B->AddApp();
    B->DeleteApp(A);
    ASSERT_EQ(B->Apps().size(), 1u);
    EXPECT_EQ(B->Apps()[0].get(), C);
}
