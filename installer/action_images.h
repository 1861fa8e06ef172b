#pragma once

#include "ui_image_list.h"

// The key colour the action pictures are drawn on; it stays transparent.
constexpr TColor ActionImageKey = 0xFF00FF;

// Draws the eight 30 x 20 pictures of the action rows into List, in index order: an
// "i" in a circle, a chain link with a plus sign, an arrow into a box, an arrow into a
// door, an arrow pointing up, a computer with an installer, a globe with a chain link,
// a cross in a box.
void AddActionImages(TImageList& List);
