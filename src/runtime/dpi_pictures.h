// The add-in's pictures are made for 96 DPI; at other DPIs they are drawn again for the pixel
// size their boxes have, instead of a small picture in a larger box.
#pragma once
#include "picture.h"

namespace hv::rt {

class PictureBox;

// A 96-DPI length in pixels at the display's DPI.
int PixelsAtDpiX(int pixels96);
int PixelsAtDpiY(int pixels96);

// The picture's pixels as an image.
Image PictureImage(const Picture& picture);

// Pixel art at the display's DPI (whole-factor blocks, smoothed for a fractional factor);
// the picture itself at 96 DPI.
PicturePtr ArtForDpi(PicturePtr art96);
PicturePtr ArtForDpi(int resourceId);

// The box's inner area in pixels as it is at 96 DPI.
SIZE InnerPixelsAt96(const PictureBox& box);

// A palette made for the box's inner area at 96 DPI, stretched pixel for pixel over the
// box's inner area now: the colour under any point of the box is one the palette has, and
// its last row and column reach the box's edge.
PicturePtr PaletteForBox(int resourceId, const PictureBox& box);

} // namespace hv::rt
