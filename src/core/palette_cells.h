// A palette's cells over a box `length` pixels long: `cells` equal spans, which at 125 %
// are a pixel and a quarter each, so the box's pixels fall unevenly on them. A picture of the
// palette enlarged pixel for pixel (ResizeNearest) shows in each box pixel the cell under the
// pixel's centre; these two agree with it.
#pragma once

namespace hv {

// The box pixel under the middle of the cell's exact span: drawn in the cell's own colour.
inline int CellMiddle(int cell, int cells, int length) {
    return cells > 0 ? (2 * cell + 1) * length / (2 * cells) : 0;
}

// The cell whose span holds the pixel's centre.
inline int CellAt(int pixel, int cells, int length) {
    return length > 0 ? (2 * pixel + 1) * cells / (2 * length) : 0;
}

} // namespace hv
