#include "builder_fakes.h"

#include "app_page_rows.h"
#include "color_scheme.h"
#include "device_file_logic.h"
#include "exceptions.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A row as "depth caption [key] kind image" plus what its kind adds, in display order.
void Flatten(const std::vector<TAppRow>& Rows, int Depth, std::vector<std::string>& Out)
{
    static const char* const Kinds[] = {"const", "group", "edit", "color", "check", "cbox",
                                        "creator", "scut", "pdfile", "cdfile"};
    for (const TAppRow& R : Rows) {
        std::string S = std::string(static_cast<std::size_t>(Depth) * 2, ' ') + R.Caption + " [" + R.Key + "] " +
                        Kinds[R.Kind] + " " + std::to_string(R.Image);
        if (R.Kind == arCreator)
            S += " +" + std::string(Kinds[R.NewKind]) + " '" + R.Value + "'";
        Out.push_back(S);
        Flatten(R.Children, Depth + 1, Out);
    }
}

std::vector<std::string> Flat(const std::vector<TAppRow>& Rows)
{
    std::vector<std::string> Out;
    Flatten(Rows, 0, Out);
    return Out;
}

const TAppRow* Find(const std::vector<TAppRow>& Rows, const std::string& Caption)
{
    for (const TAppRow& R : Rows) {
        if (R.Caption == Caption)
            return &R;
        if (const TAppRow* C = Find(R.Children, Caption))
            return C;
    }
    return nullptr;
}

class AppPageRowsTest : public TBuilderTest {
protected:
    std::unique_ptr<CCastamer> B = MakeBuilder();
    CCst_App& App = *B->AddApp();

    void SetDID(const std::string& DID) { App.Props.Add("DID", DID); }
};

TEST_F(AppPageRowsTest, ThePageShowsItsRowsInOrderWithKeysKindsAndImages)
{
    SetDID("2");
    const std::vector<std::string> Expected = {
        "Destination Platform:  [] const -1",
        "Basic: [] group 0",
        "  Installation Name [App name] edit 8",
        "  Company Name [CompName] edit 8",
        "  Description [Describe] edit 8",
        "  License Agreement [Licenze] edit 8",
        "  Source Directory [InDir] edit 16",
        "Advanced: [] group 0",
        "  OS Dependent: [G_ODEP] group 0",
        "    Shortcuts [] creator 0 +scut 'Click to add new'",
        "    Default InstDir [DefInstDir] cbox 16",
        "  View: [] group 0",
        "    Description X [Desc Left] edit 6",
        "    Description Y [Desc Top] edit 7",
        "    Screenshot [ScreenShot] edit 11",
        "    Screenshot X [SShot Left] edit 6",
        "    Screenshot Y [SShot Top] edit 7",
        "    Icon [App icon] edit 11",
        "    Font Color [Font color] color 9",
        "  Info: [] group 0",
        "    Show Info [ShowInfo] check 18",
        "    Creation Date [BDate] edit 2",
        "    Version [BVersion] edit 2",
        "    Web Link [Web Link] edit 2",
    };
    EXPECT_EQ(Flat(InstallationPageRows(App)), Expected);
}

TEST_F(AppPageRowsTest, RowsTakeTheirSettingsColoursAndValues)
{
    SetDID("2");
    App.Props.Add("App name", "Editor");
    App.Props.Add("Desc Left", "40");
    const std::vector<TAppRow> Rows = InstallationPageRows(App);
    const TAppRow& Platform = Rows[0];
    EXPECT_EQ(Platform.Value, "PC (Windows 95/98/Me/NT/2000/XP)");
    EXPECT_EQ(Platform.BackColor, 0u);
    EXPECT_EQ(Platform.TextColor, 0xFFFFFFu);
    EXPECT_EQ(Find(Rows, "Installation Name")->Value, "Editor");
    EXPECT_EQ(Find(Rows, "Installation Name")->Style, ES_AllChars);
    EXPECT_EQ(Find(Rows, "Installation Name")->BackColor, PaletteColor3);
    EXPECT_EQ(Find(Rows, "Description X")->Value, "40");
    EXPECT_EQ(Find(Rows, "Description X")->Style, ES_Integer);
    const TAppRow& Memo = *Find(Rows, "License Agreement");
    EXPECT_EQ(Memo.Style, ES_Memo);
    EXPECT_EQ(Memo.ExData, "License Agreement");
    EXPECT_TRUE(Memo.Scheme);
    const TAppRow& Source = *Find(Rows, "Source Directory");
    EXPECT_EQ(Source.Style, ES_Dir);
    EXPECT_EQ(Source.HKey_DirFile, "hk_AppInF");
    EXPECT_TRUE(Source.Scheme);
    for (const char* Picture : {"Screenshot", "Icon"}) {
        EXPECT_TRUE(Find(Rows, Picture)->Picture) << Picture;
        EXPECT_EQ(Find(Rows, Picture)->ExData, "Bitmap file|*.bmp") << Picture;
    }
    const TAppRow& Advanced = *Find(Rows, "Advanced:");
    EXPECT_TRUE(Advanced.RootColors);
    EXPECT_FALSE(Advanced.AllowClose);
    for (const char* G : {"Basic:", "OS Dependent:", "View:", "Info:"}) {
        EXPECT_TRUE(Find(Rows, G)->AllowClose) << G;
        EXPECT_EQ(Find(Rows, G)->BackColor, PaletteColor4) << G;
    }
    EXPECT_EQ(Find(Rows, "Web Link")->HelpText, "Link Name;URL (E.g. Brindlo;http://www.example.com)");
}

