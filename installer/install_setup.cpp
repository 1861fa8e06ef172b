#include "install_setup.h"

#include "convert.h"
#include "memory_stream.h"
#include "string_helpers.h"

TWindowBorder ParseBorderStyle(const std::string& Text)
{
    const std::string L = LowerAscii(Text);
    if (L == "resizable")
        return wbSizeable;
    if (L == "single")
        return wbSingle;
    return wbNone;
}

TWindowSetup ReadWindowSetup(const THash& Settings, std::int32_t ScreenWidth, std::int32_t ScreenHeight,
                             bool HasBackground)
{
    TWindowSetup W;
    const auto Limit = [&Settings](const char* Key, TSizeLimit& L) {
        const std::string V = Settings.Lookup(Key);
        if (!V.empty())
            L = TSizeLimit{true, StrToIntDefault(V, 0)};
    };
    Limit("Wnd_Height_Max", W.MaxHeight);
    Limit("Wnd_Height_Min", W.MinHeight);
    Limit("Wnd_Width_Max", W.MaxWidth);
    Limit("Wnd_Width_Min", W.MinWidth);

    StrToRect(Settings.Lookup("Wnd_sRect"), ScreenWidth, ScreenHeight, true, W.Bounds);
    W.Maximized = W.Bounds.Right >= ScreenWidth || W.Bounds.Bottom >= ScreenHeight;
    W.Border = ParseBorderStyle(Settings.Lookup("Wnd_Type"));

    std::string Caption = Settings.Lookup("Wnd_Caption");
    const std::string Style = Settings.Lookup("Wnd_Style_Caption");
    if (Style.find('D') != std::string::npos)
        Caption += " [" + Settings.Lookup("Create Date") + "]";
    if (Style.find('T') != std::string::npos)
        Caption += " [" + Settings.Lookup("Create time") + "]";
    W.Caption = AppTitle + " - " + Caption;

    W.Color = static_cast<TColor>(StrToInt(Settings.Lookup("Wnd_ColorGB")));
    if (HasBackground) {
        W.BgLeft = StrToIntDefault(Settings.Lookup("Wnd_ImgBg_Left"), 0);
        W.BgTop = StrToIntDefault(Settings.Lookup("Wnd_ImgBg_Top"), 0);
    }
    W.RootCaption = Settings.Lookup("eList_GGroup");

    double C = 0, G = 0, A = 0;
    if (TryStrToFloat(Settings.Lookup("eList_ColorCor"), C) && TryStrToFloat(Settings.Lookup("eList_ColorCorGrp"), G) &&
        TryStrToFloat(Settings.Lookup("eList_ColorCorAct"), A)) {
        W.ColorC = C;
        W.GroupCC = G;
        W.ActionCC = A;
    } else {
        W.ColorC = 1.8;
        W.GroupCC = 1.3;
        W.ActionCC = 1.5;
    }
    W.FontColor = Settings.GetInt("Wnd_Color_Fnt");
    W.ListWidth = StrToIntDefault(Settings.Lookup("eList_Width"), 0);
    W.GHeight = StrToIntDefault(Settings.Lookup("eList_GHeight"), 0);
    W.AHeight = StrToIntDefault(Settings.Lookup("eList_AHeight"), 0);
    W.IconWidth = StrToIntDefault(Settings.Lookup("eList_Icon_GWidth"), 0);
    W.IconHeight = StrToIntDefault(Settings.Lookup("eList_Icon_GHeight"), 0);
    W.ScrollBar = Settings.Lookup("eList_SBOn") == "true";
    return W;
}

std::unique_ptr<CAppList> LoadApps(CDataBag& Bag, const THash& Settings, CFxListModel& List, IInstallerView& View,
                                   const std::function<void(std::int32_t)>& Progress)
{
    TMemoryStream Stream;
    Bag.GetStream(Stream, bag_Groups, true);
    auto Apps = std::make_unique<CAppList>(&Bag, Stream, List, View);
    const std::int32_t Declared = Settings.GetInt("APPs");
    // No more records than the bag has entries: a huge count reads nothing first.
    const std::int32_t N = Declared < Bag.Count() ? Declared : Bag.Count();
    for (std::int32_t I = 0; I < N; ++I) {
        if (Declared > 0 && Progress)
            Progress(static_cast<std::int32_t>(DivRoundHalfEven(std::int64_t{I} * 100, Declared)));
        Stream.Clear();
        Bag.GetStream(Stream, bag_AppRecordBase + I, true);
        Apps->AddApp(std::make_unique<CAPP>(*Apps, Stream));
    }
    return Apps;
}

void ReadPackage(TLoadedPackage& Package, TStream& ViewFile, CFxListModel& List, IInstallerView& View)
{
    Package.Bag.LoadFromStream(ViewFile);
    Package.Bag.GetHash(Package.Settings, bag_Settings);
    Package.Apps = LoadApps(Package.Bag, Package.Settings, List, View, nullptr);
    const bool HasBackground = Package.Bag.IndexOfKey(bag_Background) != -1;
    Package.Setup = ReadWindowSetup(Package.Settings, 1024, 768, HasBackground);
    Package.Apps->IconWidth = Package.Setup.IconWidth;
    Package.Apps->IconHeight = Package.Setup.IconHeight;
    if (HasBackground) {
        TMemoryStream Scratch;
        Package.Bag.GetStreamAt(Scratch, Package.Bag.IndexOfKey(bag_Background), true);
        ReadPackageBitmap(Scratch, false);
    }
    Package.Apps->BuildList();
}
