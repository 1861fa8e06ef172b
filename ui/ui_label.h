#pragma once

#include "ui_control.h"

// Windowless text. Messages are drawn literally (no "&" prefixes) and every kind of
// line break counts once. AutoSize fits the label to its text; with WordWrap the
// width stays and the height follows.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* AOwner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool Transparent = false;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

    void Paint(TCanvas& Canvas) override;
    void AdjustBounds();

protected:
    void TextChanged() override;
    void FontChanged() override;

private:
    UINT Format() const;
    std::string DrawnText() const;

    bool FAutoSize = true;
    bool FWordWrap = false;
    TAlignment FAlignment = taLeftJustify;
};