TEST_F(AppPageRowsTest, ADateAndAWebAddressCanBeTyped)
{
    SetDID("2");
    const std::vector<TAppRow> Rows = InstallationPageRows(App);
    const TCharSet Any = AnyPrintableChars();
    for (const char* Caption : {"Creation Date", "Web Link"})
        EXPECT_TRUE(Find(Rows, Caption)->AnyPrintable) << Caption;
    EXPECT_FALSE(Find(Rows, "Version")->AnyPrintable);
    for (const std::string Typed : {"10.12.2026", "12/10/2026", "Brindlo;http://www.example.com", "a \"b\" = `c`"})
        EXPECT_EQ(EditFilterPaste(Typed, Any, TCharSet(), true), Typed) << Typed;
    EXPECT_FALSE(Any.test(0));
    EXPECT_FALSE(Any.test(127));
    EXPECT_TRUE(Any.test(0xE9));
    // What the styles alone let through: no digits, no colon.
    EXPECT_EQ(EditFilterPaste("10.12.2026", EditAllowedSet(EditStyleRow(ES_String).AChars), TCharSet(), true), "..");
    EXPECT_EQ(EditFilterPaste("http://x", EditAllowedSet(EditStyleRow(ES_AllChars).AChars), TCharSet(), true),
              "http//x");
}

TEST_F(AppPageRowsTest, EachPlatformHasItsSection)
{
    App.Shortcuts.Add("k1", "Run|SCut to file|C:\\src\\a.exe|Desktop|");
    App.PDFiles.Add("p1", "MIPS|C:\\src\\m.dll|Win Root");
    App.CDFiles.Add("c1", "colors 16|C:\\src\\c.prc");
    struct TCase {
        std::string DID, IsCC;
        std::vector<std::string> Rows;
    };
    const TCase Cases[] = {
        {"2", "",
         {"Shortcuts [] creator 0 +scut 'Click to add new'", "   [k1] scut -1", "Default InstDir [DefInstDir] cbox 16"}},
        {"1", "false",
         {"Create Cabs [PPC_IsCC] check 18", "ActiveSync Description [PPC_ASDesc] edit 8",
          "Default InstDir [DefInstDir] cbox 16", "Cab File[ARM] [PPC_ICabFARM] cbox 16",
          "Cab File[MIPS] [PPC_ICabFMIPS] cbox 16", "Cab File[SH3] [PPC_ICabFSH] cbox 16"}},
        {"1", "true",
         {"Create Cabs [PPC_IsCC] check 18", "ActiveSync Description [PPC_ASDesc] edit 8",
          "Default InstDir [DefInstDir] cbox 16", "Build ARM [O_PPCBARM] check 18", "Build MIPS [O_PPCBMIPS] check 18",
          "Build SH3 [O_PPCBSH] check 18", "Proc.Dep.Files [] creator 0 +pdfile 'Click to add new one'",
          "   [p1] pdfile -1", "Shortcuts [] creator 0 +scut 'Click to add new'", "   [k1] scut -1"}},
        {"0", "", {"Color Dependent Files [] creator 0 +cdfile 'Click to add new'", "   [c1] cdfile 16"}},
        {"3", "", {}},
        {"PC", "", {}},
        {"", "", {}},
    };
    for (const TCase& C : Cases) {
        SetDID(C.DID);
        App.PocketPC.Add("PPC_IsCC", C.IsCC);
        EXPECT_EQ(Flat(OsDependentRows(App)), C.Rows) << "DID " << C.DID << " " << C.IsCC;
    }
}

