#include "installation.h"

#include "project.h"
#include "convert.h"
#include "exceptions.h"
#include "string_helpers.h"

CCst_App::CCst_App(CCastamer& AOwner) : Owner(AOwner) {}

CCst_App::~CCst_App()
{
    // The mark of an installation on its way out, for handlers still looking at it.
    Props.Add("DID", "-50");
}

std::string CCst_App::FreshOutFN() const
{
    const TBuilderServices& S = Owner.Services();
    const TUniqueIDSource Source{S.TimeText, S.Random};
    // Archive names share one "Data" directory; Windows compares them without case.
    constexpr int MaxDraws = 10000;
    for (int Draw = 0; Draw < MaxDraws; ++Draw) {
        const std::string Name = MakeUniqueID(Source) + ".ime";
        bool Used = false;
        for (const auto& App : Owner.Apps())
            if (App.get() != this && SameText(App->GetOutFN(), Name))
                Used = true;
        if (!Used)
            return Name;
    }
    throw Exception("No unused archive name could be drawn");
}

void CCst_App::SetDefaults()
{
    Props.Clear();
    const std::string Keys[][2] = {
        {"App name", "New Installation"},
        {"CompName", ""},
        {"BDate", Owner.Services().DateText()},
        {"BVersion", "1.0"},
        {"Describe", ""},
        {"Desc Top", ""},
        {"Desc Left", ""},
        {"GroupID", ""},
        {"Web Link", ""},
        {"ScreenShot", ""},
        {"SShot Left", "10"},
        {"SShot Top", "10"},
        {"App icon", ""},
        {"DID", "-1"},
        {"InDir", ""},
        {"OutFN", FreshOutFN()},
        {"Font color", "16777215"},
        {"DefInstDir", "$(Program Files)/$(Company)/$(Name)"},
        {"AddUinstSC", "true"},
        {"ShowInfo", "false"},
        {"Licenze", ""},
    };
    for (const auto& K : Keys)
        Props.Add(K[0], K[1]);
    Props.Fixed = true;

    Extra.Clear();
    PocketPC.Clear();
    PocketPC.Add("PPC_IsCC", "false");
    PocketPC.Add("O_PPCBARM", "true");
    PocketPC.Add("O_PPCBMIPS", "true");
    PocketPC.Add("O_PPCBSH", "true");
    CDFiles.Clear();
}

std::int64_t CCst_App::SaveToStream(TStream& Stream) const
{
    const std::int64_t P0 = Stream.Position();
    for (const THash* T : {&Props, &Extra, &Shortcuts, &PocketPC, &PDFiles, &CDFiles})
        T->SaveToStream(Stream);
    return Stream.Position() - P0;
}

void CCst_App::LoadFromStream(TStream& Stream)
{
    for (THash* T : {&Props, &Extra, &Shortcuts, &PocketPC, &PDFiles, &CDFiles})
        T->LoadFromStream(Stream);
}

std::int32_t CCst_App::GetDID() const { return StrToInt(Props.Lookup("DID")); }

void CCst_App::SetDID(std::int32_t V) { Props.Add("DID", IntToStr(V)); }

bool CCst_App::IsPC() const
{
    std::int32_t V = -1;
    return TryStrToInt(Props.Lookup("DID"), V) && V == 2;
}

std::string PlatformName(std::int32_t Code)
{
    switch (Code) {
    case 0:
        return "Handheld (Palm OS)";
    case 1:
        return "Pocket PC 2000/2002 (Window CE)";
    case 2:
        return "PC (Windows 95/98/Me/NT/2000/XP)";
    default:
        return "unknown";
    }
}
