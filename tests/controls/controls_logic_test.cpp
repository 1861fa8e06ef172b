// The rules of the controls that need no window.
#include "color_helpers.h"
#include "color_scheme.h"
#include "dir_list_model.h"
#include "fx_button_logic.h"
#include "msg_dlg_layout.h"
#include "remembered_paths.h"

#include "memory_file_system.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Directories and files by full "\" path; only what the choosers ask.

} // namespace

TEST(ColorScheme, PaletteAndSchemeEntries)
{
    EXPECT_EQ(PaletteColor1, 14807295u);
    EXPECT_EQ(PaletteColor2, 13494015u);
    EXPECT_EQ(PaletteColor3, 10210559u);
    EXPECT_EQ(PaletteColor4, 8240639u);
    EXPECT_EQ(PaletteColor5, 6927359u);
    EXPECT_EQ(PaletteTextColor, 8601856u);
    EXPECT_EQ(InvalidFieldColor, MakeColor(255, 240, 240));
    // The five tints, the text colour five times, then five zeros.
    const ColorScheme Expected = {14807295u, 13494015u, 10210559u, 8240639u, 6927359u, 8601856u, 8601856u, 8601856u,
                                  8601856u,  8601856u,  0u,        0u,       0u,       0u,       0u};
    EXPECT_EQ(DefaultColorScheme(), Expected);
}

TEST(MsgDlgLayout, KeepWrapAndButtonRowBranches)
{
    const struct {
        int FormWidth, LabelWidth;
        bool Image;
        int ImageWidth, RowWidth;
        int TextLeft;
        bool Wrap;
        int WrapWidth, WindowWidth;
    } Cases[] = {
        // Narrow text, no icon: text width + 2 x 15 + 15.
        {640, 100, false, 0, 54, 15, false, 0, 145},
        // A 32-pixel icon: TextLeft 62, window text width + 139.
        {640, 100, true, 32, 54, 62, false, 0, 239},
        // Up to 2 x TextLeft wider than the wrapping width still keeps its lines.
        {640, 686, true, 32, 54, 62, false, 0, 825},
        // One pixel more wraps at FormWidth - 15 - TextLeft and keeps the half screen.
        {640, 687, true, 32, 54, 62, true, 563, 640},
        // A wide button row widens a narrow message to 30 + the row.
        {640, 20, false, 0, 324, 15, false, 0, 354},
        // Equal is not greater: the row still decides.
        {640, 250, false, 0, 266, 15, false, 0, 296},
        // No buttons make no row.
        {640, 20, false, 0, 0, 15, false, 0, 65},
    };
    for (const auto& C : Cases) {
        const TMsgDlgHorizontal H = MsgDlgHorizontal(C.FormWidth, 15, C.LabelWidth, C.Image, C.ImageWidth, C.RowWidth);
        EXPECT_EQ(H.TextLeft, C.TextLeft) << C.LabelWidth;
        EXPECT_EQ(H.Wrap, C.Wrap) << C.LabelWidth;
        if (C.Wrap) {
            EXPECT_EQ(H.WrapWidth, C.WrapWidth) << C.LabelWidth;
        }
        EXPECT_EQ(H.WindowWidth, C.WindowWidth) << C.LabelWidth;
    }
}

TEST(MsgDlgLayout, HeightButtonTopAndCentring)
{
    const TMsgDlgVertical TallIcon = MsgDlgVertical(15, 13, true, 32, 25);
    EXPECT_EQ(TallIcon.ContentHeight, 32);
    EXPECT_EQ(TallIcon.ButtonTop, 62);
    EXPECT_EQ(TallIcon.WindowHeight, 25 + 32 + 75);
    const TMsgDlgVertical TallText = MsgDlgVertical(15, 80, true, 32, 25);
    EXPECT_EQ(TallText.ContentHeight, 80);
    // A hidden icon never counts.
    EXPECT_EQ(MsgDlgVertical(15, 13, false, 32, 25).ContentHeight, 13);
    EXPECT_EQ(CentredOrigin(1280, 145), 567);
    EXPECT_EQ(CentredOrigin(100, 301), -100); // truncated toward zero
}

