// Pictures drawn for the DPI in use: the add-in's pictures are made for 96 DPI and scaled to
// the pixel size their boxes have on the display.
#pragma once
#include "image.h"

namespace hv {

// n * num / den, rounded to the nearest whole number (half away from zero).
int ScaleLength(int n, int num, int den);

// Each pixel of the result takes the source pixel under its centre, so no colour appears that
// the source lacks: a palette keeps its exact colours and the pick gives what is drawn.
Image ResizeNearest(const Image& source, int width, int height);

// Pixel art at another size: enlarged by the smallest whole factor that reaches the size
// (each pixel a block), then averaged by area down to the size. A whole factor gives exact
// blocks; a factor such as 1.5 blends only along the blocks' edges.
Image ScalePixelArt(const Image& source, int width, int height);

} // namespace hv
