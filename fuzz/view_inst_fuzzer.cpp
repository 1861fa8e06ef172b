// Any bytes as a package description "view.inst", read the way the installer starts:
// the bag, the settings, the window set-up, every installation record with its
// bitmaps, the group rows with their icons and the background. A damaged package may
// only raise the system's own exceptions; nothing may crash, leak or read out of bounds.
#include "install_setup.h"

#include "exceptions.h"
#include "memory_stream.h"

#include <cstdlib>

namespace {

class THeadlessView : public IInstallerView {
public:
    std::int32_t AddListIcon(const TPackageBitmap& B) override
    {
        if (B.Width <= 0 || B.Height <= 0 || B.BitsOffset > B.Dib.size())
            std::abort();
        return Icons++;
    }
    std::shared_ptr<TObject> MakePicture(const TPackageBitmap& B) override
    {
        if (B.BitsOffset > B.Dib.size())
            std::abort();
        return std::make_shared<TObject>();
    }
    std::int32_t ListWidth() override { return 200; }
    bool ListShowsScrollBar() override { return false; }
    std::int32_t OuterHeight() override { return 400; }
    void ClearDescription() override {}
    void PlaceDescription(const std::string&, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {}
    void SetSelection(const std::string&, std::shared_ptr<TObject>, std::int32_t, std::int32_t) override {}
    void RepaintWindow() override {}
    void HideLicence() override {}
    void CloseWindow() override {}
    void OpenWebAddress(const std::string&) override {}
    void SetProgress(std::int32_t) override {}
    void ShowMessage(const std::string&, TInstallerMessage) override {}
    bool SelectDirectory(std::string&, const std::string&, bool) override { return false; }
    void ShowLicence(const std::string&) override {}
    void StartProgress(const std::string&) override {}
    void FinishProgress() override {}
    std::int32_t Icons = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    TMemoryStream In(std::string(reinterpret_cast<const char*>(Data), Size));
    CFxListModel List;
    THeadlessView View;
    TLoadedPackage Package;
    try {
        ReadPackage(Package, In, List, View);
    } catch (const Exception&) {
        return 0;
    }
    // A package that loaded lays out and selects each installation.
    List.Layout();
    for (const auto& App : Package.Apps->Apps) {
        try {
            Package.Apps->SelectApp(App.get());
        } catch (const EConvertError&) {
        }
    }
    return 0;
}
