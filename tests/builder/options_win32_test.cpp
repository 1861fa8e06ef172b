// The options window on real windows under Wine, opened as the builder opens it and
// driven by posted messages through its own modal loop.
#include "builder_fakes.h"
#include "f_options.h"

#include "color_scheme.h"
#include "gui_support.h"
#include "key_input.h"
#include "test_registry_key.h"
#include "ui_common_dialogs.h"
#include "ui_text_report.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <vector>

namespace {

// The options window as the main window would offer it to the project object.
class TOptionsUI : public TFakeBuilderUI {
public:
    std::int32_t LastPlatform = 2;
    void ShowOptions(CCastamer& Project, const std::string& Arg) override
    {
        TFakeBuilderUI::ShowOptions(Project, Arg);
        ShowOptionsDialog(Project, Arg, LastPlatform);
    }
};

// One step per modal window, in the order they open; a window beyond them fails.
class TModalSteps {
public:
    explicit TModalSteps(std::vector<std::function<void(HWND)>> Steps)
        : FSteps(std::move(Steps)), FScript([this](HWND W) { Run(W); })
    {
    }
    ~TModalSteps() { EXPECT_EQ(FDone, FSteps.size()) << "windows that never opened"; }
    TModalSteps(const TModalSteps&) = delete;
    TModalSteps& operator=(const TModalSteps&) = delete;

private:
    void Run(HWND W)
    {
        if (FDone >= FSteps.size()) {
            ADD_FAILURE() << "an unexpected window: " << WindowText(W);
            PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
            return;
        }
        FSteps[FDone++](W);
    }
    std::vector<std::function<void(HWND)>> FSteps;
    std::size_t FDone = 0;
    TModalScript FScript;
};

// A top-level window of this thread captioned Caption: a search of the whole desktop
// could find another test's window.
struct TThreadWindowSearch {
    std::string Caption;
    HWND Found;
};

BOOL CALLBACK MatchThreadWindow(HWND W, LPARAM P)
{
    auto& S = *reinterpret_cast<TThreadWindowSearch*>(P);
    if (WindowText(W) != S.Caption)
        return TRUE;
    S.Found = W;
    return FALSE;
}

HWND ThreadWindow(const std::string& Caption)
{
    TThreadWindowSearch Search{Caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchThreadWindow, reinterpret_cast<LPARAM>(&Search));
    return Search.Found;
}

TFOptions& Options(HWND W)
{
    auto* F = dynamic_cast<TFOptions*>(FindControl(W));
    if (!F)
        throw std::runtime_error("not the options window: " + WindowText(W));
    return *F;
}

void PostClick(TWinControl* C)
{
    PostMessageA(C->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(3, 3));
    PostMessageA(C->Handle(), WM_LBUTTONUP, 0, PointParam(3, 3));
}

void PostTabClick(TPageControl* Pc, int Index)
{
    const RECT R = Pc->TabRect(Index);
    const LPARAM P = PointParam((R.left + R.right) / 2, (R.top + R.bottom) / 2);
    PostMessageA(Pc->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, P);
    PostMessageA(Pc->Handle(), WM_LBUTTONUP, 0, P);
}

bool Ticked(TCheckBox* B) { return SendMessageA(B->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Which page shows: the one sheet whose window is visible.
int ShownPage(TFOptions& F)
{
    int Shown = -1;
    for (int I = 0; I < F.pc->PageCount(); ++I)
        if (IsWindowVisible(F.pc->Pages(I)->Handle())) {
            EXPECT_EQ(Shown, -1) << "two pages shown";
            Shown = I;
        }
    EXPECT_EQ(Shown, F.pc->ActivePageIndex());
    EXPECT_EQ(SendMessageA(F.pc->Handle(), TCM_GETCURSEL, 0, 0), Shown);
    return Shown;
}

std::vector<TTextItem> Report(TWinControl& Form)
{
    TTextReport R(Form);
    R.DescribeAll();
    return R.Items();
}

const TTextItem* Item(const std::vector<TTextItem>& Items, const std::string& Kind, const std::string& Text)
{
    for (const TTextItem& I : Items)
        if (I.Kind == Kind && I.Text == Text)
            return &I;
    return nullptr;
}

class OptionsWindow : public TBuilderTest {
protected:
    void SetUp() override
    {
        TBuilderTest::SetUp();
        B = MakeBuilder();
        B->AttachUI(&OptionsUI);
    }
    void TearDown() override { ResetChoosers(); }
    TOptionsUI OptionsUI;
    std::unique_ptr<CCastamer> B;
};

} // namespace

TEST_F(OptionsWindow, OpensOnTheArgumentsPageAfterItsMessage)
{
    B->EnvOptions.Add("O_PAB", "0");
    B->EnvOptions.Add("O_NADID", "1");
    const struct {
        std::string Arg;
        std::string Message;
        int Page;
    } Cases[] = {
        {"0", "", 0},
        {"", "", 0},
        {"1", "", 1},
        {"2External cab meke files must be selected", "External cab meke files must be selected", 2},
        // Not a digit: no page is chosen, the message still comes.
        {"xLook here", "Look here", 0},
        {"7", "", 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Arg);
        std::vector<std::function<void(HWND)>> Steps;
        if (!C.Message.empty())
            Steps.push_back([&](HWND W) {
                EXPECT_EQ(WindowText(W), "Brindlo");
                TWinControl* Dlg = FindControl(W);
                ASSERT_NE(Dlg, nullptr);
                const auto Items = Report(*Dlg);
                EXPECT_NE(Item(Items, "TLabel", C.Message), nullptr);
                std::vector<std::string> Buttons;
                for (HWND Btn = FindWindowExA(W, nullptr, "BUTTON", nullptr); Btn;
                     Btn = FindWindowExA(W, Btn, "BUTTON", nullptr))
                    Buttons.push_back(WindowText(Btn));
                EXPECT_EQ(Buttons, std::vector<std::string>{"Ok"});
                // The options window shows only once the message is answered.
                const HWND Later = ThreadWindow("Options");
                EXPECT_TRUE(Later && !IsWindowVisible(Later));
                PostMessageA(FindWindowExA(W, nullptr, "BUTTON", "Ok"), BM_CLICK, 0, 0);
            });
        Steps.push_back([&](HWND W) {
            TFOptions& F = Options(W);
            EXPECT_EQ(WindowText(W), "Options");
            EXPECT_EQ(F.ClientWidth(), 466);
            EXPECT_EQ(F.ClientHeight(), 236);
            EXPECT_EQ(ShownPage(F), C.Page);
            EXPECT_FALSE(Ticked(F.cb1));
            EXPECT_TRUE(Ticked(F.cb5));
            EXPECT_TRUE(Ticked(F.cb2));
            PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        TModalSteps Script(std::move(Steps));
        if (C.Arg.empty() || C.Arg[0] < '0' || C.Arg[0] > '9')
            ShowOptionsDialog(*B, C.Arg, 2);
        else
            B->ShowOptions(C.Message, C.Arg[0] - '0');
    }
}

TEST_F(OptionsWindow, PocketPCBuildWithoutToolsWarnsThenOpensTheCabMakerPage)
{
    FS.ForceDirectories("C:\\CE");
    for (const char* Tool : {"cabwiz.exe", "cabwiz.ddf", "makecab.exe"})
        FS.Create(std::string("C:\\CE\\") + Tool)->WriteString("tool");
    std::vector<TFileDialogRequest> Asked;
    std::vector<std::string> Answers = {"C:\\CE\\makecab.exe", "C:\\CE\\cabwiz.ddf", "C:\\CE\\cabwiz.exe"};
    Choosers().FileDialog = [&](const TFileDialogRequest& R) {
        Asked.push_back(R);
        const std::string A = Answers.back();
        Answers.pop_back();
        return TFileDialogAnswer{true, A, 1};
    };
    TModalSteps Script({
        [](HWND W) {
            EXPECT_EQ(WindowText(W), "Brindlo");
            EXPECT_NE(Item(Report(*FindControl(W)), "TLabel", "External cab meke files must be selected"), nullptr);
            PostMessageA(FindWindowExA(W, nullptr, "BUTTON", "Ok"), BM_CLICK, 0, 0);
        },
        [&](HWND W) {
            TFOptions& F = Options(W);
            EXPECT_EQ(ShownPage(F), 2);
            const TScreenshot Shot = Photograph(W, "options_cab_maker.png");
            // The chosen tab and the others are painted in the window's colour.
            for (int I = 0; I < 3; ++I) {
                const RECT R = F.pc->TabRect(I);
                EXPECT_EQ(ShotPixel(Shot, W, R.left + 3, R.top + 3), PaletteColor2) << I;
            }
            // Nothing can be typed into the file boxes; the buttons browse.
            PostChars(F.eCabwizexe->Handle(), "typed");
            for (CFxButton* Btn : {F.butSelCab, F.butSelWiz, F.butSelMake})
                PostClick(Btn);
            PumpMessages();
            EXPECT_EQ(F.eCabwizexe->Text(), "C:\\CE\\cabwiz.exe");
            EXPECT_EQ(F.ecabwizddf->Text(), "C:\\CE\\cabwiz.ddf");
            EXPECT_EQ(F.eMakecab->Text(), "C:\\CE\\makecab.exe");
            PostClick(F.butOk);
        },
    });
    EXPECT_TRUE(B->CheckCabTools());
    EXPECT_EQ(OptionsUI.Calls, std::vector<std::string>{"options 2External cab meke files must be selected"});
    ASSERT_EQ(Asked.size(), 3u);
    for (const TFileDialogRequest& R : Asked) {
        EXPECT_EQ(R.Kind, fdOpen);
        EXPECT_EQ(R.Filter, "");
    }
    EXPECT_EQ(Entries(B->EnvOptions),
              (std::vector<std::string>{"O_NADID=-1", "O_PAB=1", "O_VEL=1", "Cabwiz.exe=C:\\CE\\cabwiz.exe",
                                        "cabwiz.ddf=C:\\CE\\cabwiz.ddf", "Makecab.exe=C:\\CE\\makecab.exe"}));
}

TEST_F(OptionsWindow, EscapeCancelAndTheCloseBoxDiscardEveryChange)
{
    B->SetCabwizPath("C:\\old\\cabwiz.exe");
    const std::vector<std::string> Before = Entries(B->EnvOptions);
    Choosers().FileDialog = [](const TFileDialogRequest&) { return TFileDialogAnswer{true, "C:\\new.exe", 1}; };
    enum TWay { Escape, Cancel, CloseBox };
    for (TWay Way : {Escape, Cancel, CloseBox}) {
        SCOPED_TRACE(Way);
        TModalSteps Script({[&](HWND W) {
            TFOptions& F = Options(W);
            for (TCheckBox* Box : {F.cb1, F.cb5, F.cb2})
                PostMessageA(Box->Handle(), BM_CLICK, 0, 0);
            PostTabClick(F.pc, 2);
            PumpMessages();
            EXPECT_EQ(ShownPage(F), 2);
            for (CFxButton* Btn : {F.butSelCab, F.butSelWiz, F.butSelMake})
                PostClick(Btn);
            PumpMessages();
            EXPECT_EQ(F.eMakecab->Text(), "C:\\new.exe");
            EXPECT_FALSE(Ticked(F.cb1));
            EXPECT_TRUE(Ticked(F.cb2));
            switch (Way) {
            case Escape:
                PostKey(F.eMakecab->Handle(), VK_ESCAPE);
                break;
            case Cancel:
                PostClick(F.butCancel);
                break;
            case CloseBox:
                PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
                break;
            }
        }});
        B->ShowOptions("", 0);
        EXPECT_EQ(Entries(B->EnvOptions), Before);
    }
}

TEST_F(OptionsWindow, OkKeepsAnActiveAutoSelectAndStoresTheRunsPlatformWhenNewlyTicked)
{
    B->EnvOptions.Add("O_NADID", "1");
    OptionsUI.LastPlatform = 0;
    TModalSteps Keep({[](HWND W) {
        TFOptions& F = Options(W);
        PostMessageA(F.cb5->Handle(), BM_CLICK, 0, 0);
        PumpMessages();
        EXPECT_FALSE(Ticked(F.cb5));
        PostClick(F.butOk);
    }});
    B->ShowOptions("", 0);
    EXPECT_EQ(Entries(B->EnvOptions), (std::vector<std::string>{"O_NADID=1", "O_PAB=1", "O_VEL=0"}));

    TModalSteps Untick({[](HWND W) {
        TFOptions& F = Options(W);
        EXPECT_TRUE(Ticked(F.cb2));
        PostMessageA(F.cb2->Handle(), BM_CLICK, 0, 0);
        PostClick(F.butOk);
    }});
    B->ShowOptions("", 0);
    EXPECT_EQ(B->GetNewAppPlatform(), -1);

    TModalSteps Tick({[](HWND W) {
        TFOptions& F = Options(W);
        EXPECT_FALSE(Ticked(F.cb2));
        EXPECT_FALSE(Ticked(F.cb5));
        PostMessageA(F.cb2->Handle(), BM_CLICK, 0, 0);
        PostClick(F.butOk);
    }});
    B->ShowOptions("", 0);
    EXPECT_EQ(Entries(B->EnvOptions), (std::vector<std::string>{"O_NADID=0", "O_PAB=1", "O_VEL=0"}));
}

TEST_F(OptionsWindow, GeneralPageAndItsTabsAsTheyShow)
{
    B->EnvOptions.Add("O_VEL", "0");
    TModalSteps Script({[](HWND W) {
        TFOptions& F = Options(W);
        const TScreenshot Shot = Photograph(W, "options_general.png");
        const RECT Tab = F.pc->TabRect(0);
        EXPECT_EQ(ShotPixel(Shot, W, Tab.left + 3, Tab.top + 3), PaletteColor2);
        // The window's own colour between the pages and the bottom panel.
        EXPECT_EQ(ShotPixel(Shot, W, 200, 202), PaletteColor2);
        EXPECT_EQ(ShotPixel(Shot, W, 200, F.Panel1->Top() + 15), PaletteColor3);
        EXPECT_EQ(ShotPixel(Shot, W, F.butOk->Left() + 20, F.Panel1->Top() + F.butOk->Top() + 4), PaletteColor4);
        // The pages keep the system's face colour.
        const RECT D = F.pc->DisplayRect();
        EXPECT_EQ(ShotPixel(Shot, W, D.left + 2, D.bottom - 2), ColorToRGB(clBtnFace));
        const auto Items = Report(F);
        for (const char* Caption : {"General :", "External Archivers", "Cab Maker :"}) {
            const TTextItem* T = Item(Items, "Tab", Caption);
            ASSERT_NE(T, nullptr) << Caption;
            EXPECT_TRUE(T->Visible);
        }
        const TTextItem* Box = Item(Items, "TCheckBox", "View error logs after build");
        ASSERT_NE(Box, nullptr);
        EXPECT_TRUE(Box->Visible);
        EXPECT_FALSE(Item(Items, "TLabel", "Cabwiz.exe")->Visible);
        EXPECT_TRUE(Ticked(F.cb1));
        EXPECT_FALSE(Ticked(F.cb5));
        EXPECT_FALSE(Ticked(F.cb2));
        PostKey(F.cb1->Handle(), VK_ESCAPE);
    }});
    B->ShowOptions("", 0);
}

// The one test of this program that touches App Paths\powerarc.exe; its lock keeps
// the foundation's test of that key apart.
TEST_F(OptionsWindow, ArchiversPageIsReservedAndListsTheArchiversFound)
{
    TTestRegKey Key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\powerarc.exe");
    TModalSteps None({[](HWND W) {
        EXPECT_TRUE(Options(W).eaList->Items().empty());
        PostMessageA(W, WM_SYSCOMMAND, SC_CLOSE, 0);
    }});
    ShowOptionsDialog(*B, "1", 2);

    ASSERT_TRUE(Key.SetString("", "C:\\Tools\\powerarc.exe"));
    TModalSteps Found({[](HWND W) {
        TFOptions& F = Options(W);
        EXPECT_EQ(F.eaList->Items(), std::vector<std::string>{"PowerArchiver"});
        EXPECT_EQ(ShownPage(F), 1);
        EXPECT_FALSE(IsWindowEnabled(F.TabSheet2->Handle()));
        const TScreenshot Shot = Photograph(W, "options_archivers.png");
        // The panel covers the whole page, the list and boxes under it.
        const RECT D = F.pc->DisplayRect();
        EXPECT_EQ(ShotPixel(Shot, W, D.left + 4, D.top + 4), PaletteColor3);
        EXPECT_EQ(ShotPixel(Shot, W, F.eaList->Left() + D.left + 30, F.eaList->Top() + D.top + 10), PaletteColor3);
        const TTextItem* P = Item(Report(F), "TPanel", "Reserved for future versions");
        ASSERT_NE(P, nullptr);
        EXPECT_TRUE(P->Visible);
        EXPECT_FALSE(P->Enabled && IsWindowEnabled(F.TabSheet2->Handle()));
        // The tab can be chosen, but a click on the page reaches nothing.
        PostTabClick(F.pc, 0);
        PumpMessages();
        EXPECT_EQ(ShownPage(F), 0);
        PostTabClick(F.pc, 1);
        PumpMessages();
        EXPECT_EQ(ShownPage(F), 1);
        PostClick(F.butCancel);
    }});
    ShowOptionsDialog(*B, "1", 2);
}