TEST_F(AppPageRowsTest, ADIDThatIsNoNumberShowsTheUnknownPlatform)
{
    for (const std::string DID : {"PC", "", "2x", "-50"}) {
        SetDID(DID);
        const std::vector<TAppRow> Rows = InstallationPageRows(App);
        EXPECT_EQ(Rows[0].Value, "unknown") << DID;
        EXPECT_TRUE(Find(Rows, "OS Dependent:")->Children.empty()) << DID;
    }
    SetDID("1");
    EXPECT_EQ(PageDID(App), 1);
}

TEST_F(AppPageRowsTest, SectionRowsWriteIntoTheirTables)
{
    SetDID("1");
    App.PocketPC.Add("PPC_IsCC", "true");
    App.PocketPC.Add("PPC_ASDesc", "For devices");
    App.Props.Add("DefInstDir", "$(Program Files)/$(Company)/$(Name)");
    App.Shortcuts.Add("k1", "Run|SCut to file|a|Start Menu|");
    const std::vector<TAppRow> Rows = OsDependentRows(App);
    EXPECT_EQ(Find(Rows, "Create Cabs")->Table, atPocketPC);
    EXPECT_EQ(Find(Rows, "Create Cabs")->Event, aeBuildCabRows);
    EXPECT_EQ(Find(Rows, "Create Cabs")->Value, "true");
    EXPECT_EQ(Find(Rows, "ActiveSync Description")->Value, "For devices");
    EXPECT_EQ(Find(Rows, "ActiveSync Description")->ExData, "ActiveSync Description");
    const TAppRow& Dir = *Find(Rows, "Default InstDir");
    EXPECT_EQ(Dir.Table, atProps);
    EXPECT_EQ(Dir.Items, TArrayOfString{"$(Program Files)/$(Company)/$(Name)"});
    EXPECT_EQ(Dir.ComboStyle, 2);
    const TAppRow& Shortcuts = *Find(Rows, "Shortcuts");
    EXPECT_EQ(Shortcuts.Event, aeAddShortcutPPC);
    EXPECT_EQ(Shortcuts.NewBackColor, PaletteColor3);
    EXPECT_EQ(Shortcuts.OpenImage, 1);
    const TAppRow& Row = Shortcuts.Children.at(0);
    EXPECT_EQ(Row.Table, atShortcuts);
    EXPECT_EQ(Row.Value, "Run|SCut to file|a|Start Menu|");
    EXPECT_EQ(Row.DeviceMode, 1);
    EXPECT_EQ(Row.HKey_DirFile, "hk_AppInF");
    EXPECT_TRUE(Row.Scheme);
    EXPECT_EQ(Row.Caption, "");
    EXPECT_EQ(Find(Rows, "Proc.Dep.Files")->Event, aeAddProcFile);

    App.PocketPC.Add("PPC_IsCC", "false");
    for (const TAppRow& R : PocketPCCabRows(App)) {
        EXPECT_EQ(R.Event, aeFillCabList) << R.Caption;
        EXPECT_EQ(R.Table, atPocketPC) << R.Caption;
    }

    SetDID("2");
    const std::vector<TAppRow> PCRows = OsDependentRows(App);
    const TAppRow& PCDir = *Find(PCRows, "Default InstDir");
    EXPECT_EQ(PCDir.Items, (TArrayOfString{"$(Program Files)", "$(Program Files)/$(Company)/$(Name)", "$(Win Root)",
                                           "$(System Drive)"}));
    EXPECT_EQ(PCDir.ComboStyle, 0);
    EXPECT_EQ(Find(PCRows, "Shortcuts")->Children.at(0).DeviceMode, -1);
}

TEST_F(AppPageRowsTest, NewListRowsStartWithTheirValues)
{
    const struct {
        TAppRowEvent Event;
        std::string Value;
        TAppRowTable Table;
    } Cases[] = {
        {aeAddShortcutPC, "Editor||||", atShortcuts},
        {aeAddShortcutPPC, "Editor|SCut to file||Start Menu|", atShortcuts},
        {aeAddProcFile, "ARM||App Root", atPDFiles},
        {aeAddColorFile, "colors 2|", atCDFiles},
    };
    for (const auto& C : Cases) {
        EXPECT_EQ(NewListRowValue(C.Event, "Editor"), C.Value);
        EXPECT_EQ(NewListRowTable(C.Event), C.Table);
    }
}

