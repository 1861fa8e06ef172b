// Install.exe with Pocket PC and Palm OS installations as the user meets it: its own
// process, driven from outside, with the stand-in manager and Palm tool registered.
#include "device_stand_ins.h"

#include "driver.h"

namespace {

std::vector<std::string> RowTexts(const std::vector<TTextItem>& Items)
{
    std::vector<std::string> V;
    for (const TTextItem& I : Items)
        if (I.Kind == "CFxListItem" && I.Visible)
            V.push_back(I.Text);
    return V;
}

class DeviceProcess : public ::testing::Test {
protected:
    std::string Dir, Package;

    void SetUp() override
    {
        Dir = ScratchDir();
        Package = BuildPackage(Dir, [](CCastamer& B, const std::string& D) {
            B.Groups.Add("g1", "Handhelds||true");
            B.Groups.Add("g2", "Desktop||true");
            AddPocketPCApp(B, D, "Cards Deluxe!", "Brindlo Soft.")->SetGroupID("g1");
            AddPalmApp(B, D, "Palm Cards", "Brindlo Soft.")->SetGroupID("g1");
            AddPcApp(B, D, "Editor", "g2");
        });
    }
    TDrivenProcess Start() { return TDrivenProcess::Start({Package + "\\Install.exe", {}, Package, {}, ""}); }
};

} // namespace

TEST_F(DeviceProcess, TheMenuOffersPocketPCAndPalmOSInstallations)
{
    TDrivenProcess P = Start();
    const HWND Main = WaitTopWindow(P.Id(), {"", "Brindlo - Installer"});
    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxListItem", "g1", "Handhelds"}));
    ClickItem(Main, WaitItem(Main, {"CFxListItem", "", "Palm Cards"}));
    WaitItem(Main, {"CFxListItem", "", "Install [colors 16]"});
    EXPECT_EQ(RowTexts(ReadTexts(Main)),
              (std::vector<std::string>{"Installations", "Handhelds", "Palm Cards", "Install [colors 256]",
                                        "Install [colors 16]", "-", "Home", "Exit"}));
    WaitPainted(Main);
    PhotographWindow(Main, ScreenshotPath("device_menu_palm.png"));

    ClickItem(Main, ItemOf(ReadTexts(Main), {"CFxListItem", "", "Home"}));
    ClickItem(Main, WaitItem(Main, {"CFxListItem", "", "Cards Deluxe!"}));
    WaitItem(Main, {"CFxListItem", "", "Install"});
    EXPECT_EQ(RowTexts(ReadTexts(Main)), (std::vector<std::string>{"Installations", "Handhelds", "Cards Deluxe!",
                                                                    "Install", "-", "Home", "Exit"}));
    WaitPainted(Main);
    PhotographWindow(Main, ScreenshotPath("device_menu_pocketpc.png"));
    PostClose(Main);
    EXPECT_EQ(P.WaitExit(), 0u);
}
