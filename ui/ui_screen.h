#pragma once

// The screen size the windows place themselves by; tests may set their own.
class TScreen {
public:
    int Width() const;
    int Height() const;
    int OverrideWidth = 0;
    int OverrideHeight = 0;
};

TScreen& Screen();