TEST(FxButtonLogic, FacesForEveryState)
{
    const TColor C = 15124680; // 200, 200, 230
    const struct {
        double ColCor;
        bool Enabled, Down, Hot;
        TColor Face;
    } Cases[] = {
        {-0.3, true, false, false, C},
        {-0.3, true, false, true, ScaleColor(C, 1.3)},
        {-0.3, true, true, true, ScaleColor(C, 0.7)},
        {0.15, true, false, true, ScaleColor(C, 0.85)},
        {0.15, true, true, false, ScaleColor(C, 1.15)},
        {0, true, true, true, C},
        {-0.3, false, true, true, ScaleColor(C, 0.8)},
    };
    for (const auto& K : Cases)
        EXPECT_EQ(FxButtonFace(C, K.ColCor, K.Enabled, K.Down, K.Hot), K.Face) << K.ColCor << K.Down << K.Hot;
    EXPECT_EQ(ScaleColor(C, 1.3), MakeColor(216, 216, 238));
    EXPECT_EQ(FxButtonDisabledText(ScaleColor(C, 0.8)), ScaleColor(ScaleColor(C, 0.8), 1.05));
}

TEST(FxButtonLogic, BevelsSwapWhenPressed)
{
    const TColor F = MakeColor(100, 100, 100);
    const TFxBevel Up = FxButtonBevel(F, false);
    const TFxBevel Pressed = FxButtonBevel(F, true);
    EXPECT_EQ(Up.OuterLeftTop, ScaleColor(F, 1.5));
    EXPECT_EQ(Up.OuterRightBottom, ScaleColor(F, 0.5));
    EXPECT_EQ(Up.InnerLeftTop, ScaleColor(F, 1.3));
    EXPECT_EQ(Up.InnerRightBottom, ScaleColor(F, 0.7));
    EXPECT_EQ(Up.TextOffset, 0);
    EXPECT_EQ(Pressed.OuterLeftTop, Up.OuterRightBottom);
    EXPECT_EQ(Pressed.OuterRightBottom, Up.OuterLeftTop);
    EXPECT_EQ(Pressed.InnerLeftTop, Up.InnerRightBottom);
    EXPECT_EQ(Pressed.InnerRightBottom, Up.InnerLeftTop);
    EXPECT_EQ(Pressed.TextOffset, 1);
}

TEST(FxButtonLogic, DragClampMaximumFirstMinimumWins)
{
    EXPECT_EQ(ClampDragCoord(50, 10, 5), 10);
    EXPECT_EQ(ClampDragCoord(0, 10, 5), 10);
    EXPECT_EQ(ClampDragCoord(50, -1, 40), 40);
    EXPECT_EQ(ClampDragCoord(-50, -1, -1), -50);
    EXPECT_EQ(ClampDragCoord(7, 0, 40), 7);
}

TEST(RememberedPaths, KeysStoreAndAnEmptyKeyNeverDoes)
{
    RememberedPaths().Clear();
    EXPECT_TRUE(RememberedPaths().Unique());
    EXPECT_EQ(RememberedPath("hk_SaveLoad"), "");
    RememberPath("hk_SaveLoad", "C:\\a.bxp");
    RememberPath("hk_SaveLoad", "C:\\b.bxp");
    RememberPath("", "C:\\c");
    EXPECT_EQ(RememberedPath("hk_SaveLoad"), "C:\\b.bxp");
    EXPECT_EQ(RememberedPath(""), "");
    EXPECT_EQ(RememberedPaths().Count(), 1);
    RememberedPaths().Clear();
}

