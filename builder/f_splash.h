#pragma once

#include "ui_form.h"
#include "ui_image.h"
#include "ui_timer.h"

#include <cstdint>
#include <string>

// The builder's first window: the splash picture without border or title, closed by
// its timer after 3000 ms (BRINDLO_SPLASH_MS in the environment shortens it for tests).
class TFSplash : public TForm {
public:
    // JpegBytes: the picture's file image; it is decoded when the window is shown.
    TFSplash(const std::string& JpegBytes, std::uint32_t IntervalMs);

    // At the top-left corner, as large as its picture.
    TImage* Image1 = nullptr;
    TTimer Timer1;
    const TBitmap& Picture() const { return Image1->Bitmap(); }

    void Timer1Timer(TObject* Sender);

private:
    void LoadPicture();

    std::string FJpeg;
};

// The splash's time: BRINDLO_SPLASH_MS when it holds a number from 0 to 3000, else 3000.
std::uint32_t SplashInterval(const char* Setting);

// The splash picture of the program's resources ("" when it has none).
std::string SplashResource();