TEST(UniqueKey, DrawsAgainWhileTheKeyIsTakenOrPending)
{
    THash Table(true);
    int Next = 0;
    const TUniqueIDSource Source{[] { return std::string("12:00:00"); }, [&Next](std::int32_t) { return Next++; }};
    // Drawn: 1200000 (in the table), 1200001 (a row not yet written), 1200002.
    Table.Add("1200000", "written");
    EXPECT_EQ(MakeUniqueKey(Table, {"1200001"}, Source), "1200002");
    const std::string Key = MakeUniqueKey(Table, {}, Source);
    EXPECT_EQ(Key, "1200003");
    EXPECT_EQ(Key.find_first_of(" ./:_"), std::string::npos);
}

TEST(UniqueKey, AnEndlessClashFails)
{
    THash Table(true);
    Table.Add("1200000", "written");
    const TUniqueIDSource Source{[] { return std::string("12:00:00"); }, [](std::int32_t) { return 0; }};
    EXPECT_THROW(MakeUniqueKey(Table, {}, Source), Exception);
}

TEST_F(AppPageRowsTest, CabListsNameTheSourceDirectorysCabFiles)
{
    FS.ForceDirectories("C:\\src\\sub.cab");
    for (const char* Name : {"C:\\src\\b.cab", "C:\\src\\readme.txt", "C:\\src\\a.CAB"})
        FS.Create(Name);
    FS.Create("C:\\src\\sub.cab\\deep.cab");
    TArrayOfString Names = CabFileNames(FS, "C:\\src");
    std::sort(Names.begin(), Names.end());
    EXPECT_EQ(Names, (TArrayOfString{"a.CAB", "b.cab"}));
    EXPECT_TRUE(CabFileNames(FS, "C:\\missing").empty());
    EXPECT_TRUE(CabFileNames(FS, "").empty());
}

TEST(DeviceFileValues, FieldsAreCutAndJoined)
{
    EXPECT_EQ(SplitPDFile("ARM|C:\\a.dll|Win Root"), (TArrayOfString{"ARM", "C:\\a.dll", "Win Root"}));
    EXPECT_EQ(SplitPDFile("SH3"), (TArrayOfString{"SH3", "", ""}));
    EXPECT_EQ(SplitCDFile("colors 4|x|surplus"), (TArrayOfString{"colors 4", "x"}));
    const struct {
        std::string Value;
        int Count, Index;
        std::string Text, Result;
    } Cases[] = {
        {"ARM|C:\\a.dll|App Root", 3, pfCpu, "MIPS", "MIPS|C:\\a.dll|App Root"},
        {"SH3", 3, pfDestination, "Win Root", "SH3||Win Root"},
        {"ARM||App Root|extra", 3, pfFile, "f", "ARM|f|App Root"},
        {"colors 2|", 2, cfColors, "colors 64k", "colors 64k|"},
        {"colors 2|old|x", 2, cfFile, "new", "colors 2|new"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(ReplaceDeviceField(C.Value, C.Count, C.Index, C.Text), C.Result) << C.Value;
    EXPECT_EQ(PDFileCpus(), (TArrayOfString{"ARM", "MIPS", "SH3"}));
    EXPECT_EQ(PDFileDestinations(), (TArrayOfString{"App Root", "Win Root", "System Root"}));
    EXPECT_EQ(CDFileColors(),
              (TArrayOfString{"colors 2", "colors 4", "colors 16", "colors 256", "colors 32k", "colors 64k"}));
}

TEST(DeviceFileValues, TheMiddleOfTheValueCellBelongsToTheDestination)
{
    EXPECT_EQ(DeviceValueMiddle(100, 301), 200);
    EXPECT_EQ(DeviceValueMiddle(100, 300), 200);
    EXPECT_EQ(DeviceValueMiddle(0, 1), 0);
}

TEST(DeviceFileValues, HelpLines)
{
    EXPECT_EQ(PDFileHelpLines("ARM|C:\\a.dll|App Root"),
              (TArrayOfString{"Processor Dependent File:", "Proc Type: ARM", "File: C:\\a.dll", "Destination: App Root"}));
    EXPECT_EQ(CDFileHelpLines("colors 16|"), (TArrayOfString{"Color Dependent File:", "Colors: colors 16", "File: "}));
}

} // namespace
