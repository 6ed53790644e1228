// The capture's magnifier: a small window beside the pointer that shows the frozen screenshot
// around the pointer's pixel enlarged with hard edges, the picked pixel (or the square whose
// mean is picked) outlined, and the picked colour's code and components below. It takes neither
// activation nor the mouse, and draws only from the screenshot, so it never shows up in what is
// picked.
#pragma once
#include "../core/colour.h"
#include "../core/loupe_layout.h"
#include "../core/pick_square.h"
#include "../runtime/picture.h"
#include "../runtime/window.h"
#include <cstdint>
#include <vector>

namespace hv::capture {

class Loupe : public rt::Window {
  public:
    Loupe() = default;
    ~Loupe() override;

    // Follows the pointer over `shot`, whose pixel (0, 0) is at `origin` on the screen, and
    // keeps out of `avoid`'s way. A unit of the screen is `scale` pixels of the shot (see
    // ScreenPixelOfUnit); the loupe is drawn for `dpi`, the monitor's own. The zoom is the
    // stored one.
    void Start(rt::PicturePtr shot, POINT origin, HWND avoid, double scale = 1, int dpi = 96);
    // Shows the screenshot around the screen pixel `pt`, beside it.
    void Follow(POINT pt);
    // Hides the window and lets go of the screenshot.
    void Stop();
    bool following() const { return shot_ != nullptr; }

    int zoom() const { return zoom_; }
    // Kept within 4 to 16 and stored for the next capture; redraws at once.
    void SetZoom(int zoom);
    // A turn of the wheel (WHEEL_DELTA units): a notch away from the user zooms in a step.
    void Wheel(int delta);

    // The side of the square a pick averages: 1, 3 or 5. Stored for the next capture and
    // outlined at once; other values are ignored.
    int square() const { return square_; }
    void SetSquare(int side);
    // What a pick at the screenshot's pixel (x, y) gives: that pixel or the mean of the square
    // around it, the part on no monitor left out; -1 when none of it is on a monitor.
    ColorValue Picked(int x, int y) const;

    // The enlarged pixels' area in client pixels, `cells()` screenshot pixels a side.
    RECT CellsRect() const;
    int cells() const { return LoupeCells(viewSide_, zoom_); }

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void Create();
    void Render();
    void DrawGridAndOutline(const RECT& cellsRect, int n);
    void DrawText(ColorValue picked);
    void Place();
    int Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

    rt::PicturePtr shot_;
    POINT origin_{};
    HWND avoid_ = nullptr;
    std::vector<PixelRect> monitors_; // in screenshot pixels
    std::vector<RECT> screens_;       // the monitors in screen units
    double scale_ = 1;
    int dpi_ = 96;
    POINT at_{};
    RECT monitor_{}; // the last one the pointer was on, in screen pixels
    bool placed_ = false;
    int zoom_ = kLoupeDefaultZoom;
    int square_ = 1;
    WheelNotches notches_;

    ColorValue textFor_ = -2; // the colour the text below the view was written for
    int viewSide_ = 0, textHeight_ = 0, width_ = 0, height_ = 0; // pixels
    rt::UniqueMemoryDc buffer_;
    rt::UniqueBitmap bufferBitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr; // top-down rows of the buffer
    rt::UniqueFont font_;
    HGDIOBJ oldFont_ = nullptr;
    rt::UniqueBrush hatch_;
};

} // namespace hv::capture
