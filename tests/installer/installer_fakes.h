#pragma once

#include "app_list.h"
#include "package_reader.h"
#include "memory_stream.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

using TPairs = std::vector<std::pair<std::string, std::string>>;

// The main window as the model sees it, recording what it was asked.
class TFakeInstallerView : public IInstallerView {
public:
    std::vector<std::string> Calls;
    std::int32_t NextIcon = 0;
    std::int32_t Width = 164;
    bool ScrollBar = false;
    std::int32_t Outer = 430;
    // What the window would paint.
    std::string DescText;
    std::shared_ptr<TObject> Shot;
    std::int32_t ShotLeft = 0, ShotTop = 0;

    std::int32_t AddListIcon(const TPackageBitmap& B) override
    {
        Calls.push_back("icon " + std::to_string(B.Width) + "x" + std::to_string(B.Height));
        return NextIcon++;
    }
    std::shared_ptr<TObject> MakePicture(const TPackageBitmap&) override { return std::make_shared<TObject>(); }
    std::int32_t ListWidth() override { return Width; }
    bool ListShowsScrollBar() override { return ScrollBar; }
    std::int32_t OuterHeight() override { return Outer; }
    void ClearDescription() override { Calls.push_back("clear"); }
    void PlaceDescription(const std::string& Text, std::int32_t FontColor, std::int32_t Left, std::int32_t Top,
                          std::int32_t Height) override
    {
        Calls.push_back("desc " + Text + " " + std::to_string(FontColor) + " at " + std::to_string(Left) + "," +
                        std::to_string(Top) + " h " + std::to_string(Height));
    }
    void SetSelection(const std::string& Text, std::shared_ptr<TObject> Picture, std::int32_t Left,
                      std::int32_t Top) override
    {
        DescText = Text;
        Shot = std::move(Picture);
        ShotLeft = Left;
        ShotTop = Top;
    }
    void RepaintWindow() override { Calls.push_back("repaint"); }
    void HideLicence() override { Calls.push_back("hide licence"); }
    void CloseWindow() override { Calls.push_back("close"); }
    void OpenWebAddress(const std::string& A) override { Calls.push_back("open " + A); }
    void SetProgress(std::int32_t P) override { Calls.push_back("progress " + std::to_string(P)); }
    std::vector<TInstallerMessage> MessageTypes;
    void ShowMessage(const std::string& Text, TInstallerMessage Type) override
    {
        Calls.push_back("message " + Text);
        MessageTypes.push_back(Type);
    }
    // The chooser answers Chosen, or cancels when it is empty.
    std::string Chosen;
    bool SelectDirectory(std::string& Dir, const std::string& Caption, bool AllowNew) override
    {
        Calls.push_back("select " + Caption + " at " + Dir + (AllowNew ? " with new" : ""));
        if (Chosen.empty())
            return false;
        Dir = Chosen;
        return true;
    }
    void ShowLicence(const std::string& Text) override { Calls.push_back("licence " + Text); }
    void StartProgress(const std::string& Text) override { Calls.push_back("start " + Text); }
    void FinishProgress() override { Calls.push_back("finish"); }
};

inline void SaveTable(TStream& S, const TPairs& Pairs)
{
    THash H(false);
    for (const auto& P : Pairs)
        H.Add(P.first, P.second, false);
    H.SaveToStream(S);
}

// A small 24-bit bitmap file image.
inline std::string BmpFile(int Width, int Height) { return MakeBmp(Width, Height); }

// One installation record: the five tables, then the bitmaps the properties announce.
inline std::string AppRecord(const TPairs& Props, const TPairs& Palm = {}, const TPairs& PocketPC = {},
                             const std::string& Icon = "", const std::string& Shot = "")
{
    TMemoryStream S;
    SaveTable(S, {});
    SaveTable(S, Props);
    SaveTable(S, {});
    SaveTable(S, Palm);
    SaveTable(S, PocketPC);
    S.WriteString(Icon);
    S.WriteString(Shot);
    return S.Bytes();
}

// The installation model over one bag, list and fake window.
struct TModelRig {
    CDataBag Bag;
    CFxListModel List;
    TFakeInstallerView View;
    std::unique_ptr<CAppList> Apps;

    explicit TModelRig(const TPairs& Groups = {})
    {
        TMemoryStream G;
        if (!Groups.empty())
            SaveTable(G, Groups);
        Apps = std::make_unique<CAppList>(&Bag, G, List, View);
        Apps->IconWidth = 30;
        Apps->IconHeight = 20;
        List.SetSize(164, 430);
        List.SetGHeight(40);
        List.Items()->Key = "RootGID";
    }
    CAPP* Add(const std::string& Record)
    {
        TMemoryStream S(Record);
        Apps->AddApp(std::make_unique<CAPP>(*Apps, S));
        return Apps->Apps.back().get();
    }
};

// The captions of a row's children; bars as "-".
inline std::vector<std::string> ChildCaptions(const CFxListItem* Row)
{
    std::vector<std::string> V;
    for (std::int32_t I = 0; I < Row->Count(); ++I)
        V.push_back(Row->Child(I)->Kind == ikBar ? "-" : Row->Child(I)->Caption);
    return V;
}

// The package description View rebuilt with the entry Key replaced by Bytes (added
// when it has none), saved compressed as the build saves it.
inline std::string WithEntry(const std::string& View, std::int32_t Key, const std::string& Bytes)
{
    CDataBag Loaded;
    TMemoryStream In(View);
    EXPECT_EQ(Loaded.LoadFromStream(In), brDone);
    CDataBag Copy;
    bool Replaced = false;
    for (std::int32_t I = 0; I < Loaded.Count(); ++I) {
        TMemoryStream E;
        Loaded.GetStreamAt(E, I, true);
        const std::int32_t K = Loaded.Index()[static_cast<std::size_t>(I)].Key;
        const std::string B = K == Key ? Bytes : E.Bytes();
        Replaced = Replaced || K == Key;
        Copy.PutBuffer(B.data(), K, static_cast<std::int64_t>(B.size()));
    }
    if (!Replaced)
        Copy.PutBuffer(Bytes.data(), Key, static_cast<std::int64_t>(Bytes.size()));
    TMemoryStream Out;
    Copy.SaveToStream(Out, true);
    return Out.Bytes();
}

// View with one setting replaced or added.
inline std::string WithSetting(const std::string& View, const std::string& Key, const std::string& Value)
{
    CDataBag Loaded;
    TMemoryStream In(View);
    EXPECT_EQ(Loaded.LoadFromStream(In), brDone);
    THash S(true);
    Loaded.GetHash(S, bag_Settings);
    S.Add(Key, Value);
    TMemoryStream Out;
    S.SaveToStream(Out);
    return WithEntry(View, bag_Settings, Out.Bytes());
}