TEST(RememberedPaths, AFileNameStartsInItsDirectory)
{
    TMemoryFileSystem Fs;
    Fs.ForceDirectories("C:\\src\\sub");
    Fs.AddFile("C:\\src\\a.txt", "");
    Fs.AddFile("C:\\top.txt", "");
    EXPECT_EQ(StartDirectoryOf("C:\\src\\a.txt", Fs), "C:\\src");
    EXPECT_EQ(StartDirectoryOf("C:\\top.txt", Fs), "C:\\");
    EXPECT_EQ(StartDirectoryOf("C:\\src\\sub", Fs), "C:\\src\\sub");
    EXPECT_EQ(StartDirectoryOf("C:\\gone\\x.txt", Fs), "C:\\gone\\x.txt");
    EXPECT_EQ(StartDirectoryOf("", Fs), "");
}

TEST(RememberedPaths, FilterExtensionOnlyForNamesWithoutOne)
{
    const std::string Filter = "Brindlo Prj|*.bxp|Text|*.txt";
    const struct {
        const char* Name;
        int Index;
        const char* Out;
    } Cases[] = {
        {"proj", 1, "proj.bxp"},
        {"proj", 2, "proj.txt"},
        {"C:\\dir.v2\\proj", 1, "C:\\dir.v2\\proj.bxp"},
        {"C:\\x\\proj.old", 1, "C:\\x\\proj.old"},
        {"", 1, ""},
        {"proj", 3, "proj"},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(AppendFilterExt(C.Name, Filter, C.Index), C.Out) << C.Name << " " << C.Index;
}

TEST(RememberedPaths, PathErrorMessages)
{
    EXPECT_EQ(PathErrorsMessage(TPathErrors::NotFound, {"C:\\a.bxp", "D:\\b"}),
              "File(s) not found\n\r1: [C:\\a.bxp]\n\r2: [D:\\b]");
    EXPECT_EQ(PathErrorsMessage(TPathErrors::NotWritable, {"E:\\"}), "Can not write to dir(s)\n\r1: [E:\\]");
    EXPECT_EQ(PathErrorsMessage(static_cast<TPathErrors>(5), {"x"}), "\n\r1: [x]");
}

TEST(DirListModel, PathDownToTheDirectoryThenItsSubdirectories)
{
    TMemoryFileSystem Fs;
    Fs.ForceDirectories("C:\\a\\b\\Zed");
    Fs.ForceDirectories("C:\\a\\b\\alpha\\deep");
    const std::vector<TDirListItem> Items = DirListItems("C:\\a\\b", Fs);
    ASSERT_EQ(Items.size(), 5u);
    const char* Captions[] = {"C:\\", "a", "b", "alpha", "Zed"};
    const char* Paths[] = {"C:\\", "C:\\a", "C:\\a\\b", "C:\\a\\b\\alpha", "C:\\a\\b\\Zed"};
    const int Levels[] = {0, 1, 2, 3, 3};
    for (std::size_t I = 0; I < Items.size(); ++I) {
        EXPECT_EQ(Items[I].Caption, Captions[I]);
        EXPECT_EQ(Items[I].Path, Paths[I]);
        EXPECT_EQ(Items[I].Level, Levels[I]);
        EXPECT_EQ(Items[I].Current, I == 2);
    }
    const std::vector<TDirListItem> Root = DirListItems("C:\\", Fs);
    ASSERT_EQ(Root.size(), 2u);
    EXPECT_TRUE(Root[0].Current);
    EXPECT_EQ(Root[1].Path, "C:\\a");
}

TEST(DirListModel, ADirectoryThatCannotBeListedShowsItsPathOnly)
{
    TMemoryFileSystem Fs;
    Fs.ForceDirectories("C:\\a\\sealed\\inside");
    Fs.SetUnreadable("C:\\a\\sealed");
    const std::vector<TDirListItem> Items = DirListItems("C:\\a\\sealed", Fs);
    ASSERT_EQ(Items.size(), 3u);
    EXPECT_EQ(Items.back().Path, "C:\\a\\sealed");
    EXPECT_TRUE(Items.back().Current);
}
