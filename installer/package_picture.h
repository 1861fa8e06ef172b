#pragma once

#include "object.h"
#include "package_bitmap.h"
#include "ui_bitmap.h"

#include <memory>

// A checked package bitmap decoded by the system's own decoder; raises EInvalidGraphic
// when the system cannot decode it.
std::unique_ptr<TBitmap> DecodePackageBitmap(const TPackageBitmap& Bitmap);

// A decoded screenshot as the model hands it to the window.
class TPackagePicture : public TObject {
public:
    explicit TPackagePicture(std::unique_ptr<TBitmap> ABitmap) : Bitmap(std::move(ABitmap)) {}
    std::unique_ptr<TBitmap> Bitmap;
};
