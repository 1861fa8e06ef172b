#include "f_splash.h"

#include "jpeg_image.h"
#include "ui_application.h"

#include <cstdlib>
#include <cstring>

TFSplash::TFSplash(const std::string& JpegBytes, std::uint32_t IntervalMs) : TForm(nullptr), FJpeg(JpegBytes)
{
    Name = "FSplash";
    BorderStyle = bsNoBorder;
    Position = poScreenCenter;
    SetCaption("splash");
    SetClientSize(640, 480);
    Image1 = new TImage(this);
    Image1->Name = "Image1";
    Image1->SetParent(this);
    Image1->SetBounds(0, 0, 640, 480);
    OnShow = [this](TObject*) { GuardCall([this] { LoadPicture(); }); };
    Timer1.OnTimer = [this](TObject* S) { Timer1Timer(S); };
    Timer1.SetInterval(IntervalMs);
    Timer1.SetEnabled(true);
}

void TFSplash::LoadPicture()
{
    const TBgraImage Image = DecodeJpeg(FJpeg);
    TBitmap& Picture = Image1->Bitmap();
    Picture.SetSize(Image.Width, Image.Height);
    std::memcpy(const_cast<std::uint8_t*>(Picture.Bits()), Image.Pixels.data(), Image.Pixels.size());
    // Image1 sizes itself to its picture, and the window to its contents.
    Image1->PictureChanged();
    SetClientSize(Image1->Width(), Image1->Height());
}

void TFSplash::Timer1Timer(TObject*)
{
    Timer1.SetEnabled(false);
    Close();
}

std::uint32_t SplashInterval(const char* Setting)
{
    if (!Setting || !*Setting)
        return 3000;
    char* End = nullptr;
    const long Ms = std::strtol(Setting, &End, 10);
    if (*End || Ms < 0 || Ms > 3000)
        return 3000;
    // A timer of 0 ms never fires: the shortest is 1 ms.
    return Ms == 0 ? 1 : static_cast<std::uint32_t>(Ms);
}

std::string SplashResource()
{
    HMODULE Module = GetModuleHandleA(nullptr);
    HRSRC Found = FindResourceA(Module, "SPLASH", MAKEINTRESOURCEA(10)); // RT_RCDATA
    if (!Found)
        return "";
    HGLOBAL Loaded = LoadResource(Module, Found);
    const DWORD Size = SizeofResource(Module, Found);
    const void* Data = Loaded ? LockResource(Loaded) : nullptr;
    if (!Data || Size == 0)
        return "";
    return std::string(static_cast<const char*>(Data), Size);
}
