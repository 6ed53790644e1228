// The faces of the add-in's picture buttons: for each button an up, an over and a down
// picture. Everything outside a face's rounded plate is kButtonMaskColor, which the button
// leaves out, so the window behind shows there.
#pragma once
#include "../core/image.h"

namespace hv::assets {

// The main window's panel background; the buttons' MaskColor is that background.
constexpr ColorValue kButtonMaskColor = RGBColor(255, 255, 255);

enum class FaceState { Up, Over, Down };

struct ButtonFace {
    const char* file; // base name of the three .bmp files: <file>_up.bmp, ...
    int width, height;
    int idUp, idOver, idDown; // resource numbers
    Image (*draw)(FaceState state);
};

// Insert, Copy, Capture, About (28 x 22); the format menu (112 x 14); the favourites'
// Insert, Copy and Add (33 x 16); the information windows' OK (48 x 22) and the link to the
// maker's website (64 x 22).
extern const ButtonFace kButtonFaces[10];

// The plate alone: a rounded rectangle with a one-pixel border, shaded by state.
Image ButtonPlate(int width, int height, FaceState state);

} // namespace hv::assets
