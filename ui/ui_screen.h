#pragma once

// The pointer shapes the program asks for; crDefault leaves each window its own.
enum TCursor { crDefault, crArrow, crHandPoint };

// The screen size the windows place themselves by (tests may set their own), and the
// program-wide pointer that overrides every window's own while it is not crDefault.
class TScreen {
public:
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);
    // Puts the program-wide pointer on the screen now.
    void ShowCursor() const;
    int Width() const;
    int Height() const;
    int OverrideWidth = 0;
    int OverrideHeight = 0;

private:
    TCursor FCursor = crDefault;
};

TScreen& Screen();
