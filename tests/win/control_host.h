// A shown form that hosts controls under test, pictures of one colour with a see-through
// corner, and real mouse input (the system's cursor and input queue).
#pragma once
#include "runtime/form.h"
#include "runtime/picture.h"
#include "support/pump.h"
#include <gtest/gtest.h>

namespace hv::test {

// Faces of 20 x 12 pixels in one colour, the top-left 4 x 4 pixels in kMask.
constexpr ColorValue kMask = RGBColor(255, 255, 255);
constexpr ColorValue kHostBack = RGBColor(0, 128, 64);
constexpr ColorValue kUpColour = RGBColor(220, 30, 30);
constexpr ColorValue kOverColour = RGBColor(30, 200, 30);
constexpr ColorValue kDownColour = RGBColor(30, 30, 220);
rt::PicturePtr CornerFace(ColorValue colour);

class ControlHostTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    rt::Form& host() { return *host_; }

    std::unique_ptr<rt::Form> host_;
};

// The pointer moves there with a real mouse move (the window below gets WM_MOUSEMOVE).
void MoveMouseTo(POINT screen);
// Puts the cursor there without a mouse move message.
void PlaceCursor(POINT screen);
void LeftDown();
void LeftUp();
// A point of a window's client area in screen pixels.
POINT ScreenPoint(HWND hwnd, int x, int y);
// The screen rectangle of a window.
RECT ScreenRect(HWND hwnd);

} // namespace hv::test
