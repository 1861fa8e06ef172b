#include "app_page_rows.h"

#include "color_scheme.h"
#include "convert.h"
#include "installation.h"
#include "exceptions.h"
#include "path_and_dir_helpers.h"
#include "shortcut_logic.h"

#include <algorithm>

const char* const OsDependentKey = "G_ODEP";
const char* const AppInDirPathKey = "hk_AppInF";

namespace {

const TColor Black = 0;
const TColor White = 0xFFFFFF;

TAppRow Group(const std::string& Caption, const std::string& Key = std::string())
{
    TAppRow R;
    R.Kind = arGroup;
    R.Caption = Caption;
    R.Key = Key;
    R.BackColor = PaletteColor4;
    R.TextColor = Black;
    // The page's own folder images.
    R.Image = 0;
    R.OpenImage = 1;
    return R;
}

TAppRow Row(TAppRowKind Kind, const std::string& Caption, const std::string& Key, std::int32_t Image,
            const THash& Table, TAppRowTable Where = atProps)
{
    TAppRow R;
    R.Kind = Kind;
    R.Caption = Caption;
    R.Key = Key;
    R.Table = Where;
    R.Image = Image;
    R.BackColor = PaletteColor3;
    R.TextColor = Black;
    R.Value = Table.Lookup(Key);
    return R;
}

TAppRow Edit(const std::string& Caption, const std::string& Key, std::int32_t Image, TEditStyle Style,
             const THash& Table, TAppRowTable Where = atProps)
{
    TAppRow R = Row(arEdit, Caption, Key, Image, Table, Where);
    R.Style = Style;
    return R;
}

TAppRow Memo(const std::string& Caption, const std::string& Key, const THash& Table,
             TAppRowTable Where = atProps)
{
    TAppRow R = Edit(Caption, Key, 8, ES_Memo, Table, Where);
    R.ExData = Caption;
    R.Scheme = true;
    return R;
}

TAppRow PictureFile(const std::string& Caption, const std::string& Key, const THash& Props)
{
    TAppRow R = Edit(Caption, Key, 11, ES_File, Props);
    R.Picture = true;
    R.ExData = "Bitmap file|*.bmp";
    return R;
}

TAppRow Creator(const std::string& Caption, const std::string& Value, TAppRowKind NewKind, TAppRowEvent Event)
{
    TAppRow R = Group(Caption);
    R.Kind = arCreator;
    R.Value = Value;
    R.NewKind = NewKind;
    R.NewBackColor = PaletteColor3;
    R.Event = Event;
    return R;
}

// One row per entry of Table, in table order, under a creator.
void ListRows(TAppRow& Creator, const THash& Table, TAppRowTable Where, std::int32_t Image,
              std::int32_t DeviceMode, bool Scheme)
{
    for (const THashPair& Entry : Table.Pairs()) {
        TAppRow R;
        R.Kind = Creator.NewKind;
        R.BackColor = Creator.NewBackColor;
        R.TextColor = Black;
        R.Image = Image;
        R.Value = Entry.Value;
        R.Key = Entry.Key;
        R.Table = Where;
        R.HKey_DirFile = AppInDirPathKey;
        R.DeviceMode = DeviceMode;
        R.Scheme = Scheme;
        Creator.Children.push_back(std::move(R));
    }
}

TAppRow DefaultInstDir(const THash& Props, const TArrayOfString& Items, int Style)
{
    TAppRow R = Row(arCBox, "Default InstDir", "DefInstDir", 16, Props);
    R.Items = Items;
    R.ComboStyle = Style;
    return R;
}

TAppRow CheckBox(const std::string& Caption, const std::string& Key, const THash& Table, TAppRowTable Where)
{
    return Row(arCheckBox, Caption, Key, 18, Table, Where);
}

} // namespace

std::vector<TAppRow> PCSectionRows(const CCst_App& App)
{
    TAppRow Shortcuts = Creator("Shortcuts", "Click to add new", arSCut, aeAddShortcutPC);
    ListRows(Shortcuts, App.Shortcuts, atShortcuts, -1, -1, true);
    return {Shortcuts, DefaultInstDir(App.Props,
                                      {"$(Program Files)", "$(Program Files)/$(Company)/$(Name)", "$(Win Root)",
                                       "$(System Drive)"},
                                      0)};
}

std::vector<TAppRow> PocketPCSectionRows(const CCst_App& App)
{
    TAppRow CreateCabs = CheckBox("Create Cabs", "PPC_IsCC", App.PocketPC, atPocketPC);
    CreateCabs.Event = aeBuildCabRows;
    std::vector<TAppRow> Rows{CreateCabs, Memo("ActiveSync Description", "PPC_ASDesc", App.PocketPC, atPocketPC),
                              DefaultInstDir(App.Props, {"$(Program Files)/$(Company)/$(Name)"}, 2)};
    for (TAppRow& R : PocketPCCabRows(App))
        Rows.push_back(std::move(R));
    return Rows;
}

std::vector<TAppRow> PalmSectionRows(const CCst_App& App)
{
    TAppRow Files = Creator("Color Dependent Files", "Click to add new", arCDFile, aeAddColorFile);
    ListRows(Files, App.CDFiles, atCDFiles, 16, -1, false);
    return {Files};
}

TCharSet AnyPrintableChars()
{
    TCharSet S = EditAllowedSet(EditAChar(EAC_Controls));
    for (int C = 32; C < 256; ++C)
        if (C != 127)
            S.set(static_cast<std::size_t>(C));
    return S;
}

std::int32_t PageDID(const CCst_App& App)
{
    std::int32_t DID = -1;
    return TryStrToInt(App.Props.Lookup("DID"), DID) ? DID : -1;
}

std::vector<TAppRow> PocketPCCabRows(const CCst_App& App)
{
    std::vector<TAppRow> Rows;
    if (App.PocketPC.Lookup("PPC_IsCC") == "true") {
        Rows.push_back(CheckBox("Build ARM", "O_PPCBARM", App.PocketPC, atPocketPC));
        Rows.push_back(CheckBox("Build MIPS", "O_PPCBMIPS", App.PocketPC, atPocketPC));
        Rows.push_back(CheckBox("Build SH3", "O_PPCBSH", App.PocketPC, atPocketPC));
        TAppRow Files = Creator("Proc.Dep.Files", "Click to add new one", arPDFile, aeAddProcFile);
        ListRows(Files, App.PDFiles, atPDFiles, -1, -1, false);
        Rows.push_back(std::move(Files));
        TAppRow Shortcuts = Creator("Shortcuts", "Click to add new", arSCut, aeAddShortcutPPC);
        ListRows(Shortcuts, App.Shortcuts, atShortcuts, -1, 1, true);
        Rows.push_back(std::move(Shortcuts));
        return Rows;
    }
    const char* const Cabs[][2] = {
        {"Cab File[ARM]", "PPC_ICabFARM"}, {"Cab File[MIPS]", "PPC_ICabFMIPS"}, {"Cab File[SH3]", "PPC_ICabFSH"}};
    for (const auto& C : Cabs) {
        TAppRow R = Row(arCBox, C[0], C[1], 16, App.PocketPC, atPocketPC);
        R.Event = aeFillCabList;
        Rows.push_back(std::move(R));
    }
    return Rows;
}

std::vector<TAppRow> OsDependentRows(const CCst_App& App)
{
    switch (PageDID(App)) {
    case 2:
        return PCSectionRows(App);
    case 1:
        return PocketPCSectionRows(App);
    case 0:
        return PalmSectionRows(App);
    default:
        return {};
    }
}

std::vector<TAppRow> InstallationPageRows(const CCst_App& App)
{
    const THash& P = App.Props;
    TAppRow Platform;
    Platform.Kind = arConst;
    Platform.Caption = "Destination Platform: ";
    Platform.Value = PlatformName(PageDID(App));
    Platform.BackColor = Black;
    Platform.TextColor = White;

    TAppRow Basic = Group("Basic:");
    Basic.Children = {Edit("Installation Name", "App name", 8, ES_AllChars, P),
                      Edit("Company Name", "CompName", 8, ES_AllChars, P), Memo("Description", "Describe", P),
                      Memo("License Agreement", "Licenze", P)};
    TAppRow Source = Edit("Source Directory", "InDir", 16, ES_Dir, P);
    Source.HKey_DirFile = AppInDirPathKey;
    Source.Scheme = true;
    Basic.Children.push_back(Source);

    TAppRow Advanced = Group("Advanced:");
    Advanced.RootColors = true;
    Advanced.AllowClose = false;

    TAppRow Os = Group("OS Dependent:", OsDependentKey);
    Os.Children = OsDependentRows(App);

    TAppRow View = Group("View:");
    View.Children = {Edit("Description X", "Desc Left", 6, ES_Integer, P),
                     Edit("Description Y", "Desc Top", 7, ES_Integer, P),
                     PictureFile("Screenshot", "ScreenShot", P),
                     Edit("Screenshot X", "SShot Left", 6, ES_Integer, P),
                     Edit("Screenshot Y", "SShot Top", 7, ES_Integer, P),
                     PictureFile("Icon", "App icon", P),
                     Row(arColor, "Font Color", "Font color", 9, P)};

    TAppRow Info = Group("Info:");
    TAppRow Date = Edit("Creation Date", "BDate", 2, ES_String, P);
    Date.AnyPrintable = true;
    TAppRow Link = Edit("Web Link", "Web Link", 2, ES_AllChars, P);
    Link.AnyPrintable = true;
    Link.HelpText = "Link Name;URL (E.g. Brindlo;http://www.example.com)";
    Info.Children = {Row(arCheckBox, "Show Info", "ShowInfo", 18, P), Date,
                     Edit("Version", "BVersion", 2, ES_AllChars, P), Link};

    Advanced.Children = {Os, View, Info};
    return {Platform, Basic, Advanced};
}

TAppRowTable NewListRowTable(TAppRowEvent Event)
{
    switch (Event) {
    case aeAddProcFile:
        return atPDFiles;
    case aeAddColorFile:
        return atCDFiles;
    default:
        return atShortcuts;
    }
}

std::string NewListRowValue(TAppRowEvent Event, const std::string& AppName)
{
    switch (Event) {
    case aeAddShortcutPC:
        return NewPCShortcut(AppName);
    case aeAddShortcutPPC:
        return NewPocketPCShortcut(AppName);
    case aeAddProcFile:
        return "ARM||App Root";
    case aeAddColorFile:
        return "colors 2|";
    default:
        return std::string();
    }
}

std::string MakeUniqueKey(const THash& Table, const std::vector<std::string>& Pending,
                          const TUniqueIDSource& Source)
{
    // Keys drawn within one second differ only by their random part; a clash is rare
    // and any run of draws ends long before this.
    constexpr int MaxDraws = 100000;
    for (int Draw = 0; Draw < MaxDraws; ++Draw) {
        std::string Key = MakeUniqueID(Source);
        if (Table.IndexOfKey(Key) < 0 && std::find(Pending.begin(), Pending.end(), Key) == Pending.end())
            return Key;
    }
    throw Exception("No unused key could be drawn");
}

TArrayOfString CabFileNames(TFileSystem& FS, const std::string& Dir)
{
    TArrayOfString Names;
    if (Dir.empty() || !FS.DirectoryExists(Dir))
        return Names;
    ListFilesToStrings(Dir, "*.cab", Names, false, FS);
    return Names;
}
